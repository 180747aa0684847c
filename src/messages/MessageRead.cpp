// The read operations of the message tab: every number, one, a range.
#include <string>

#include "common/Feedback.h"
#include "common/TableSink.h"
#include "link/ScaleSession.h"
#include "messages/MessageCheck.h"
#include "messages/MessageCodec.h"
#include "messages/MessageCommands.h"
#include "messages/MessageRanges.h"
#include "messages/MessageSteps.h"
#include "messages/MessageTexts.h"
#include "messages/MessageTransfer.h"
#include "operation/OperationTexts.h"
#include "operation/RecordLoop.h"
#include "operation/ScaleFrame.h"

namespace qm
{

namespace
{

// A read that brought no message: the scale holds none at the number, or the answer was lost.
Failure readFailure(int number)
{
    return Failure::plain(FailureKind::ReadFailed, messagetext::kReadFailed).forRecord(number);
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

// Frame, save-first question and the emptied table: the opening of every read.
OpenedScale openRead(const ScaleLink& link, TableSink& table, const SaveCommand& save)
{
    return openForRead(link, messagetext::kChooseToRead, table, save, messagetext::kSaveFirst, TableId::Messages);
}

// The opening of a read, then numbers first..last.
OperationResult readNumbers(const ScaleLink& link, int first, int last, TableSink& table, const SaveCommand& save)
{
    const OpenedScale scale = openRead(link, table, save);
    if (!scale)
        return scale;
    return messagesteps::readRecords(link.session, scale.target.number, table, first, last);
}

} // namespace

OperationResult messagesteps::readRecords(ScaleSession& session, int scaleNumber, TableSink& table, int first, int last)
{
    Feedback& feedback = session.feedback();
    feedback.clearStop();
    feedback.counterText("0");
    ProgressDisplay display(feedback, last - first + 1);
    feedback.processEvents();
    session.NewQue();
    RecordLoop loop;
    loop.first = first;
    loop.last = last;
    loop.show = [&](int n) {
        feedback.counterText(std::to_string(n));
        feedback.moveCursor(TableId::Messages, table.rowCount() - 1, msgcol::Number);
    };
    const auto read = runRecordLoop(session, display, loop, [&](int n) {
        if (auto addressed = addressScale(session, scaleNumber, false); !addressed)
            return addressed;
        MessageLines lines;
        if (!GetMsg(session, static_cast<std::uint16_t>(n), lines)) {
            const auto result = failed(feedback, readFailure(n));
            feedback.moveCursor(TableId::Messages, 1, msgcol::Number);
            return result;
        }
        if (isEmptyMessage(lines))
            return OperationResult::done();
        table.setRow(table.rowCount() - 1, rowOf(n, lines));
        table.setModified();
        table.appendRow();
        feedback.processEvents();
        return OperationResult::done();
    });
    display.end();
    // A failed read keeps the empty row it stopped on.
    if (read || read == TransferOutcome::Stopped)
        closeTable(feedback, table);
    return read;
}

OperationResult readAllMessages(const ScaleLink& link, TableSink& table, const SaveCommand& save)
{
    return readNumbers(link, 1, kMaxMessageNumber, table, save);
}

OperationResult readMessageRange(const ScaleLink& link, int first, int last, TableSink& table, const SaveCommand& save)
{
    const RangeRule& numbers = messageRange(MessageRangeKind::NumbersToRead);
    NumberRange range;
    if (auto checked = checkedRange(link.session.feedback(), numbers, first, last, 0, range); !checked)
        return checked;
    return readNumbers(link, range.first, range.last, table, save);
}

OperationResult readOneMessage(const ScaleLink& link, const std::string& numberText, TableSink& table,
                               const SaveCommand& save)
{
    const OpenedScale scale = openRead(link, table, save);
    if (!scale)
        return scale;
    Feedback& feedback = link.session.feedback();
    int number = 0;
    if (auto entered = numberField(feedback, numberText, kMaxMessageNumber, messagetext::kBadNumber, number); !entered)
        return entered;
    if (auto addressed = addressScale(link.session, scale.target.number, true); !addressed)
        return addressed;
    MessageLines lines;
    if (!GetMsg(link.session, static_cast<std::uint16_t>(number), lines))
        return failed(feedback, readFailure(number));
    table.setRow(1, rowOf(number, lines));
    table.setModified();
    return OperationResult::done();
}

} // namespace qm
