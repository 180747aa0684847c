#include "settings/FactoryTransfer.h"

#include "common/Feedback.h"
#include "link/ScaleSession.h"
#include "operation/ScaleFrame.h"
#include "settings/FactoryCommands.h"
#include "settings/SettingsTexts.h"

namespace qm
{

OperationResult readFactory(const ScaleLink& link, ValueSink<FactorySettings>& sink)
{
    const OpenedScale opened = openScale(link, settingstext::kNoScaleFactory);
    if (!opened)
        return opened;
    ScaleSession& session = link.session;
    if (auto addressed = addressScale(session, opened.target.number); !addressed)
        return addressed;
    FactorySettings settings;
    if (!ReadFactorySettings(session, settings))
        return failed(session.feedback(), Failure::plain(FailureKind::ReadFailed, settingstext::kFactoryReadFailed));
    sink.deliver(settings);
    return OperationResult::done();
}

} // namespace qm
