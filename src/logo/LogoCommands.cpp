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
    const auto answer = session.askRecord(encodeGetLogo(), kReadLogoAnswerSize, kLogoWindowMs);
    if (!answer)
        return false;
    picture = decodeGetLogoAnswer(*answer);
    return true;
}

} // namespace qm
