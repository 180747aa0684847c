#include "messages/MessageCheck.h"

#include "common/Feedback.h"
#include "common/IntText.h"
#include "messages/MessageTexts.h"

namespace qm
{

bool MsgCheckError(const Table& messages, int row)
{
    return !intTextIn(messages.cell(row, msgcol::Number), 1, kMaxMessageNumber);
}

Failure messageRowFailure(int row)
{
    return Failure::at(FailureKind::BadRow, messagetext::kRowError, TableId::Messages, row, msgcol::Number);
}

std::optional<Failure> messageRowFailure(const Table& messages, int row)
{
    if (MsgCheckError(messages, row))
        return messageRowFailure(row);
    return std::nullopt;
}

OperationResult checkMessageTable(const Table& messages, Feedback& feedback)
{
    const int rows = messages.rowCount() - 1;
    ProgressDisplay display(feedback, rows, ProgressDisplay::Counter::Hidden);
    feedback.moveCursor(TableId::Messages, 1, msgcol::Number);
    feedback.processEvents();
    OperationResult result;
    for (int row = 1; row <= rows; ++row) {
        feedback.moveCursor(TableId::Messages, row, msgcol::Number);
        feedback.progressPosition(row);
        feedback.processEvents();
        if (MsgCheckError(messages, row)) {
            feedback.moveCursor(TableId::Messages, row, msgcol::Number);
            feedback.processEvents();
            result = failed(feedback, messageRowFailure(row));
            break;
        }
    }
    if (result)
        feedback.message(messagetext::kTableOk);
    display.end();
    return result;
}

} // namespace qm
