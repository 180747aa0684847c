#include "logo/LogoTransfer.h"

#include "common/Feedback.h"
#include "link/ScaleSession.h"
#include "logo/LogoCommands.h"
#include "logo/LogoTexts.h"
#include "operation/OperationTexts.h"
#include "operation/ScaleFrame.h"

namespace qm
{

OperationResult sendLogo(const ScaleLink& link, const LogoPicture& picture)
{
    const OpenedScale scale = openScale(link, logotext::kChooseToSend);
    if (!scale)
        return scale;
    if (auto addressed = addressScale(link.session, scale.target.number); !addressed)
        return addressed;
    Feedback& feedback = link.session.feedback();
    if (!SendLogo(link.session, picture))
        return failed(feedback, Failure::plain(FailureKind::NoAck, logotext::kWriteFailed));
    feedback.message(operationtext::kSent);
    return OperationResult::done();
}

OperationResult readLogo(const ScaleLink& link, ValueSink<LogoPicture>& sink, const SaveCommand& save)
{
    const OpenedScale scale = openScale(link, logotext::kChooseToRead);
    if (!scale)
        return scale;
    Feedback& feedback = link.session.feedback();
    // The flag stays as it is after No: the drawing is replaced only by a logo that arrived whole.
    if (!saveFirst(feedback, sink.isModified(), {}, save, logotext::kSaveFirst))
        return OperationResult::cancelled();
    if (auto addressed = addressScale(link.session, scale.target.number); !addressed)
        return addressed;
    LogoPicture picture;
    if (!GetLogo(link.session, picture))
        return failed(feedback, Failure::plain(FailureKind::ReadFailed, logotext::kReadFailed));
    sink.deliver(picture);
    feedback.message(logotext::kRead);
    return OperationResult::done();
}

} // namespace qm
