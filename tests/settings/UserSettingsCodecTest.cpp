// The user settings, shop name, date and time records, byte for byte from their layouts.
#include <gtest/gtest.h>

#include "common/Cp1251.h"
#include "settings/UserSettingsCodec.h"

using namespace qm;

namespace
{

Bytes join(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

UserSettings tabDefaults()
{
    UserSettings s;
    s.department = 46;
    s.labelFormat = 41;
    s.barcodeFormat = 4;
    s.printOffset = 10;
    s.options = 59;
    s.minWeight = 10;
    return s;
}

} // namespace

TEST(UserSettingsCodec, WriteRecordByteForByte)
{
    UserSettings s = tabDefaults();
    s.department = 7;
    s.minWeight = 6000;
    const auto bytes = encodeUserSetWrite(s);
    ASSERT_TRUE(bytes);
    const Bytes expected = {0x8A,             // command
                            0x07, 0x00, 0x00, // department 7, units first
                            0x29,             // label format 41
                            0x04,             // bar-code format 4
                            0x0A,             // print offset 10 mm
                            0x3B,             // options 59
                            0x70, 0x17};      // weight change 6000, low byte first
    EXPECT_EQ(*bytes, expected);
}

namespace
{
Bytes departmentBytes(int department)
{
    UserSettings s = tabDefaults();
    s.department = department;
    const Bytes bytes = *encodeUserSetWrite(s);
    return Bytes(bytes.begin() + 1, bytes.begin() + 4);
}
} // namespace

TEST(UserSettingsCodec, DepartmentDigitsAndLimits)
{
    EXPECT_EQ(departmentBytes(999), (Bytes{9, 9, 9}));
    EXPECT_EQ(departmentBytes(305), (Bytes{5, 0, 3}));
    EXPECT_EQ(departmentBytes(0), (Bytes{0, 0, 0}));
    UserSettings s = tabDefaults();
    s.department = 1000;
    EXPECT_FALSE(encodeUserSetWrite(s));
    s.department = -1;
    EXPECT_FALSE(encodeUserSetWrite(s));
    s = tabDefaults();
    s.minWeight = 65536;
    EXPECT_FALSE(encodeUserSetWrite(s));
}

TEST(UserSettingsCodec, OneByteFieldsCarryTheirLowEightBits)
{
    UserSettings s = tabDefaults();
    s.labelFormat = 0x1FF;
    s.printOffset = 300;
    const Bytes bytes = *encodeUserSetWrite(s);
    EXPECT_EQ(bytes[4], 0xFF);
    EXPECT_EQ(bytes[6], 0x2C);
}

TEST(UserSettingsCodec, ReadRecordIgnoresItsFirstByte)
{
    const Bytes record = {0x95,             // ignored
                          0x06, 0x04, 0x01, // department 146
                          0x3A,             // label format 58
                          0x08,             // bar-code format 8
                          0x63,             // print offset 99
                          0x85,             // options: bits 0, 2 and 7
                          0x34, 0x12};      // weight change 0x1234
    const UserSettings s = decodeUserSet(record.data());
    EXPECT_EQ(s.department, 146);
    EXPECT_EQ(s.labelFormat, 58);
    EXPECT_EQ(s.barcodeFormat, 8);
    EXPECT_EQ(s.printOffset, 99);
    EXPECT_EQ(s.options, 0x85);
    EXPECT_EQ(s.minWeight, 0x1234);
    EXPECT_EQ(decodeUserSet(encodeUserSetWrite(tabDefaults())->data()), tabDefaults());
}

TEST(UserSettingsCodec, DepartmentDigitsOverNineAreNoRecord)
{
    Bytes record = {0xFF,             // ignored, whatever it holds
                    0x09, 0x09, 0x09, // department 999
                    0xFF, 0xFF, 0xFF, // label format, bar-code format, offset: free bytes
                    0xFF,             // options
                    0xFF, 0xFF};      // weight change 65535
    EXPECT_TRUE(isUserSetRecord(record.data()));
    for (size_t at : {1u, 2u, 3u}) {
        Bytes bad = record;
        bad[at] = 0x0A;
        EXPECT_FALSE(isUserSetRecord(bad.data())) << at;
    }
    // Garbled on the line (every byte XOR 0xFF): department 146 arrives as 0xF9 0xFB 0xFE.
    Bytes garbled = {0x00, 0x06, 0x04, 0x01, 0x3A, 0x08, 0x63, 0x85, 0x34, 0x12};
    EXPECT_TRUE(isUserSetRecord(garbled.data()));
    for (auto& b : garbled)
        b = static_cast<std::uint8_t>(b ^ 0xFF);
    EXPECT_FALSE(isUserSetRecord(garbled.data()));
}

TEST(UserSettingsCodec, ShopWriteConvertsPadsAndCuts)
{
    ShopName shop{cp("Ёлка ёж Ая"), std::string(40, 'x')};
    const Bytes expected = join({{0x94},                                                       // command
                                 {0xF0, 0xAB, 0xAA, 0xA0, 0x20, 0xF1, 0xA6, 0x20, 0x80, 0xEF}, // Ёлка ёж Ая
                                 Bytes(18, 0x20),                                              // padding
                                 Bytes(28, 'x')});                                             // first 28 of 40
    EXPECT_EQ(encodeShopWrite(shop), expected);
    EXPECT_EQ(encodeShopWrite(ShopName{}), join({{0x94}, Bytes(56, 0x20)}));
}

TEST(UserSettingsCodec, ShopReadConvertsBackAndBlanksZeros)
{
    const Bytes record = join({{0x00},                                     // ignored
                               {0x91, 0xAF, 0xA0, 0xE1, 0xA8, 0xA1, 0xAE}, // Спасибо
                               {0x00, 0x00},                               // zeros read as blanks
                               Bytes(19, 0x20),
                               {'z', 0xA0, 0x20, 0xAF, 0xAE, 0xAA, 0xE3, 0xAF, 0xAA, 0xE3, 0x20, '!'},
                               Bytes(16, 0x20)});
    ASSERT_EQ(record.size(), 57u);
    const ShopName shop = decodeShop(record.data());
    EXPECT_EQ(shop.line1, cp("Спасибо") + std::string(21, ' '));
    EXPECT_EQ(shop.line2, cp("zа покупку !") + std::string(16, ' '));
}

TEST(UserSettingsCodec, DateAndTimeTensBeforeUnits)
{
    EXPECT_EQ(encodeDate({5, 3, 4}), (Bytes{0x99, 0, 5, 0, 3, 0, 4}));
    EXPECT_EQ(encodeDate({31, 12, 99}), (Bytes{0x99, 3, 1, 1, 2, 9, 9}));
    EXPECT_EQ(encodeTime({14, 7, 9}), (Bytes{0x9A, 1, 4, 0, 7, 0, 9}));
    EXPECT_EQ(encodeTime({23, 59, 58}), (Bytes{0x9A, 2, 3, 5, 9, 5, 8}));
    EXPECT_FALSE(encodeDate({1, 1, 2004}));
    EXPECT_FALSE(encodeTime({-1, 0, 0}));
}
