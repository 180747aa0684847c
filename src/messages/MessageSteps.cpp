#include "messages/MessageSteps.h"

#include "common/IntText.h"
#include "common/TableSink.h"
#include "messages/MessageCheck.h"
#include "messages/MessageRecord.h"
#include "messages/MessageTexts.h"

namespace qm
{
namespace msgsteps
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

OperationResult rowWireNumber(Feedback& feedback, const Table& messages, int row, std::uint16_t& number)
{
    std::optional<std::uint16_t> wire;
    if (const auto n = intText(messages.cell(row, msgcol::Number)))
        wire = messageWireNumber(*n);
    if (!wire) {
        feedback.moveCursor(TableId::Messages, row, msgcol::Number);
        return failed(feedback,
                      Failure::at(FailureKind::BadNumber, msgtext::kRowError, TableId::Messages, row, msgcol::Number));
    }
    number = *wire;
    return OperationResult::done();
}

OperationResult checkedRange(Feedback& feedback, MsgRangeKind kind, int first, int last, int dataRows,
                             NumberRange& range)
{
    const RangeCheck check = checkMsgRange(kind, std::to_string(first), std::to_string(last), dataRows);
    if (!check.range)
        return failed(feedback, Failure::plain(FailureKind::RangeRefused, check.message));
    range = *check.range;
    return OperationResult::done();
}

} // namespace msgsteps

const char* chooseScaleMessage(MessageWork work)
{
    switch (work) {
    case MessageWork::Read:
        return msgtext::kNoScaleRead;
    case MessageWork::Delete:
        return msgtext::kNoScaleDelete;
    case MessageWork::Write:
        break;
    }
    return msgtext::kNoScaleWrite;
}

} // namespace qm
