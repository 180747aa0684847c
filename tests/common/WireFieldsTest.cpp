#include <gtest/gtest.h>

#include "common/Cp1251.h"
#include "common/WireFields.h"

using namespace qm;

namespace
{

enum class Kind { Binary, Signed, Digits, Bcd };

// One field: its value, how it is written, and the bytes written by hand from the byte layout.
struct NumberCase {
    const char* what;
    Kind kind;
    int size;
    Order order;
    std::int64_t value;
    Bytes bytes;
};

const NumberCase kNumbers[] = {
    {"binary 1 byte", Kind::Binary, 1, Order::LowFirst, 0xAB, {0xAB}},
    {"binary 2 bytes, low first", Kind::Binary, 2, Order::LowFirst, 1000, {0xE8, 0x03}},
    {"binary 3 bytes, the top of a sales count", Kind::Binary, 3, Order::LowFirst, 16777215, {0xFF, 0xFF, 0xFF}},
    {"binary 4 bytes, a price", Kind::Binary, 4, Order::LowFirst, 999999, {0x3F, 0x42, 0x0F, 0x00}},
    {"signed 4 bytes, -1 of an erased memory", Kind::Signed, 4, Order::LowFirst, -1, {0xFF, 0xFF, 0xFF, 0xFF}},
    {"signed 4 bytes, -5 kopecks", Kind::Signed, 4, Order::LowFirst, -5, {0xFB, 0xFF, 0xFF, 0xFF}},
    {"signed 4 bytes, the highest positive", Kind::Signed, 4, Order::LowFirst, 0x7FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}},
    {"signed 2 bytes, the lowest", Kind::Signed, 2, Order::LowFirst, -32768, {0x00, 0x80}},
    {"digits 6, units first (a product code)", Kind::Digits, 6, Order::LowFirst, 123456, {6, 5, 4, 3, 2, 1}},
    {"digits 3, units first, leading zeros", Kind::Digits, 3, Order::LowFirst, 7, {7, 0, 0}},
    {"digits 2, tens first (a date field)", Kind::Digits, 2, Order::HighFirst, 31, {3, 1}},
    {"BCD 3, highest first (a shelf-life date)", Kind::Bcd, 3, Order::HighFirst, 311225, {0x31, 0x12, 0x25}},
    {"BCD 3, lowest first (a reset time)", Kind::Bcd, 3, Order::LowFirst, 123456, {0x56, 0x34, 0x12}},
    {"BCD 1, the highest", Kind::Bcd, 1, Order::LowFirst, 99, {0x99}},
};

Bytes written(const NumberCase& c)
{
    Bytes out{0xEE}; // a byte already there stays
    switch (c.kind) {
    case Kind::Binary:
    case Kind::Signed:
        appendBinary(out, c.value, c.size);
        break;
    case Kind::Digits:
        appendDigits(out, c.value, c.size, c.order);
        break;
    case Kind::Bcd:
        appendBcd(out, c.value, c.size, c.order);
        break;
    }
    return out;
}

std::int64_t read(const NumberCase& c)
{
    switch (c.kind) {
    case Kind::Binary:
        return readBinary(c.bytes.data(), c.size);
    case Kind::Signed:
        return readSigned(c.bytes.data(), c.size);
    case Kind::Digits:
        return readDigits(c.bytes.data(), c.size, c.order);
    case Kind::Bcd:
        return readBcd(c.bytes.data(), c.size, c.order);
    }
    return 0;
}

} // namespace

TEST(WireFields, NumbersByteForByteBothWays)
{
    for (const NumberCase& c : kNumbers) {
        SCOPED_TRACE(c.what);
        Bytes expected{0xEE};
        expected.insert(expected.end(), c.bytes.begin(), c.bytes.end());
        EXPECT_EQ(written(c), expected);
        EXPECT_EQ(read(c), c.value);
        if (c.kind == Kind::Digits) {
            EXPECT_TRUE(areDigitBytes(c.bytes.data(), c.size));
        }
        if (c.kind == Kind::Bcd) {
            for (const std::uint8_t b : c.bytes)
                EXPECT_TRUE(isBcdByte(b));
        }
    }
}

TEST(WireFields, DamagedDigitsAndNibblesReadAsTheyComeAndFailTheirCheck)
{
    const Bytes digits{4, 0x0A, 0}; // 0x0A is no digit
    EXPECT_FALSE(areDigitBytes(digits.data(), 3));
    EXPECT_EQ(readDigits(digits.data(), 3), 104);
    EXPECT_FALSE(isBcdByte(0x1A));
    EXPECT_FALSE(isBcdByte(0xA1));
    EXPECT_EQ(bcdNibbles(0xF3).high, 15);
    EXPECT_EQ(bcdNibbles(0xF3).low, 3);
    const Bytes erased{0xFF, 0x00}; // high first: 10 x 15 + 15 = 165 hundreds
    EXPECT_EQ(readBcd(erased.data(), 2, Order::HighFirst), 16500);
}

TEST(WireFields, FitsRefuseWhatWouldWrap)
{
    EXPECT_TRUE(fitsBinary(255, 1));
    EXPECT_FALSE(fitsBinary(256, 1));
    EXPECT_TRUE(fitsBinary(0xFFFFFFFFLL, 4));
    EXPECT_FALSE(fitsBinary(0x100000000LL, 4));
    EXPECT_FALSE(fitsBinary(-1, 4));
    EXPECT_TRUE(fitsDigits(999999, 6));
    EXPECT_FALSE(fitsDigits(1000000, 6));
    EXPECT_FALSE(fitsDigits(-1, 2));
}

TEST(WireFields, TextPaddedCutAndInTheScalesCodePage)
{
    struct TextCase {
        const char* what;
        std::string text; // code page 1251
        int width;
        Bytes bytes;
    };
    const TextCase cases[] = {
        {"Ё and ж move to the scale's code page, blanks pad", cp("Ёж"), 4, {0xF0, 0xA6, 0x20, 0x20}},
        {"a longer text is cut", "abcdef", 3, {'a', 'b', 'c'}},
        {"an empty text is all blanks", "", 2, {0x20, 0x20}},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes out;
        appendScaleText(out, c.text, c.width);
        EXPECT_EQ(out, c.bytes);
        EXPECT_EQ(readScaleText(c.bytes.data(), c.width, NulByte::Keep), fieldText(c.text, c.width));
    }
    // 0x00 is kept where a marker may follow it, a blank where it only pads.
    const Bytes nul{'A', 0x00, 0xA6};
    EXPECT_EQ(readScaleText(nul.data(), 3, NulByte::Keep), std::string("A\0", 2) + cp("ж"));
    EXPECT_EQ(readScaleText(nul.data(), 3, NulByte::Blank), "A " + cp("ж"));
}

TEST(WireFields, DotsFirstInTheHighBit)
{
    std::uint8_t packed[2] = {0, 0};
    setDot(packed, 0);  // 0x80 of byte 0
    setDot(packed, 15); // 0x01 of byte 1
    EXPECT_EQ(packed[0], 0x80);
    EXPECT_EQ(packed[1], 0x01);
    EXPECT_TRUE(dotAt(packed, 0));
    EXPECT_FALSE(dotAt(packed, 1));
    EXPECT_TRUE(dotAt(packed, 15));
}
