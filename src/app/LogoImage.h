#pragma once
// A picture of the logo drawn `scale` times enlarged: the editing field `Image1` (320 × 320,
// each dot a 5 × 5 square) and the preview `Image2` (64 × 64). Black for a set dot, white for a
// clear one. The editing field reports a mouse release over it as the pixel under the pointer;
// a release outside the field (a press inside dragged out) is not reported.

#include <QWidget>
#include <functional>

#include "logo/LogoPicture.h"

namespace qm::app
{

class LogoImage : public QWidget
{
    Q_OBJECT
  public:
    LogoImage(const QString& name, int scale, QWidget* parent = nullptr);

    void setPicture(const LogoPicture& picture);
    const LogoPicture& picture() const { return m_picture; }
    int scale() const { return m_scale; }

    // Called with the pointer's position in the field's pixels on a release over the field.
    void setOnRelease(std::function<void(int x, int y)> onRelease) { m_onRelease = std::move(onRelease); }

    // The colour of a field pixel as shown: 0x000000 or 0xFFFFFF (white outside the picture).
    QRgb pixel(int x, int y) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    int m_scale;
    LogoPicture m_picture;
    std::function<void(int, int)> m_onRelease;
};

} // namespace qm::app
