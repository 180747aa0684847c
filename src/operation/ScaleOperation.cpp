#include "operation/ScaleOperation.h"

#include "common/Feedback.h"
#include "common/IntText.h"
#include "common/TableSink.h"
#include "operation/OperationTexts.h"

namespace qm
{

OperationResult checkedRange(Feedback& feedback, const RangeRule& rule, int first, int last, int dataRows,
                             NumberRange& range)
{
    const RangeCheck check = checkRange(rule, std::to_string(first), std::to_string(last), dataRows);
    if (!check.range)
        return failed(feedback, Failure::plain(FailureKind::RangeRefused, check.message));
    range = *check.range;
    return OperationResult::done();
}

OperationResult numberField(Feedback& feedback, const std::string& text, int highest, const char* badMessage,
                            int& number)
{
    if (!intTextIn(text, 1, highest))
        return failed(feedback, Failure::plain(FailureKind::BadNumber, badMessage));
    number = intTextValue(text);
    return OperationResult::done();
}

OperationResult confirmed(Feedback& feedback, const std::string& question)
{
    if (feedback.ask(question, Buttons::YesNo) != Answer::Yes)
        return OperationResult::cancelled();
    return OperationResult::done();
}

void emptyTable(Feedback& feedback, TableSink& table, TableId id)
{
    table.clear();
    feedback.moveCursor(id, 1, 0);
}

OperationResult interrupted(Feedback& feedback)
{
    return stoppedWith(feedback, Failure::plain(FailureKind::Stopped, operationtext::kStopped));
}

} // namespace qm
