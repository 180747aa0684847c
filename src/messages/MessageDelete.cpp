// The three delete operations of the message tab. Their addressing waits 900 ms for the scale.
#include <string>

#include "common/Cp1251.h"
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

// Deletes numbers first..last, the queue drained once before; progress counted from `base`.
MessageOutcome deleteNumbers(ScaleSession& session, int scaleNumber, int first, int last, int base)
{
    Feedback& feedback = session.feedback();
    feedback.clearStop();
    feedback.counterText("0");
    msgsteps::RunningDisplay display(feedback, last - base);
    for (int n = first; n <= last; ++n) {
        if (feedback.stopRequested()) {
            display.end();
            feedback.message(msgtext::kStopped);
            return MessageOutcome::Stopped;
        }
        feedback.processEvents();
        feedback.counterText(std::to_string(n));
        feedback.processEvents();
        feedback.progressPosition(n - base);
        if (!addressScale(session, scaleNumber, false, kDeleteMsgAddressWindowMs)) {
            display.end();
            return MessageOutcome::Failed;
        }
        if (!DeleteMsg(session, static_cast<std::uint16_t>(n))) {
            display.end();
            feedback.message(msgtext::kDeleteFailed);
            return MessageOutcome::Failed;
        }
    }
    display.end();
    feedback.message(msgtext::kDeleted);
    return MessageOutcome::Done;
}

} // namespace

MessageOutcome deleteOneMessage(const MessageLink& link, const std::string& numberText)
{
    const auto target = openMessageScale(link, MessageWork::Delete);
    if (!target)
        return MessageOutcome::Failed;
    Feedback& feedback = link.session.feedback();
    const auto number = msgsteps::fieldNumber(numberText);
    if (!number) {
        feedback.message(msgtext::kBadNumber);
        return MessageOutcome::Failed;
    }
    const std::string question = msgtext::kDeleteOneHead + cp1251ToUtf8(numberText) + msgtext::kDeleteOneTail;
    if (feedback.ask(question, Buttons::YesNo) != Answer::Yes)
        return MessageOutcome::Cancelled;
    if (!addressScale(link.session, target->number, true, kDeleteMsgAddressWindowMs))
        return MessageOutcome::Failed;
    if (!DeleteMsg(link.session, static_cast<std::uint16_t>(*number))) {
        feedback.message(msgtext::kReadFailed);
        return MessageOutcome::Failed;
    }
    feedback.message(msgtext::kDeletedOne);
    return MessageOutcome::Done;
}

MessageOutcome deleteAllMessages(const MessageLink& link)
{
    const auto target = openMessageScale(link, MessageWork::Delete);
    if (!target)
        return MessageOutcome::Failed;
    if (link.session.feedback().ask(msgtext::kDeleteAllQuestion, Buttons::YesNo) != Answer::Yes)
        return MessageOutcome::Cancelled;
    link.session.NewQue();
    return deleteNumbers(link.session, target->number, 1, kMaxMessageNumber, 0);
}

MessageOutcome DeleteMsgRange(const MessageLink& link, int first, int last)
{
    const auto target = openMessageScale(link, MessageWork::Delete);
    if (!target)
        return MessageOutcome::Failed;
    Feedback& feedback = link.session.feedback();
    const auto range = msgsteps::checkedRange(feedback, MsgRangeKind::DeleteNumbers, first, last, 0);
    if (!range)
        return MessageOutcome::Failed;
    link.session.NewQue();
    if (feedback.ask(msgtext::kDeleteRangeQuestion, Buttons::YesNo) != Answer::Yes)
        return MessageOutcome::Cancelled;
    return deleteNumbers(link.session, target->number, range->first, range->last, range->first - 1);
}

} // namespace qm
