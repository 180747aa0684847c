#pragma once
// The status and price-key commands on an open, addressed link. A read asks a
// lost answer again (ScaleSession::ask); the key write is never repeated. None shows a message or
// empties the input queue first; the operations do, and address the scale before each. A false
// return leaves the outputs as they were.

#include <cstdint>

#include "settings/StatusCodec.h"

namespace qm
{

class ScaleSession;

// 0x89; true with the decoded record when exactly 16 bytes arrive within 200 ms (a lost answer
// is asked again).
bool GetStatus(ScaleSession& session, ScaleStatus& status);

// 0x96 and the key (1..54); true with the key's cell when exactly 5 bytes arrive within 200 ms.
// An answer of four 0xFF cell bytes stands for a failed read and is one (decodePriceKey); any
// other cell is taken as the scale sent it.
bool PrSet(ScaleSession& session, int key, std::int64_t& cell);

// 0x8B, the cell and the key; true on exactly one byte, 0xAA, within 500 ms. A key outside
// 1..54 or a cell that does not fit its four bytes is not sent at all.
bool SendPrSet(ScaleSession& session, std::int64_t cell, int key);

} // namespace qm
