#include "products/WireFields.h"

namespace qm
{

bool fitsBinary(std::int64_t value, int size)
{
    return value >= 0 && (size >= 8 || value < (std::int64_t{1} << (8 * size)));
}

bool fitsDigits(std::int64_t value, int digits)
{
    std::int64_t limit = 1;
    for (int i = 0; i < digits; ++i)
        limit *= 10;
    return value >= 0 && value < limit;
}

void appendBinary(Bytes& out, std::int64_t value, int size)
{
    auto v = static_cast<std::uint64_t>(value);
    for (int i = 0; i < size; ++i) {
        out.push_back(static_cast<std::uint8_t>(v & 0xFF));
        v >>= 8;
    }
}

void appendDigits(Bytes& out, std::int64_t value, int digits)
{
    for (int i = 0; i < digits; ++i) {
        out.push_back(static_cast<std::uint8_t>(value % 10));
        value /= 10;
    }
}

std::uint8_t bcdByte(int value)
{
    return static_cast<std::uint8_t>(((value / 10) << 4) | (value % 10));
}

std::int64_t readBinary(const std::uint8_t* at, int size)
{
    std::int64_t v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = (v << 8) | at[i];
    return v;
}

std::int64_t readDigits(const std::uint8_t* at, int digits)
{
    std::int64_t v = 0;
    for (int i = digits - 1; i >= 0; --i)
        v = v * 10 + at[i];
    return v;
}

int bcdValue(std::uint8_t byte)
{
    return 10 * (byte >> 4) + (byte & 0x0F);
}

bool isBcdByte(std::uint8_t byte)
{
    return (byte >> 4) <= 9 && (byte & 0x0F) <= 9;
}

} // namespace qm
