#pragma once
// The command line's side of the feedback: messages on standard output (a "\r\n" inside a
// text becomes a line break), questions answered by --yes, at a terminal prompt, or No, a
// progress bar on standard error when it is a terminal, and Ctrl+C as the stop button.

#include <atomic>
#include <string>

#include "common/Feedback.h"

namespace qm::cli
{

class TerminalFeedback : public Feedback
{
  public:
    // Sets the SIGINT handler that raises the stop flag.
    TerminalFeedback();

    void setAssumeYes(bool yes) { m_assumeYes = yes; }

    void message(const std::string& text) override;
    Answer ask(const std::string& text, Buttons buttons) override;
    void progressStart(int maximum, int position) override;
    void progressPosition(int position) override;
    void counterShow(bool show) override { m_counterShown = show; }
    void counterText(const std::string& text) override;
    void progressEnd() override;
    bool stopRequested() const override;
    void clearStop() override;

    // Messages shown so far, for the exit code decision of some commands.
    const std::string& lastMessage() const { return m_lastMessage; }

  private:
    void drawProgress();
    bool m_assumeYes = false;
    bool m_progressOnTerminal = false;
    bool m_progressShown = false;
    bool m_counterShown = false;
    int m_maximum = 0;
    int m_position = 0;
    std::string m_counter;
    std::string m_lastMessage;
};

// "\r\n" becomes "\n".
std::string terminalText(const std::string& text);

} // namespace qm::cli
