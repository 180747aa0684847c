#include "messages/MessageSteps.h"

#include "common/IntText.h"
#include "common/TableSink.h"
#include "messages/MessageCheck.h"
#include "messages/MessageRecord.h"
#include "messages/MessageTexts.h"

namespace qm::msgsteps
{

RunningDisplay::RunningDisplay(Feedback& feedback, int maximum) : m_feedback(feedback)
{
    m_feedback.progressStart(maximum, 0);
    m_feedback.counterShow(true);
}

void RunningDisplay::end()
{
    if (!m_shown)
        return;
    m_shown = false;
    m_feedback.progressEnd();
}

void emptyTable(Feedback& feedback, TableSink& table)
{
    table.clear();
    feedback.moveCursor(TableId::Messages, 1, msgcol::Number);
}

std::optional<int> fieldNumber(const std::string& text)
{
    const auto n = intText(text);
    if (!n || *n < 1 || *n > kMaxMessageNumber)
        return std::nullopt;
    return *n;
}

std::optional<std::uint16_t> rowWireNumber(Feedback& feedback, const Table& messages, int row)
{
    std::optional<std::uint16_t> wire;
    if (const auto n = intText(messages.cell(row, msgcol::Number)))
        wire = messageWireNumber(*n);
    if (!wire) {
        feedback.moveCursor(TableId::Messages, row, msgcol::Number);
        feedback.message(msgtext::kRowError);
    }
    return wire;
}

std::optional<NumberRange> checkedRange(Feedback& feedback, MsgRangeKind kind, int first, int last, int dataRows)
{
    const RangeCheck check = checkMsgRange(kind, std::to_string(first), std::to_string(last), dataRows);
    if (!check.range)
        feedback.message(check.message);
    return check.range;
}

} // namespace qm::msgsteps
