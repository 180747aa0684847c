#pragma once
// How the report shows the scale's numbers: sums and weights as common/DecimalText.h writes
// them, and clock bytes as two-digit pairs.

#include <array>
#include <cstdint>
#include <string>

#include "common/DecimalText.h"

namespace qm
{

// A packed BCD byte as two digits (0x09 "09"). A nibble above 9 is no digit: it shows as "?",
// so a damaged byte never widens its field.
std::string bcdPairText(std::uint8_t byte);

// Hours, minutes, seconds bytes: "09:05:07".
std::string clockTimeText(const std::array<std::uint8_t, 3>& hms);
// Year, month, day bytes, written day first: 0x03 0x12 0x31 gives "31.12.03".
std::string clockDateText(const std::array<std::uint8_t, 3>& ymd);

} // namespace qm
