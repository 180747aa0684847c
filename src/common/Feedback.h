#pragma once
// The one way an operation reaches a person: messages, questions, the progress controls of
// its tab, the current cell of a table, and the stop flag. The window, the command line and
// the tests each implement it. Texts are UTF-8; "\r\n" inside a text is a line break.

#include <string>

namespace qm
{

enum class Buttons { YesNo, YesNoCancel };
enum class Answer { Yes, No, Cancel };

// The tables whose current cell an operation may move.
enum class TableId { Products, Messages, Settings, Config, Tests, PriceKeys, Reports };

class Feedback
{
  public:
    virtual ~Feedback() = default;

    virtual void message(const std::string& text) = 0;
    virtual Answer ask(const std::string& text, Buttons buttons) = 0;

    // Progress controls of the running operation's tab: the bar, the counter label and the stop
    // button. progressStart shows the bar and the stop button; the counter is shown on request.
    virtual void progressStart(int maximum, int position) = 0;
    virtual void progressPosition(int position) = 0;
    virtual void counterShow(bool) {}
    virtual void counterText(const std::string&) {}
    virtual void progressEnd() = 0; // hides bar, counter and stop button

    virtual void moveCursor(TableId, int /*row*/, int /*col*/) {}

    // A point where the window may handle pending events (repaint, a click on "Остановить").
    virtual void processEvents() {}

    virtual bool stopRequested() const = 0;
    virtual void clearStop() = 0;
};

} // namespace qm
