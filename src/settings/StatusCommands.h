#pragma once
// The scale's status, one price key each way, and the factory settings: each command empties
// the input queue, addresses the scale, sends its bytes and waits for its answer. A failure
// (addressing, or an answer that did not come whole) is reported through the session's
// feedback with the text of that exchange and returned; the outputs are then left as they were.

#include <cstdint>

#include "common/Failure.h"
#include "settings/FactoryCodec.h"
#include "settings/StatusCodec.h"

namespace qm
{

class ScaleSession;

// 0x89; exactly 16 bytes within 200 ms.
OperationResult GetStatus(ScaleSession& session, int scaleNumber, ScaleStatus& status);

// 0x96 and the key (1..54); exactly 5 bytes within 200 ms. An answer of four 0xFF cell bytes
// stands for a failed read and is one.
OperationResult PrSet(ScaleSession& session, int scaleNumber, int key, std::int64_t& cell);

// 0x8B, the cell and the key; exactly one byte, 0xAA, within 500 ms.
OperationResult SendPrSet(ScaleSession& session, int scaleNumber, std::int64_t cell, int key);

// 0x9B; exactly 14 bytes within 200 ms.
OperationResult ReadFactorySettings(ScaleSession& session, int scaleNumber, FactorySettings& settings);

} // namespace qm
