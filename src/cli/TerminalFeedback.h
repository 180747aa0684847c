#pragma once
// The command line's side of the feedback, written for scripts: standard output carries only the
// data a command prints and the closing text of a command that succeeded; every failure, warning
// and question goes to standard error. The operation's texts are kept until the command ends and
// then go to standard output when it succeeded, to standard error when it did not (always to
// standard error with --json, whose standard output is the one JSON document). A failure is
// printed at once, with the cell it names on the same line ("строка 3, столбец «Цена,коп.»: ...").
// Questions are answered by --yes, at a terminal prompt, or No with the question and
// "не подтверждено: используйте --yes" printed; a progress bar goes to standard error when it is
// a terminal, and Ctrl+C is the stop button.

#include <atomic>
#include <string>
#include <vector>

#include "cli/TerminalText.h"
#include "common/Feedback.h"

namespace qm::cli
{

class TerminalFeedback : public Feedback
{
  public:
    // Sets the SIGINT handler that raises the stop flag.
    TerminalFeedback();
    // Texts not yet printed go to standard error: a command that did not close is no success.
    ~TerminalFeedback() override;
    TerminalFeedback(const TerminalFeedback&) = delete;
    TerminalFeedback& operator=(const TerminalFeedback&) = delete;

    void setAssumeYes(bool yes) { m_assumeYes = yes; }
    // Every text goes to standard error, so that standard output carries only a result a script
    // reads (--json).
    void messagesToStandardError(bool toError) { m_messagesToError = toError; }

    void message(const std::string& text) override;
    void reportFailure(const Failure& failure) override;
    Answer ask(const std::string& text, Buttons buttons) override;
    void progressStart(int maximum, int position) override;
    void progressPosition(int position) override;
    void counterShow(bool show) override { m_counterShown = show; }
    void counterText(const std::string& text) override;
    void progressEnd() override;
    void progressPhase(const std::string& name) override;
    bool stopRequested() const override;
    void clearStop() override;

    // Prints the texts kept so far: to standard output when the command succeeded.
    void close(bool succeeded);


    // Erases the progress bar line so that a text can be printed on standard error.
    void clearProgressLine();

  private:
    void drawProgress();
    bool m_assumeYes = false;
    bool m_messagesToError = false;
    bool m_progressOnTerminal = false;
    bool m_progressShown = false;
    bool m_counterShown = false;
    int m_maximum = 0;
    int m_position = 0;
    std::string m_counter;
    std::string m_phase; // with its trailing blank
    std::vector<std::string> m_closing; // the messages until the command ends
};

// The failure as one line for standard error: the cell it names, if any, by row number and column
// header, before its text ("строка 3, столбец «Цена,коп.»: Неправильно задана цена товара.").
std::string failureLine(const Failure& failure);

} // namespace qm::cli
