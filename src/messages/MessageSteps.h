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

// The number bytes of a row about to be sent. Fails with the row message and the cursor on the
// row when column 0 is no integer text or does not fit the two wire bytes.
OperationResult rowWireNumber(Feedback& feedback, const Table& messages, int row, std::uint16_t& number);

// A range handed to a range procedure, checked again as its dialog checks it: the table may
// have changed since. A refused range fails with the dialog's message.
OperationResult checkedRange(Feedback& feedback, MsgRangeKind kind, int first, int last, int dataRows,
                             NumberRange& range);

} // namespace msgsteps
} // namespace qm
