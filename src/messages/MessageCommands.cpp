#include "messages/MessageCommands.h"

#include "link/ScaleSession.h"

namespace qm
{

bool SendMsg(ScaleSession& session, std::uint16_t number, const MessageLines& lines)
{
    session.send(encodeSendMsg(number, lines));
    return session.acknowledged(kWriteMsgWindowMs);
}

bool GetMsg(ScaleSession& session, std::uint16_t number, MessageLines& lines)
{
    const auto answer = session.askRecord(encodeGetMsg(number), kReadMsgAnswerSize, kReadMsgWindowMs);
    if (!answer)
        return false;
    lines = decodeGetMsgAnswer(*answer);
    return true;
}

bool DeleteMsg(ScaleSession& session, std::uint16_t number)
{
    session.send(encodeDeleteMsg(number));
    return session.acknowledged(kDeleteMsgWindowMs);
}

} // namespace qm
