#pragma once
// The one way an operation reaches a person: messages, questions, the failure that ends it, the
// progress controls of its tab, the current cell of a table, and the stop flag. The window, the
// command line and the tests each implement it. Texts are UTF-8; "\r\n" inside a text is a line
// break.

#include <string>

#include "common/Failure.h"
#include "common/TableColumns.h"

namespace qm
{

enum class Buttons { YesNo, YesNoCancel };
enum class Answer { Yes, No, Cancel };

class Feedback
{
  public:
    virtual ~Feedback() = default;

    virtual void message(const std::string& text) = 0;
    virtual Answer ask(const std::string& text, Buttons buttons) = 0;
    // The failure that ends an operation, at the moment it ends it; the cursor moves that point
    // at its cell come before, from the operation. Shown as its text by default.
    virtual void reportFailure(const Failure& failure) { message(failure.text); }

    // Progress controls of the running operation's tab: the bar, the counter label and the stop
    // button. progressStart shows the bar and the stop button; the counter is shown on request.
    virtual void progressStart(int maximum, int position) = 0;
    virtual void progressPosition(int position) = 0;
    virtual void counterShow(bool) {}
    virtual void counterText(const std::string&) {}
    virtual void progressEnd() = 0; // hides bar, counter and stop button
    // The name of the pass the bar counts ("Проверка…"), shown with it until the next start;
    // a bar started without one shows no name.
    virtual void progressPhase(const std::string&) {}

    virtual void moveCursor(TableId, int /*row*/, int /*col*/) {}

    // A point where the window may handle pending events (repaint, a click on "Остановить").
    virtual void processEvents() {}

    virtual bool stopRequested() const = 0;
    virtual void clearStop() = 0;
};

// The progress controls of a long operation: the bar and the stop button (with the counter
// unless told otherwise) shown from the constructor, and hidden once: by end(), or at the latest
// when the display goes out of scope, a port failure that unwinds the operation included.
class ProgressDisplay
{
  public:
    enum class Counter { Shown, Hidden };
    ProgressDisplay(Feedback& feedback, int maximum, Counter counter = Counter::Shown) : m_feedback(feedback)
    {
        restart(maximum, counter);
    }
    ~ProgressDisplay() { end(); }
    ProgressDisplay(const ProgressDisplay&) = delete;
    ProgressDisplay& operator=(const ProgressDisplay&) = delete;

    // Shows the controls again for a pass with its own maximum, without hiding them between.
    void restart(int maximum, Counter counter = Counter::Shown)
    {
        m_shown = true;
        m_maximum = maximum;
        m_feedback.progressStart(maximum, 0);
        if (counter == Counter::Shown)
            m_feedback.counterShow(true);
    }
    // A named pass (checking, then sending) with its own maximum; the bar starts again at 0.
    void phase(const std::string& name, int maximum, Counter counter = Counter::Shown)
    {
        restart(maximum, counter);
        m_feedback.progressPhase(name);
    }
    // The bar at its end: the pass is complete before the closing text says so.
    void complete() { m_feedback.progressPosition(m_maximum); }
    void end()
    {
        if (!m_shown)
            return;
        m_shown = false;
        m_feedback.progressEnd();
    }

  private:
    Feedback& m_feedback;
    int m_maximum = 0;
    bool m_shown = false;
};

// Reports the failure and returns it as the operation's result: `return failed(fb, ...);`.
inline OperationResult failed(Feedback& feedback, Failure failure)
{
    feedback.reportFailure(failure);
    return OperationResult::failed(std::move(failure));
}
// The same for a stop reported in the operation's own words.
inline OperationResult stoppedWith(Feedback& feedback, Failure failure)
{
    feedback.reportFailure(failure);
    return OperationResult::stopped(std::move(failure));
}

} // namespace qm
