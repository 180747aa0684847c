#pragma once
// Every modal box and dialog the window shows goes through this interface, so that tests answer
// them from a script instead of clicking. Texts are UTF-8; "\r\n" in a text is a line break.
// Called on the user-interface thread only.

#include <QFont>
#include <QMessageBox>
#include <memory>
#include <optional>
#include <string>

#include "common/Feedback.h"
#include "files/FileDialogs.h"

class QPrinter;
class QWidget;

namespace qm::app
{

class UserDialogs : public FileChooser
{
  public:
    virtual void message(const std::string& text) = 0;
    virtual Answer ask(const std::string& text, Buttons buttons) = 0;
    // The standard error box: a failure nothing else handled, such as a port error.
    virtual void error(const std::string& text) = 0;
    virtual std::optional<QFont> chooseFont(const QFont& initial) = 0;
    // The print dialog over `over`, which sets up the printer: false when it was cancelled.
    virtual bool choosePrinter(QPrinter& printer, QWidget* over) = 0;
};

// The window's title, which every box and dialog carries too.
QString programTitle();

// The real boxes, titled with the program's title, parented to the window.
class MessageBoxDialogs : public UserDialogs
{
  public:
    explicit MessageBoxDialogs(QWidget* parent) : m_parent(parent) {}

    void message(const std::string& text) override;
    Answer ask(const std::string& text, Buttons buttons) override;
    void error(const std::string& text) override;
    std::optional<QFont> chooseFont(const QFont& initial) override;
    bool choosePrinter(QPrinter& printer, QWidget* over) override;
    std::optional<ChosenFile> openFile(const FileDialogSetup& setup) override;
    std::optional<ChosenFile> saveFile(const FileDialogSetup& setup) override;

  private:
    QWidget* m_parent;
};

// A message text for a box: UTF-8 to QString, "\r\n" to a line break.
QString boxText(const std::string& text);

// Every box of the window is made here, so that all look alike: the program's title, no icon
// but for the error box, the buttons centred under the text, and Yes the default where there is
// one.
std::unique_ptr<QMessageBox> makeBox(QMessageBox::Icon icon, const std::string& text,
                                     QMessageBox::StandardButtons buttons, QWidget* parent);

} // namespace qm::app
