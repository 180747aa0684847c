#include "link/ScaleSession.h"
#include "messages/MessageTexts.h"
#include "messages/MessageTransfer.h"

namespace qm
{

std::optional<ScaleTarget> openMessageScale(const MessageLink& link, MessageWork work)
{
    const char* noScale = msgtext::kNoScaleWrite;
    if (work == MessageWork::Read)
        noScale = msgtext::kNoScaleRead;
    else if (work == MessageWork::Delete)
        noScale = msgtext::kNoScaleDelete;
    return openScale(link.session, link.config, link.scaleName, noScale);
}

} // namespace qm
