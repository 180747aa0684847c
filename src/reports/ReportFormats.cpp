#include "reports/ReportFormats.h"

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

std::string bcdPairText(std::uint8_t byte)
{
    auto digit = [](int nibble) { return nibble <= 9 ? static_cast<char>('0' + nibble) : '?'; };
    return {digit(byte >> 4), digit(byte & 0x0F)};
}

std::string clockTimeText(const std::array<std::uint8_t, 3>& hms)
{
    return bcdPairText(hms[0]) + ":" + bcdPairText(hms[1]) + ":" + bcdPairText(hms[2]);
}

std::string clockDateText(const std::array<std::uint8_t, 3>& ymd)
{
    return bcdPairText(ymd[2]) + "." + bcdPairText(ymd[1]) + "." + bcdPairText(ymd[0]);
}

} // namespace qm
