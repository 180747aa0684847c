#include "operation/ScaleFrame.h"

#include "common/Feedback.h"
#include "common/IntText.h"
#include "config/ConfigTable.h"
#include "operation/OperationTexts.h"

namespace qm
{

std::optional<ScaleTarget> findScale(Feedback& feedback, const Table& config, const std::string& chooserText,
                                     const std::string& noScaleMessage)
{
    const int row = NumberColFrom(config, chooserText);
    if (row < 0) {
        feedback.message(noScaleMessage);
        return std::nullopt;
    }
    int code = 0;
    int column = -1;
    if (CfgCheckError(config, row, code, column)) {
        feedback.moveCursor(TableId::Config, row, column);
        feedback.message(msg::kCheckConfig);
        return std::nullopt;
    }
    ScaleTarget t;
    t.row = row;
    t.number = *intText(config.cell(row, cfgcol::Number));
    t.name = config.cell(row, cfgcol::Name);
    t.port = config.cell(row, cfgcol::Port);
    t.speed = config.cell(row, cfgcol::Speed);
    return t;
}

std::optional<ScaleTarget> openScale(ScaleSession& session, const Table& config, const std::string& chooserText,
                                     const std::string& noScaleMessage)
{
    auto target = findScale(session.feedback(), config, chooserText, noScaleMessage);
    if (!target)
        return std::nullopt;
    if (!session.Connection(target->port, target->speed)) {
        session.feedback().message(msg::kPortBusy);
        return std::nullopt;
    }
    return target;
}

bool addressScale(ScaleSession& session, int scaleNumber, bool emptyQueueFirst, int windowMs)
{
    switch (session.address(scaleNumber, emptyQueueFirst, windowMs)) {
    case AddressResult::Ready:
        return true;
    case AddressResult::NoLink:
        session.feedback().message(msg::kNoLink);
        return false;
    case AddressResult::NotReady:
        session.feedback().message(msg::kNotReady);
        return false;
    }
    return false;
}

} // namespace qm
