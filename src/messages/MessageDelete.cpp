// The delete operations of the message tab: every number, one, a range. Their addressing waits
// 900 ms for the scale.
#include <string>

#include "common/Feedback.h"
#include "link/ScaleSession.h"
#include "messages/MessageCheck.h"
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

// Deletes numbers first..last, the queue drained once before; the progress bar shows
// n - first + 1.
OperationResult deleteLoop(ScaleSession& session, int scaleNumber, int first, int last)
{
    Feedback& feedback = session.feedback();
    feedback.clearStop();
    feedback.counterText("0");
    RecordLoop loop;
    loop.first = first;
    loop.last = last;
    const auto deleted = runRecordLoop(session, loop, [&](int n) {
        if (auto addressed = addressScale(session, scaleNumber, false, kDeleteMsgAddressWindowMs); !addressed)
            return addressed;
        if (!DeleteMsg(session, static_cast<std::uint16_t>(n)))
            return failed(feedback, Failure::plain(FailureKind::NoAck, messagetext::kDeleteFailed).forRecord(n));
        return OperationResult::done();
    });
    if (deleted)
        feedback.message(messagetext::kDeleted);
    return deleted;
}

} // namespace

OperationResult deleteAllMessages(const ScaleLink& link)
{
    const OpenedScale scale = openScale(link, messagetext::kChooseToDelete);
    if (!scale)
        return scale;
    if (auto asked = confirmed(link.session.feedback(), messagetext::kDeleteAllQuestion); !asked)
        return asked;
    link.session.NewQue();
    return deleteLoop(link.session, scale.target.number, 1, kMaxMessageNumber);
}

OperationResult deleteMessageRange(const ScaleLink& link, int first, int last)
{
    const OpenedScale scale = openScale(link, messagetext::kChooseToDelete);
    if (!scale)
        return scale;
    Feedback& feedback = link.session.feedback();
    NumberRange range;
    if (auto checked = checkedRange(feedback, messageRange(MessageRangeKind::NumbersToDelete), first, last, 0, range);
        !checked)
        return checked;
    link.session.NewQue();
    if (auto asked = confirmed(feedback, messagetext::kDeleteRangeQuestion); !asked)
        return asked;
    return deleteLoop(link.session, scale.target.number, range.first, range.last);
}

OperationResult deleteOneMessage(const ScaleLink& link, const std::string& numberText)
{
    const OneRecordDelete message{
        messagetext::kChooseToDelete,
        kMaxMessageNumber,
        messagetext::kBadNumber,
        messagetext::kDeleteOneStart,
        messagetext::kDeleteOneEnd,
        kDeleteMsgAddressWindowMs,
        [](ScaleSession& session, int number) { return DeleteMsg(session, static_cast<std::uint16_t>(number)); },
        messagetext::kReadFailed,
        messagetext::kDeletedOne};
    return deleteOneRecord(link, numberText, message);
}

} // namespace qm
