#include "common/ScaleCodePage.h"

namespace qm
{

std::uint8_t toScaleByte(std::uint8_t b)
{
    if (b >= 0xC0 && b <= 0xEF) // А..п
        return static_cast<std::uint8_t>(b - 0x40);
    if (b >= 0xF0) // р..я
        return static_cast<std::uint8_t>(b - 0x10);
    if (b == 0xA8) // Ё
        return 0xF0;
    if (b == 0xB8) // ё
        return 0xF1;
    return b;
}

std::uint8_t fromScaleByte(std::uint8_t b)
{
    if (b >= 0x80 && b <= 0xAF)
        return static_cast<std::uint8_t>(b + 0x40);
    if (b >= 0xE0 && b <= 0xEF)
        return static_cast<std::uint8_t>(b + 0x10);
    if (b == 0xF0)
        return 0xA8;
    if (b == 0xF1)
        return 0xB8;
    return b;
}

std::string toScale(std::string_view text)
{
    std::string out(text);
    for (auto& c : out)
        c = static_cast<char>(toScaleByte(static_cast<std::uint8_t>(c)));
    return out;
}

std::string fromScale(std::string_view text)
{
    std::string out(text);
    for (auto& c : out)
        c = static_cast<char>(fromScaleByte(static_cast<std::uint8_t>(c)));
    return out;
}

} // namespace qm
