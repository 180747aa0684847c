#pragma once
// The three message commands. Each expects the port open and the scale addressed; none drains
// the input queue or shows a message: the operations decide what a false result means.

#include <cstdint>

#include "messages/MessageCodec.h"

namespace qm
{

class ScaleSession;

inline constexpr int kWriteMsgWindowMs = 900;
inline constexpr int kReadMsgWindowMs = 1000; // one second of real time, not a wrapped millisecond count
inline constexpr int kDeleteMsgWindowMs = 500;
// Deleting a message takes the scale longer than other commands: its addressing gets 900 ms.
inline constexpr int kDeleteMsgAddressWindowMs = 900;

// True when exactly one byte, 0xAA, answers within the window.
bool SendMsg(ScaleSession& session, std::uint16_t number, const MessageLines& lines);
// True when exactly 401 bytes answer, at the first ask or one of the two asked again; lines then
// hold the message. On false the lines are left as they were; a lone 0xEE is not asked again. The answer carries
// nothing to check (see decodeGetMsgAnswer): 401 bytes are taken as they come.
bool GetMsg(ScaleSession& session, std::uint16_t number, MessageLines& lines);
bool DeleteMsg(ScaleSession& session, std::uint16_t number);

} // namespace qm
