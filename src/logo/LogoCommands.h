#pragma once
// The two logo commands. Each expects the port open and the scale addressed; neither drains the
// input queue first or shows a message. The read asks a lost answer again (ScaleSession::ask),
// the write is never repeated.
//
// Both windows are one second of real time. The session's reply window adds the line time of
// the awaited bytes and of the burst still on the line, so at 2400 baud the 513-byte write is
// given its 2.1 s to leave the port and the 513-byte answer its 2.1 s to arrive.

#include "logo/LogoPicture.h"

namespace qm
{

class ScaleSession;

inline constexpr int kLogoWindowMs = 1000;

// 0x8C and the 512 packed bytes; true when exactly one byte, 0xAA, answers.
bool SendLogo(ScaleSession& session, const LogoPicture& picture);
// 0x97; true when exactly 513 bytes answer, at the first ask or one of the two asked again, the
// picture then holds the logo. On false the picture is left as it was. The answer is taken as it comes: nothing in it
// can be checked (see decodeGetLogoAnswer), so a logo garbled on the line reads as another picture.
bool GetLogo(ScaleSession& session, LogoPicture& picture);

} // namespace qm
