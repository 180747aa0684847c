// The send operations of the message tab: the table, a row, a range of rows.
#include <optional>

#include "common/Feedback.h"
#include "common/IntText.h"
#include "link/ScaleSession.h"
#include "messages/MessageCheck.h"
#include "messages/MessageCodec.h"
#include "messages/MessageCommands.h"
#include "messages/MessageRanges.h"
#include "messages/MessageTexts.h"
#include "messages/MessageTransfer.h"
#include "operation/OperationTexts.h"
#include "operation/RecordLoop.h"
#include "operation/ScaleFrame.h"

namespace qm
{

namespace
{

// A write the scale did not acknowledge.
Failure writeFailure(int row, std::uint16_t number)
{
    return Failure::at(FailureKind::NoAck, operationtext::kWriteFailed, TableId::Messages, row, -1).forRecord(number);
}

// The number bytes of a row about to be sent. Fails with the row message and the cursor on the
// row when column 0 is no integer text or does not fit the two wire bytes.
OperationResult rowWireNumber(Feedback& feedback, const Table& messages, int row, std::uint16_t& number)
{
    std::optional<std::uint16_t> wire;
    if (const auto n = intText(messages.cell(row, msgcol::Number)))
        wire = messageWireNumber(*n);
    if (!wire) {
        feedback.moveCursor(TableId::Messages, row, msgcol::Number);
        return failed(feedback, Failure::at(FailureKind::BadNumber, messagetext::kRowError, TableId::Messages, row,
                                            msgcol::Number));
    }
    number = *wire;
    return OperationResult::done();
}

MessageLines linesOf(const Table& messages, int row)
{
    MessageLines lines;
    for (int l = 0; l < kMessageLineCount; ++l)
        lines[static_cast<size_t>(l)] = messages.cell(row, msgcol::FirstLine + l);
    return lines;
}

RecordLoop rowsOf(Feedback& feedback, const Table& messages, int first, int last, const char* phase)
{
    return rowPass(feedback, messages, TableId::Messages, msgcol::Number, first, last, phase);
}

// The check pass over rows first..last, "Проверка…" on its bar.
OperationResult checkRows(ScaleSession& session, ProgressDisplay& display, const Table& messages, int first, int last)
{
    Feedback& feedback = session.feedback();
    return runRecordLoop(session, display, rowsOf(feedback, messages, first, last, operationtext::kCheckPhase),
                         [&](int row) {
                             if (MsgCheckError(messages, row))
                                 return failed(feedback, messageRowFailure(row));
                             return OperationResult::done();
                         });
}

// The write pass: each row addressed and written; the input queue was drained once before.
// A number that does not convert, or does not fit its two bytes, ends the pass at its row: it
// is never sent cut to 16 bits.
OperationResult writeRows(ScaleSession& session, ProgressDisplay& display, int scaleNumber, const Table& messages,
                          int first, int last)
{
    Feedback& feedback = session.feedback();
    const auto written = runRecordLoop(
        session, display, rowsOf(feedback, messages, first, last, operationtext::kSendPhase), [&](int row) {
            std::uint16_t number = 0;
            if (auto converted = rowWireNumber(feedback, messages, row, number); !converted)
                return converted;
            if (auto addressed = addressScale(session, scaleNumber, false); !addressed)
                return addressed;
            if (!SendMsg(session, number, linesOf(messages, row)))
                return failed(feedback, writeFailure(row, number));
            return OperationResult::done();
        });
    if (!written)
        return written;
    // The bar stays up, full, while the closing text is shown.
    display.complete();
    feedback.message(operationtext::kSent);
    display.end();
    return OperationResult::done();
}

} // namespace

OperationResult sendMessageTable(const ScaleLink& link, const Table& messages, bool checkFirst)
{
    const OpenedScale scale = openScale(link, messagetext::kChooseToSend);
    if (!scale)
        return scale;
    Feedback& feedback = link.session.feedback();
    const int rows = messages.rowCount() - 1;
    feedback.clearStop();
    feedback.moveCursor(TableId::Messages, 1, msgcol::Number);
    ProgressDisplay display(feedback, rows);
    if (checkFirst) {
        if (auto checked = checkRows(link.session, display, messages, 1, rows); !checked)
            return checked;
    }
    link.session.NewQue();
    return writeRows(link.session, display, scale.target.number, messages, 1, rows);
}

OperationResult sendMessageRow(const ScaleLink& link, const Table& messages, int row)
{
    const OpenedScale scale = openScale(link, messagetext::kChooseToSend);
    if (!scale)
        return scale;
    Feedback& feedback = link.session.feedback();
    // A row that fails its check is not written, and the scale is not addressed for it.
    if (row < 1 || row > messages.rowCount() - 1 || MsgCheckError(messages, row)) {
        feedback.moveCursor(TableId::Messages, row, msgcol::Number);
        feedback.processEvents();
        return failed(feedback, messageRowFailure(row));
    }
    if (auto addressed = addressScale(link.session, scale.target.number, true); !addressed)
        return addressed;
    const auto number = static_cast<std::uint16_t>(intTextValue(messages.cell(row, msgcol::Number)));
    if (!SendMsg(link.session, number, linesOf(messages, row)))
        return failed(feedback, writeFailure(row, number));
    feedback.message(operationtext::kSent);
    return OperationResult::done();
}

OperationResult sendMessageRange(const ScaleLink& link, const Table& messages, int first, int last)
{
    const OpenedScale scale = openScale(link, messagetext::kChooseToSend);
    if (!scale)
        return scale;
    Feedback& feedback = link.session.feedback();
    NumberRange range;
    const RangeRule& rows = messageRange(MessageRangeKind::RowsToSend);
    if (auto checked = checkedRange(feedback, rows, first, last, messages.rowCount() - 1, range); !checked)
        return checked;
    link.session.NewQue();
    feedback.clearStop();
    feedback.moveCursor(TableId::Messages, range.first, msgcol::Number);
    ProgressDisplay display(feedback, range.last - range.first + 1);
    if (auto checked = checkRows(link.session, display, messages, range.first, range.last); !checked)
        return checked;
    return writeRows(link.session, display, scale.target.number, messages, range.first, range.last);
}

} // namespace qm
