#include "reports/ReportFormats.h"

namespace qm
{

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
