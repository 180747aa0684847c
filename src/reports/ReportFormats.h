#pragma once
// How the report shows the scale's numbers: sums in roubles and weights in kilograms with a
// decimal comma and no trailing zeros, and clock bytes as two-digit pairs. Every division is done
// in integers, so no kopeck or gram is lost to rounding.

#include <array>
#include <cstdint>
#include <string>

namespace qm
{

inline constexpr std::int64_t kKopecksPerRouble = 100;
inline constexpr std::int64_t kGramsPerKilogram = 1000;

// value / divisor (a power of ten) in the shortest decimal form: 12345/100 "123,45", 150/100
// "1,5", 100/100 "1", 0 "0", -5/100 "-0,05".
std::string decimalText(std::int64_t value, std::int64_t divisor);
inline std::string roublesText(std::int64_t kopecks)
{
    return decimalText(kopecks, kKopecksPerRouble);
}
inline std::string kilogramsText(std::int64_t grams)
{
    return decimalText(grams, kGramsPerKilogram);
}

// A packed BCD byte as two digits (0x09 "09"). A nibble above 9 is no digit: it shows as "?",
// so a damaged byte never widens its field.
std::string bcdPairText(std::uint8_t byte);

// Hours, minutes, seconds bytes: "09:05:07".
std::string clockTimeText(const std::array<std::uint8_t, 3>& hms);
// Year, month, day bytes, written day first: 0x03 0x12 0x31 gives "31.12.03".
std::string clockDateText(const std::array<std::uint8_t, 3>& ymd);

} // namespace qm
