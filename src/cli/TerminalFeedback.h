#pragma once
// The command line's side of the feedback: messages on standard output (a "\r\n" inside a
// text becomes a line break), questions answered by --yes, at a terminal prompt, or No with
// the question and "не подтверждено: используйте --yes" printed, a progress bar on standard
// error when it is a terminal, and Ctrl+C as the stop button. A failure is shown as its text;
// the commands name the cell it points at from the operation's result.

#include <atomic>
#include <string>
#include <vector>

#include "common/Feedback.h"

namespace qm::cli
{

class TerminalFeedback : public Feedback
{
  public:
    // Sets the SIGINT handler that raises the stop flag.
    TerminalFeedback();

    void setAssumeYes(bool yes) { m_assumeYes = yes; }
    // Messages go to standard error instead, so that standard output carries only a result a
    // script reads (read-totals --json).
    void messagesToStandardError(bool toError) { m_messagesToError = toError; }

    void message(const std::string& text) override;
    Answer ask(const std::string& text, Buttons buttons) override;
    void progressStart(int maximum, int position) override;
    void progressPosition(int position) override;
    void counterShow(bool show) override { m_counterShown = show; }
    void counterText(const std::string& text) override;
    void progressEnd() override;
    void progressPhase(const std::string& name) override;
    bool stopRequested() const override;
    void clearStop() override;

    // Messages shown so far, for the exit code decision of some commands.
    const std::string& lastMessage() const { return m_lastMessage; }
    // True once a message was shown after Ctrl+C: the operation said it was stopped.
    bool spokeAfterStop() const { return m_spokeAfterStop; }

    // While holding, messages that come after Ctrl+C are kept back instead of shown: a stopped
    // read's closing text is replaced by the command line's own.
    void holdAfterStop(bool hold) { m_holdAfterStop = hold; }
    // Shows the messages kept back, or forgets them.
    void releaseHeld();
    void dropHeld() { m_held.clear(); }

    // Erases the progress bar line so that a text can be printed on standard error.
    void clearProgressLine();

  private:
    void drawProgress();
    bool m_assumeYes = false;
    bool m_messagesToError = false;
    bool m_progressOnTerminal = false;
    bool m_progressShown = false;
    bool m_counterShown = false;
    bool m_holdAfterStop = false;
    bool m_spokeAfterStop = false;
    int m_maximum = 0;
    int m_position = 0;
    std::string m_counter;
    std::string m_phase; // with its trailing blank
    std::string m_lastMessage;
    std::vector<std::string> m_held;
};

// "\r\n" (or a lone "\r") becomes "\n": the program's texts are written for the window.
std::string terminalText(const std::string& text);

} // namespace qm::cli
