#pragma once
// Tab "Логотип": the 64 × 64 logo, its editing field `Image1` and preview `Image2`, new, open and
// save of the logo file, the conversion of a picture with the threshold `TrackBar1`, and the
// logo transfer with the scale chosen in `ComboBox1`. The picture lives here, on the
// user-interface thread; a write takes a copy of it, a read hands the logo back through a sink.

#include <QWidget>
#include <functional>

#include "app/ScaleTab.h"
#include "logo/LogoPicture.h"

class QSlider;

namespace qm::app
{

class LogoImage;

class LogoTab : public QWidget
{
    Q_OBJECT
  public:
    explicit LogoTab(AppContext& context, QWidget* parent = nullptr);

    const LogoPicture& picture() const { return m_picture; }
    void setPicture(const LogoPicture& picture);

    // New picture, open a logo file, save it, open and convert a picture file.
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    // A release over the editing field at pixel (x, y): the dot under it changes colour.
    void Image1MouseUp(int x, int y);
    // Write the logo to the chosen scale, read the scale's logo (`SpeedButton5`, `SpeedButton6`
    // run the same).
    void Button1Click();
    void Button2Click();

    // The save of the close question: the flag is cleared only when the file was written.
    Outcome saveLogo();

  private:
    // A file command on a copy of the picture: the drawing changes only when it is done.
    using FileCommand = std::function<Outcome(FileCommandContext&, LogoPicture&, bool& modified)>;
    void runFileCommand(const FileCommand& command);

    AppContext& m_context;
    ScaleTab m_scale; // `ComboBox1`, the command row
    LogoPicture m_picture;
    LogoImage* m_image1;
    LogoImage* m_image2;
    QSlider* m_threshold; // `TrackBar1`
};

} // namespace qm::app
