#include "common/DecimalText.h"

#include <limits>

namespace qm
{

std::string decimalText(std::int64_t value, std::int64_t divisor)
{
    // The magnitude as unsigned, so that the lowest 64-bit value has one too.
    const bool negative = value < 0;
    const std::uint64_t magnitude =
        negative ? static_cast<std::uint64_t>(-(value + 1)) + 1 : static_cast<std::uint64_t>(value);
    const auto d = static_cast<std::uint64_t>(divisor);
    std::string text = (negative ? "-" : "") + std::to_string(magnitude / d);
    std::uint64_t rest = magnitude % d;
    if (rest == 0)
        return text;
    std::string fraction;
    for (std::uint64_t unit = d / 10; unit > 0; unit /= 10) {
        fraction += static_cast<char>('0' + rest / unit);
        rest %= unit;
    }
    while (fraction.back() == '0')
        fraction.pop_back();
    return text + "," + fraction;
}

std::optional<std::int64_t> decimalValue(const std::string& text, std::int64_t divisor)
{
    const bool negative = !text.empty() && text.front() == '-';
    const std::string magnitude = text.substr(negative ? 1 : 0);
    const size_t separator = magnitude.find_first_of(",.");
    const std::string whole = magnitude.substr(0, separator);
    const std::string fraction = separator == std::string::npos ? std::string() : magnitude.substr(separator + 1);
    if (whole.empty() && fraction.empty())
        return std::nullopt;
    const auto allDigits = [](const std::string& s) { return s.find_first_not_of("0123456789") == std::string::npos; };
    if (!allDigits(whole) || !allDigits(fraction))
        return std::nullopt;
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (const char c : whole) {
        if (value > (kMax / divisor - (c - '0')) / 10)
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    value *= divisor;
    std::int64_t unit = divisor;
    for (const char c : fraction) {
        unit /= 10;
        if (unit == 0)
            return std::nullopt; // finer than a kopeck or a gram
        value += (c - '0') * unit;
    }
    return negative ? -value : value;
}

} // namespace qm
