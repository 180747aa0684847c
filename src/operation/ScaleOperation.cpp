#include "operation/ScaleOperation.h"

#include "common/Cp1251.h"
#include "common/Feedback.h"
#include "common/IntText.h"
#include "common/TableSink.h"
#include "operation/OperationTexts.h"
#include "operation/ScaleFrame.h"

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

OperationResult deleteOneRecord(const ScaleLink& link, const std::string& numberText, const OneRecordDelete& what)
{
    const OpenedScale scale = openScale(link, what.noScaleMessage);
    if (!scale)
        return scale;
    Feedback& feedback = link.session.feedback();
    int number = 0;
    if (auto entered = numberField(feedback, numberText, what.highest, what.badNumber, number); !entered)
        return entered;
    const std::string question = what.questionStart + cp1251ToUtf8(numberText) + what.questionEnd;
    if (auto asked = confirmed(feedback, question); !asked)
        return asked;
    if (auto addressed = addressScale(link.session, scale.target.number, true, what.addressWindowMs); !addressed)
        return addressed;
    if (!what.remove(link.session, number))
        return failed(feedback, Failure::plain(FailureKind::NoAck, what.notDeleted).forRecord(number));
    feedback.message(what.deleted);
    return OperationResult::done();
}

} // namespace qm
