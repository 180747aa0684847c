#pragma once
// Sums in roubles and weights in kilograms as the report shows them: a decimal comma and no
// trailing zeros, and back. Both ways work in integers, so no kopeck or gram is lost to rounding.

#include <cstdint>
#include <optional>
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

// The reverse: "123,45" with divisor 100 is 12345. A point is taken for the comma. nullopt for
// an empty text, anything but an optional minus, digits and one separator, more fraction digits
// than the divisor has, or a value beyond 64 bits.
std::optional<std::int64_t> decimalValue(const std::string& text, std::int64_t divisor);

} // namespace qm
