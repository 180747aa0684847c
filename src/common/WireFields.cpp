#include "common/WireFields.h"

#include "common/ScaleCodePage.h"

namespace qm
{

namespace
{

// The byte that holds place `i` (0 the least significant) of a field of `size` bytes.
int place(int i, int size, Order order)
{
    return order == Order::LowFirst ? i : size - 1 - i;
}

} // namespace

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

void writeBinary(std::uint8_t* at, std::int64_t value, int size)
{
    auto v = static_cast<std::uint64_t>(value);
    for (int i = 0; i < size; ++i) {
        at[i] = static_cast<std::uint8_t>(v & 0xFF);
        v >>= 8;
    }
}

void appendBinary(Bytes& out, std::int64_t value, int size)
{
    out.resize(out.size() + static_cast<size_t>(size));
    writeBinary(out.data() + out.size() - size, value, size);
}

std::int64_t readBinary(const std::uint8_t* at, int size)
{
    std::int64_t v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = (v << 8) | at[i];
    return v;
}

std::int64_t readSigned(const std::uint8_t* at, int size)
{
    const std::int64_t v = readBinary(at, size);
    const std::int64_t half = std::int64_t{1} << (8 * size - 1);
    return v >= half ? v - 2 * half : v;
}

void appendDigits(Bytes& out, std::int64_t value, int digits, Order order)
{
    const size_t start = out.size();
    out.resize(start + static_cast<size_t>(digits));
    for (int i = 0; i < digits; ++i) {
        out[start + static_cast<size_t>(place(i, digits, order))] = static_cast<std::uint8_t>(value % 10);
        value /= 10;
    }
}

std::int64_t readDigits(const std::uint8_t* at, int digits, Order order)
{
    std::int64_t v = 0;
    for (int i = digits - 1; i >= 0; --i)
        v = v * 10 + at[place(i, digits, order)];
    return v;
}

bool areDigitBytes(const std::uint8_t* at, int count)
{
    for (int i = 0; i < count; ++i)
        if (at[i] > 9)
            return false;
    return true;
}

BcdNibbles bcdNibbles(std::uint8_t byte)
{
    return {byte >> 4, byte & 0x0F};
}

std::uint8_t bcdByte(int value)
{
    return static_cast<std::uint8_t>(((value / 10) << 4) | (value % 10));
}

int bcdValue(std::uint8_t byte)
{
    const BcdNibbles n = bcdNibbles(byte);
    return 10 * n.high + n.low;
}

bool isBcdByte(std::uint8_t byte)
{
    const BcdNibbles n = bcdNibbles(byte);
    return n.high <= 9 && n.low <= 9;
}

void appendBcd(Bytes& out, std::int64_t value, int size, Order order)
{
    const size_t start = out.size();
    out.resize(start + static_cast<size_t>(size));
    for (int i = 0; i < size; ++i) {
        out[start + static_cast<size_t>(place(i, size, order))] = bcdByte(static_cast<int>(value % 100));
        value /= 100;
    }
}

std::int64_t readBcd(const std::uint8_t* at, int size, Order order)
{
    std::int64_t v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = v * 100 + bcdValue(at[place(i, size, order)]);
    return v;
}

std::string fieldText(std::string_view cp1251, int width)
{
    std::string out(cp1251.substr(0, static_cast<size_t>(width)));
    out.resize(static_cast<size_t>(width), ' ');
    return out;
}

std::string scaleFieldText(std::string_view cp1251, int width)
{
    return toScale(fieldText(cp1251, width));
}

void appendScaleText(Bytes& out, std::string_view cp1251, int width)
{
    const std::string field = scaleFieldText(cp1251, width);
    out.insert(out.end(), field.begin(), field.end());
}

std::string readScaleText(const std::uint8_t* at, int width, NulByte nul)
{
    std::string out;
    out.reserve(static_cast<size_t>(width));
    for (int i = 0; i < width; ++i)
        out.push_back(static_cast<char>(at[i] == 0x00 && nul == NulByte::Blank ? ' ' : fromScaleByte(at[i])));
    return out;
}

bool dotAt(const std::uint8_t* packed, int index)
{
    return (packed[index / 8] & (0x80 >> (index % 8))) != 0;
}

void setDot(std::uint8_t* packed, int index)
{
    packed[index / 8] = static_cast<std::uint8_t>(packed[index / 8] | (0x80 >> (index % 8)));
}

} // namespace qm
