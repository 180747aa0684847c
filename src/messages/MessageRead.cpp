// The three read operations of the message tab.
#include <string>

#include "common/TableSink.h"
#include "link/ScaleSession.h"
#include "messages/MessageCheck.h"
#include "messages/MessageCommands.h"
#include "messages/MessageSteps.h"
#include "messages/MessageTexts.h"
#include "messages/MessageTransfer.h"
#include "operation/ScaleFrame.h"

namespace qm
{

namespace
{

using msgsteps::RunningDisplay;

// A read that brought no message: the scale holds none at the number, or the answer was lost.
Failure readFailure(int number)
{
    return Failure::plain(FailureKind::ReadFailed, msgtext::kReadFailed).forRecord(number);
}

Row rowOf(int number, const MessageLines& lines)
{
    Row cells;
    cells.reserve(1 + lines.size());
    cells.push_back(std::to_string(number));
    cells.insert(cells.end(), lines.begin(), lines.end());
    return cells;
}

// The trailing empty row the loop keeps for the next message goes, unless it is the only one.
void closeTable(Feedback& feedback, TableSink& table)
{
    feedback.moveCursor(TableId::Messages, 1, msgcol::Number);
    if (table.rowCount() > 2)
        table.removeLastRow();
}

// Reads numbers first..last into the table's last row, one message after another; progress is
// counted from `base` and empty messages are skipped.
OperationResult readNumbers(ScaleSession& session, int scaleNumber, TableSink& table, int first, int last, int base)
{
    Feedback& feedback = session.feedback();
    feedback.clearStop();
    feedback.counterText("0");
    RunningDisplay display(feedback, last - base);
    feedback.processEvents();
    session.NewQue();
    for (int n = first; n <= last; ++n) {
        if (feedback.stopRequested()) {
            display.end();
            const auto stopped = stoppedWith(feedback, Failure::plain(FailureKind::Stopped, msgtext::kStopped));
            closeTable(feedback, table);
            return stopped;
        }
        feedback.progressPosition(n - base);
        feedback.counterText(std::to_string(n));
        feedback.moveCursor(TableId::Messages, table.rowCount() - 1, msgcol::Number);
        feedback.processEvents();
        if (auto addressed = addressScale(session, scaleNumber, false); !addressed) {
            display.end();
            return addressed;
        }
        MessageLines lines;
        if (!GetMsg(session, static_cast<std::uint16_t>(n), lines)) {
            display.end();
            const auto result = failed(feedback, readFailure(n));
            feedback.moveCursor(TableId::Messages, 1, msgcol::Number);
            return result;
        }
        if (isEmptyMessage(lines))
            continue;
        table.setRow(table.rowCount() - 1, rowOf(n, lines));
        table.setModified();
        table.appendRow();
        feedback.processEvents();
    }
    display.end();
    closeTable(feedback, table);
    return OperationResult::done();
}

// Opening steps, the save-first question and the emptied table: the start of every read.
OpenedScale openForRead(const MessageLink& link, TableSink& table, const MessageSave& save)
{
    OpenedScale scale = openScale(link, chooseScaleMessage(MessageWork::Read));
    if (!scale)
        return scale;
    Feedback& feedback = link.session.feedback();
    if (!saveFirst(feedback, table, save, msgtext::kSaveFirst)) {
        scale.outcome = TransferOutcome::Cancelled;
        return scale;
    }
    msgsteps::emptyTable(feedback, table);
    return scale;
}

} // namespace

OperationResult readAllMessages(const MessageLink& link, TableSink& table, const MessageSave& save)
{
    const OpenedScale scale = openForRead(link, table, save);
    if (!scale)
        return scale;
    return readNumbers(link.session, scale.target.number, table, 1, kMaxMessageNumber, 0);
}

OperationResult readOneMessage(const MessageLink& link, const std::string& numberText, TableSink& table,
                               const MessageSave& save)
{
    const OpenedScale scale = openForRead(link, table, save);
    if (!scale)
        return scale;
    Feedback& feedback = link.session.feedback();
    const auto number = msgsteps::fieldNumber(numberText);
    if (!number)
        return failed(feedback, Failure::plain(FailureKind::BadNumber, msgtext::kBadNumber));
    if (auto addressed = addressScale(link.session, scale.target.number, true); !addressed)
        return addressed;
    MessageLines lines;
    if (!GetMsg(link.session, static_cast<std::uint16_t>(*number), lines))
        return failed(feedback, readFailure(*number));
    table.setRow(1, rowOf(*number, lines));
    table.setModified();
    return OperationResult::done();
}

OperationResult GetMsgRange(const MessageLink& link, int first, int last, TableSink& table, const MessageSave& save)
{
    NumberRange range;
    if (auto checked =
            msgsteps::checkedRange(link.session.feedback(), MsgRangeKind::ReadNumbers, first, last, 0, range);
        !checked)
        return checked;
    const OpenedScale scale = openForRead(link, table, save);
    if (!scale)
        return scale;
    return readNumbers(link.session, scale.target.number, table, range.first, range.last, range.first - 1);
}

} // namespace qm
