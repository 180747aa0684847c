#pragma once
// The one rule by which every number cell and number field of the program is read:
// leading blanks, an optional sign, then decimal digits, or hexadecimal digits after
// "$", "x", "X", "0x" or "0X"; nothing may follow, and the value must fit 32 signed bits.

#include <cstdint>
#include <optional>
#include <string_view>

namespace qm
{

std::optional<std::int32_t> intText(std::string_view text);

// The value of a text already known to be an integer text (0 otherwise).
std::int32_t intTextValue(std::string_view text);

// True when the text is an integer text with a value in [low, high].
bool intTextIn(std::string_view text, std::int64_t low, std::int64_t high);

} // namespace qm
