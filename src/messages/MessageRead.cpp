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
MessageOutcome readNumbers(ScaleSession& session, int scaleNumber, TableSink& table, int first, int last, int base)
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
            feedback.message(msgtext::kStopped);
            closeTable(feedback, table);
            return MessageOutcome::Stopped;
        }
        feedback.progressPosition(n - base);
        feedback.counterText(std::to_string(n));
        feedback.moveCursor(TableId::Messages, table.rowCount() - 1, msgcol::Number);
        feedback.processEvents();
        if (!addressScale(session, scaleNumber, false)) {
            display.end();
            return MessageOutcome::Failed;
        }
        MessageLines lines;
        if (!GetMsg(session, static_cast<std::uint16_t>(n), lines)) {
            display.end();
            feedback.message(msgtext::kReadFailed);
            feedback.moveCursor(TableId::Messages, 1, msgcol::Number);
            return MessageOutcome::Failed;
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
    return MessageOutcome::Done;
}

// Opening steps, the save-first question and the emptied table: the start of every read.
// nullopt with the outcome when the read ends here.
std::optional<ScaleTarget> openForRead(const MessageLink& link, TableSink& table, const MessageSave& save,
                                       MessageOutcome& outcome)
{
    outcome = MessageOutcome::Failed;
    auto target = openMessageScale(link, MessageWork::Read);
    if (!target)
        return std::nullopt;
    Feedback& feedback = link.session.feedback();
    if (!saveFirst(feedback, table, save, msgtext::kSaveFirst)) {
        outcome = MessageOutcome::Cancelled;
        return std::nullopt;
    }
    msgsteps::emptyTable(feedback, table);
    outcome = MessageOutcome::Done;
    return target;
}

} // namespace

MessageOutcome readAllMessages(const MessageLink& link, TableSink& table, const MessageSave& save)
{
    MessageOutcome outcome;
    const auto target = openForRead(link, table, save, outcome);
    if (!target)
        return outcome;
    return readNumbers(link.session, target->number, table, 1, kMaxMessageNumber, 0);
}

MessageOutcome readOneMessage(const MessageLink& link, const std::string& numberText, TableSink& table,
                              const MessageSave& save)
{
    MessageOutcome outcome;
    const auto target = openForRead(link, table, save, outcome);
    if (!target)
        return outcome;
    Feedback& feedback = link.session.feedback();
    const auto number = msgsteps::fieldNumber(numberText);
    if (!number) {
        feedback.message(msgtext::kBadNumber);
        return MessageOutcome::Failed;
    }
    if (!addressScale(link.session, target->number, true))
        return MessageOutcome::Failed;
    MessageLines lines;
    if (!GetMsg(link.session, static_cast<std::uint16_t>(*number), lines)) {
        feedback.message(msgtext::kReadFailed);
        return MessageOutcome::Failed;
    }
    table.setRow(1, rowOf(*number, lines));
    table.setModified();
    return MessageOutcome::Done;
}

MessageOutcome GetMsgRange(const MessageLink& link, int first, int last, TableSink& table, const MessageSave& save)
{
    const auto range = msgsteps::checkedRange(link.session.feedback(), MsgRangeKind::ReadNumbers, first, last, 0);
    if (!range)
        return MessageOutcome::Failed;
    MessageOutcome outcome;
    const auto target = openForRead(link, table, save, outcome);
    if (!target)
        return outcome;
    return readNumbers(link.session, target->number, table, range->first, range->last, range->first - 1);
}

} // namespace qm
