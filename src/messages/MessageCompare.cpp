// The compare of the message table with a scale.
#include <algorithm>
#include <map>

#include "common/Feedback.h"
#include "common/IntText.h"
#include "common/TableLayouts.h"
#include "common/TableSink.h"
#include "link/ScaleSession.h"
#include "messages/MessageCheck.h"
#include "messages/MessageCodec.h"
#include "messages/MessageCommands.h"
#include "messages/MessageSteps.h"
#include "messages/MessageTexts.h"
#include "messages/MessageTransfer.h"
#include "operation/ScaleFrame.h"

namespace qm
{

namespace
{

// The row as the scale holds it once sent: the written lines read back through the answer
// decoder (50 characters each, blank-filled, the scale's code page both ways).
Row storedRow(std::uint16_t number, const Table& messages, int row)
{
    MessageLines lines;
    for (int l = 0; l < kMessageLineCount; ++l)
        lines[static_cast<size_t>(l)] = messages.cell(row, msgcol::FirstLine + l);
    const Bytes written = encodeSendMsg(number, lines);
    Bytes answer(kReadMsgAnswerSize, 0); // the answer's first byte carries nothing
    std::copy(written.begin() + 3, written.end(), answer.begin() + 1);
    const MessageLines held = decodeGetMsgAnswer(answer);
    if (isEmptyMessage(held))
        return {}; // a message of blank lines is no message: the read skips it
    Row cells{std::to_string(number)};
    cells.insert(cells.end(), held.begin(), held.end());
    return cells;
}

} // namespace

OperationResult compareMessages(const ScaleLink& link, const Table& messages, TableComparison& result)
{
    Feedback& feedback = link.session.feedback();
    // Rows in table order: a number sent twice ends as its last row.
    std::map<int, Row> mine;
    for (int row = 1; row < messages.rowCount(); ++row) {
        const std::string& numberCell = messages.cell(row, msgcol::Number);
        if (numberCell.empty())
            continue;
        std::optional<std::uint16_t> wire;
        if (const auto n = intText(numberCell))
            wire = messageWireNumber(*n);
        if (!wire) {
            feedback.moveCursor(TableId::Messages, row, msgcol::Number);
            return failed(feedback, Failure::at(FailureKind::BadNumber, messagetext::kRowError, TableId::Messages, row,
                                                msgcol::Number));
        }
        Row stored = storedRow(*wire, messages, row);
        if (stored.empty())
            mine.erase(*wire);
        else
            mine[*wire] = std::move(stored);
    }

    return compareWithScale(
        link, messagetext::kChooseToRead, messageLayout(), mine,
        [](ScaleSession& reading, int scaleNumber, TableSink& rows) {
            return messagesteps::readRecords(reading, scaleNumber, rows, 1, kMaxMessageNumber);
        },
        result);
}

} // namespace qm
