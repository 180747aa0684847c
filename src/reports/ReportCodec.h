#pragma once
// The sales totals on the wire; reports/ReportRows.h shows them.
//
// General totals (answer to 0x85, 41 bytes; binary numbers least significant byte first; 32-bit
// values signed, 24- and 16-bit values unsigned):
//   0      ignored                         20..23 sum over all PLU, kopecks
//   1..4   run counter, mm                 24..26 sales count over all PLU
//   5..8   label counter                   27..30 weight over all PLU, grams
//   9..12  grand total sum, kopecks        31..33 time of the last clearing: hours, minutes,
//   13..15 grand total sales count                seconds, packed BCD
//   16..19 grand total weight, grams       34..36 its date: year, month, day, packed BCD
//                                          37..38 free PLU cells, 39..40 free message cells
// The per-product totals travel in the product record (products/PluCodec.h).

#include <array>
#include <cstdint>

#include "common/WireFields.h"

namespace qm
{

inline constexpr std::uint8_t kGetTotal = 0x85;
inline constexpr std::uint8_t kClearTotalPlu = 0x92;
inline constexpr std::uint8_t kClearTotal = 0x86;
inline constexpr int kGeneralTotalsSize = 41;

struct GeneralTotals {
    std::int32_t runMm = 0;
    std::int32_t labels = 0;
    std::int32_t grandSum = 0; // kopecks
    std::uint32_t grandCount = 0;
    std::int32_t grandWeight = 0; // grams
    std::int32_t pluSum = 0;
    std::uint32_t pluCount = 0;
    std::int32_t pluWeight = 0;
    std::array<std::uint8_t, 3> clearedTime{}; // hours, minutes, seconds, BCD
    std::array<std::uint8_t, 3> clearedDate{}; // year, month, day, BCD
    std::uint16_t freePlu = 0;
    std::uint16_t freeMsg = 0;
};

GeneralTotals decodeGeneralTotals(const std::uint8_t* bytes);
// The general totals record has no answer check: the counters, sums and weights are free binary
// values, and the clock of the last clearing and the free-cell counts are only shown, as the
// scale sends them (a scale with erased memory sends 0xFF there, a clock nibble above 9 shows as
// "?"). Nothing in it can tell a garbled answer from a real one; only a short or late one fails.

// 0x92 and the PLU number in 4 bytes.
Bytes encodeClearTotalPlu(std::int64_t plu);

} // namespace qm
