#pragma once
// Helpers of the window tests: boxes answered from a script, a fresh start directory, widgets
// found by their component names.

#include <QApplication>
#include <QElapsedTimer>
#include <QString>
#include <QThread>
#include <QWidget>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/UserDialogs.h"
#include "support/ScriptedChooser.h"

namespace apptest
{

class ScriptedDialogs : public qmtest::ScriptedChooser<qm::app::UserDialogs>
{
  public:
    ScriptedDialogs() { cancelWhenEmpty = true; }
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<std::string> errors;
    std::deque<qm::Answer> answers; // Cancel (or No for Yes/No) when empty
    int fontDialogs = 0;
    // The print dialog: sets the printer up and says whether it was accepted; cancelled when unset.
    std::function<bool(QPrinter&)> onPrintDialog;

    std::function<void(const std::string&)> onMessage; // sees the window as the box shows

    void message(const std::string& text) override
    {
        messages.push_back(text);
        if (onMessage)
            onMessage(text);
    }
    qm::Answer ask(const std::string& text, qm::Buttons buttons) override
    {
        questions.push_back(text);
        if (answers.empty())
            return buttons == qm::Buttons::YesNo ? qm::Answer::No : qm::Answer::Cancel;
        const qm::Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void error(const std::string& text) override { errors.push_back(text); }
    std::optional<QFont> chooseFont(const QFont&) override
    {
        ++fontDialogs;
        return std::nullopt;
    }
    bool choosePrinter(QPrinter& printer, QWidget*) override { return onPrintDialog && onPrintDialog(printer); }
};

// A new empty directory made current for the test, and no remembered window geometry; the old
// current directory comes back after.
class StartDirectory
{
  public:
    StartDirectory();
    ~StartDirectory();
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

  private:
    std::filesystem::path m_path;
    std::filesystem::path m_previous;
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);
// Lines of a CR LF text file.
std::vector<std::string> fileLines(const std::filesystem::path& path);

template <class T> T* find(QWidget* root, const char* name)
{
    return root->findChild<T*>(QString::fromLatin1(name));
}

// Sends a key press and release carrying `text` (any character, not only Latin-1).
void typeText(QWidget* target, const QString& text, int key = 0);

} // namespace apptest

namespace apptest
{

// Handles events until the condition holds or the time is up; returns the condition.
template <class Pred> bool waitFor(Pred pred, int timeoutMs = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!pred()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return true;
}

} // namespace apptest
