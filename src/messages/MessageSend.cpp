// The three write operations of the message tab.
#include "common/Cp1251.h"
#include "common/IntText.h"
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

MessageLines linesOf(const Table& messages, int row)
{
    MessageLines lines;
    for (int l = 0; l < kMessageLineCount; ++l)
        lines[static_cast<size_t>(l)] = messages.cell(row, msgcol::FirstLine + l);
    return lines;
}

// Puts a long operation on the row: stop test, events, progress, counter, cursor, events.
// False when the stop flag is set.
bool stepOnto(Feedback& feedback, const Table& messages, int row, int position)
{
    if (feedback.stopRequested())
        return false;
    feedback.processEvents();
    feedback.progressPosition(position);
    feedback.counterText(cp1251ToUtf8(messages.cell(row, msgcol::Number)));
    feedback.moveCursor(TableId::Messages, row, msgcol::Number);
    feedback.processEvents();
    return true;
}

MessageOutcome stopped(Feedback& feedback, RunningDisplay& display)
{
    display.end();
    feedback.message(msgtext::kStopped);
    return MessageOutcome::Stopped;
}

// The check pass over rows first..last, progress counted from `base`.
MessageOutcome checkRows(Feedback& feedback, RunningDisplay& display, const Table& messages, int first, int last,
                         int base)
{
    for (int row = first; row <= last; ++row) {
        if (!stepOnto(feedback, messages, row, row - base))
            return stopped(feedback, display);
        if (MsgCheckError(messages, row)) {
            display.end();
            feedback.message(msgtext::kRowError);
            return MessageOutcome::Failed;
        }
    }
    return MessageOutcome::Done;
}

// The write pass: each row addressed and written; the input queue was drained once before.
// A number that does not convert, or does not fit its two bytes, ends the pass at its row: it
// is never sent cut to 16 bits.
MessageOutcome writeRows(ScaleSession& session, RunningDisplay& display, int scaleNumber, const Table& messages,
                         int first, int last, int base)
{
    Feedback& feedback = session.feedback();
    feedback.progressPosition(0);
    for (int row = first; row <= last; ++row) {
        if (!stepOnto(feedback, messages, row, row - base))
            return stopped(feedback, display);
        const auto number = msgsteps::rowWireNumber(feedback, messages, row);
        if (!number) {
            display.end();
            return MessageOutcome::Failed;
        }
        if (!addressScale(session, scaleNumber, false)) {
            display.end();
            return MessageOutcome::Failed;
        }
        if (!SendMsg(session, *number, linesOf(messages, row))) {
            display.end();
            feedback.message(msgtext::kWriteFailed);
            return MessageOutcome::Failed;
        }
    }
    display.end();
    feedback.message(msgtext::kSent);
    return MessageOutcome::Done;
}

} // namespace

MessageOutcome sendMessageTable(const MessageLink& link, const Table& messages, bool checkFirst)
{
    const auto target = openMessageScale(link, MessageWork::Write);
    if (!target)
        return MessageOutcome::Failed;
    Feedback& feedback = link.session.feedback();
    const int rows = messages.rowCount() - 1;
    feedback.clearStop();
    feedback.moveCursor(TableId::Messages, 1, msgcol::Number);
    RunningDisplay display(feedback, rows);
    if (checkFirst) {
        const auto checked = checkRows(feedback, display, messages, 1, rows, 0);
        if (checked != MessageOutcome::Done)
            return checked;
    }
    link.session.NewQue();
    return writeRows(link.session, display, target->number, messages, 1, rows, 0);
}

MessageOutcome sendMessageRow(const MessageLink& link, const Table& messages, int row)
{
    const auto target = openMessageScale(link, MessageWork::Write);
    if (!target)
        return MessageOutcome::Failed;
    Feedback& feedback = link.session.feedback();
    // A row that fails its check is not written, and the scale is not addressed for it.
    if (row < 1 || row > messages.rowCount() - 1 || MsgCheckError(messages, row)) {
        feedback.moveCursor(TableId::Messages, row, msgcol::Number);
        feedback.processEvents();
        feedback.message(msgtext::kRowError);
        return MessageOutcome::Failed;
    }
    if (!addressScale(link.session, target->number, true))
        return MessageOutcome::Failed;
    const auto number = static_cast<std::uint16_t>(intTextValue(messages.cell(row, msgcol::Number)));
    if (!SendMsg(link.session, number, linesOf(messages, row))) {
        feedback.message(msgtext::kWriteFailed);
        return MessageOutcome::Failed;
    }
    feedback.message(msgtext::kSent);
    return MessageOutcome::Done;
}

MessageOutcome SendMsgRange(const MessageLink& link, const Table& messages, int first, int last)
{
    const auto target = openMessageScale(link, MessageWork::Write);
    if (!target)
        return MessageOutcome::Failed;
    Feedback& feedback = link.session.feedback();
    const auto range = msgsteps::checkedRange(feedback, MsgRangeKind::SendRows, first, last, messages.rowCount() - 1);
    if (!range)
        return MessageOutcome::Failed;
    link.session.NewQue();
    feedback.clearStop();
    feedback.moveCursor(TableId::Messages, range->first, msgcol::Number);
    const int base = range->first - 1;
    RunningDisplay display(feedback, range->last - base);
    const auto checked = checkRows(feedback, display, messages, range->first, range->last, base);
    if (checked != MessageOutcome::Done)
        return checked;
    return writeRows(link.session, display, target->number, messages, range->first, range->last, base);
}

} // namespace qm
