#pragma once
// Steps the message operations share (internal to messages/).

#include <cstdint>
#include <optional>
#include <string>

#include "common/Feedback.h"
#include "common/Table.h"
#include "messages/MessageRangeCheck.h"
#include "messages/MessageTransfer.h"

namespace qm
{

class TableSink;

namespace msgsteps
{

// The running display of a long operation: bar, counter and stop button, shown from the
// constructor and hidden at every end, a port error that unwinds the operation included.
class RunningDisplay
{
  public:
    RunningDisplay(Feedback& feedback, int maximum);
    ~RunningDisplay() { end(); }
    RunningDisplay(const RunningDisplay&) = delete;
    RunningDisplay& operator=(const RunningDisplay&) = delete;
    void end();

  private:
    Feedback& m_feedback;
    bool m_shown = true;
};

// Every data row emptied, one empty row left, cursor on its first cell.
void emptyTable(Feedback& feedback, TableSink& table);

// The number of `Edit36`, 1..1000; nullopt when the text is no such number.
std::optional<int> fieldNumber(const std::string& text);

// The number bytes of a row about to be sent. Shows the row message with the cursor on the row
// when column 0 is no integer text or does not fit the two wire bytes.
std::optional<std::uint16_t> rowWireNumber(Feedback& feedback, const Table& messages, int row);

// A range handed to a range procedure, checked again as its dialog checks it: the table may
// have changed since. Shows the dialog's message when the range is refused.
std::optional<NumberRange> checkedRange(Feedback& feedback, MsgRangeKind kind, int first, int last, int dataRows);

} // namespace msgsteps
} // namespace qm
