#include "logo/LogoCommands.h"

#include "link/ScaleSession.h"
#include "logo/LogoCodec.h"

namespace qm
{

bool SendLogo(ScaleSession& session, const LogoPicture& picture)
{
    session.send(encodeSendLogo(picture));
    return session.acknowledged(kLogoWindowMs);
}

bool GetLogo(ScaleSession& session, LogoPicture& picture)
{
    session.send(encodeGetLogo());
    if (!session.replyWindow(kReadLogoAnswerSize, kLogoWindowMs, Count::Exactly))
        return false;
    picture = decodeGetLogoAnswer(session.readBytes(kReadLogoAnswerSize));
    return true;
}

} // namespace qm
