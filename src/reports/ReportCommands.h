#pragma once
// The totals commands on an open, addressed link. The read asks a lost answer again
// (ScaleSession::ask); the clears are never repeated. None empties the input queue first or shows
// a message: the operations decide what a false result means. The per-product totals are read
// with the product read command (products/ProductCommands.h).

#include <cstdint>

#include "reports/ReportCodec.h"

namespace qm
{

class ScaleSession;

inline constexpr int kGetTotalWindowMs = 200;
inline constexpr int kClearTotalWindowMs = 500;

// 0x85; true when exactly 41 bytes answer within 200 ms (a lost answer is asked again); totals
// then hold them decoded.
bool GetTotal(ScaleSession& session, GeneralTotals& totals);

// 0x92 with the PLU number; true when exactly one byte, 0xAA, answers within 500 ms. The scale
// answers a cell that holds no product with 0xEE: false with emptyCell set.
bool ClearTotalPlu(ScaleSession& session, std::int64_t plu, bool& emptyCell);

// 0x86; true when exactly one byte, 0xAA, answers within 500 ms.
bool ClearTotal(ScaleSession& session);

} // namespace qm
