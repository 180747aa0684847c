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
OperationResult deleteNumbers(ScaleSession& session, int scaleNumber, int first, int last, int base)
{
    Feedback& feedback = session.feedback();
    feedback.clearStop();
    feedback.counterText("0");
    msgsteps::RunningDisplay display(feedback, last - base);
    for (int n = first; n <= last; ++n) {
        if (feedback.stopRequested()) {
            display.end();
            return stoppedWith(feedback, Failure::plain(FailureKind::Stopped, msgtext::kStopped));
        }
        feedback.processEvents();
        feedback.counterText(std::to_string(n));
        feedback.processEvents();
        feedback.progressPosition(n - base);
        if (auto addressed = addressScale(session, scaleNumber, false, kDeleteMsgAddressWindowMs); !addressed) {
            display.end();
            return addressed;
        }
        if (!DeleteMsg(session, static_cast<std::uint16_t>(n))) {
            display.end();
            return failed(feedback, Failure::plain(FailureKind::NoAck, msgtext::kDeleteFailed).forRecord(n));
        }
    }
    display.end();
    feedback.message(msgtext::kDeleted);
    return OperationResult::done();
}

} // namespace

OperationResult deleteOneMessage(const MessageLink& link, const std::string& numberText)
{
    const OpenedScale scale = openScale(link, chooseScaleMessage(MessageWork::Delete));
    if (!scale)
        return scale;
    Feedback& feedback = link.session.feedback();
    const auto number = msgsteps::fieldNumber(numberText);
    if (!number)
        return failed(feedback, Failure::plain(FailureKind::BadNumber, msgtext::kBadNumber));
    const std::string question = msgtext::kDeleteOneHead + cp1251ToUtf8(numberText) + msgtext::kDeleteOneTail;
    if (feedback.ask(question, Buttons::YesNo) != Answer::Yes)
        return OperationResult::cancelled();
    if (auto addressed = addressScale(link.session, scale.target.number, true, kDeleteMsgAddressWindowMs); !addressed)
        return addressed;
    if (!DeleteMsg(link.session, static_cast<std::uint16_t>(*number)))
        return failed(feedback, Failure::plain(FailureKind::NoAck, msgtext::kReadFailed).forRecord(*number));
    feedback.message(msgtext::kDeletedOne);
    return OperationResult::done();
}

OperationResult deleteAllMessages(const MessageLink& link)
{
    const OpenedScale scale = openScale(link, chooseScaleMessage(MessageWork::Delete));
    if (!scale)
        return scale;
    if (link.session.feedback().ask(msgtext::kDeleteAllQuestion, Buttons::YesNo) != Answer::Yes)
        return OperationResult::cancelled();
    link.session.NewQue();
    return deleteNumbers(link.session, scale.target.number, 1, kMaxMessageNumber, 0);
}

OperationResult DeleteMsgRange(const MessageLink& link, int first, int last)
{
    const OpenedScale scale = openScale(link, chooseScaleMessage(MessageWork::Delete));
    if (!scale)
        return scale;
    Feedback& feedback = link.session.feedback();
    NumberRange range;
    if (auto checked = msgsteps::checkedRange(feedback, MsgRangeKind::DeleteNumbers, first, last, 0, range); !checked)
        return checked;
    link.session.NewQue();
    if (feedback.ask(msgtext::kDeleteRangeQuestion, Buttons::YesNo) != Answer::Yes)
        return OperationResult::cancelled();
    return deleteNumbers(link.session, scale.target.number, range.first, range.last, range.first - 1);
}

} // namespace qm
