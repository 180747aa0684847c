#include "WireCodec.h"

namespace emu
{

void putLe(Bytes& out, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i) {
        out.push_back(static_cast<std::uint8_t>(value & 0xFF));
        value >>= 8;
    }
}

std::uint32_t getLe(const Bytes& in, std::size_t offset, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | in.at(offset + static_cast<std::size_t>(i));
    return value;
}

void putDigits(Bytes& out, std::uint32_t value, int digits)
{
    for (int i = 0; i < digits; ++i) {
        out.push_back(static_cast<std::uint8_t>(value % 10));
        value /= 10;
    }
}

std::optional<std::uint32_t> getDigits(const Bytes& in, std::size_t offset, int digits)
{
    std::uint32_t value = 0;
    for (int i = digits - 1; i >= 0; --i) {
        const std::uint8_t digit = in.at(offset + static_cast<std::size_t>(i));
        if (digit > 9)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

std::uint8_t toBcd(std::uint32_t value)
{
    return static_cast<std::uint8_t>(((value / 10 % 10) << 4) | (value % 10));
}

std::optional<std::uint32_t> fromBcd(std::uint8_t byte)
{
    const std::uint32_t high = byte >> 4;
    const std::uint32_t low = byte & 0x0F;
    if (high > 9 || low > 9)
        return std::nullopt;
    return high * 10 + low;
}

} // namespace emu
