#include "messages/MessageCommands.h"

#include "link/ScaleSession.h"

namespace qm
{

namespace
{

bool acknowledged(ScaleSession& session, int windowMs)
{
    return session.replyWindow(1, windowMs, Count::Exactly) && session.readByte() == kAck;
}

} // namespace

bool SendMsg(ScaleSession& session, std::uint16_t number, const MessageLines& lines)
{
    session.send(encodeSendMsg(number, lines));
    return acknowledged(session, kWriteMsgWindowMs);
}

bool GetMsg(ScaleSession& session, std::uint16_t number, MessageLines& lines)
{
    session.send(encodeGetMsg(number));
    if (!session.replyWindow(kReadMsgAnswerSize, kReadMsgWindowMs, Count::Exactly))
        return false;
    lines = decodeGetMsgAnswer(session.readBytes(kReadMsgAnswerSize));
    return true;
}

bool DeleteMsg(ScaleSession& session, std::uint16_t number)
{
    session.send(encodeDeleteMsg(number));
    return acknowledged(session, kDeleteMsgWindowMs);
}

} // namespace qm
