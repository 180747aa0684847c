#include <gtest/gtest.h>

#include "common/Cp1251.h"
#include "common/ScaleCodePage.h"

TEST(ScaleCodePage, RussianLettersMoveToCode866)
{
    EXPECT_EQ(qm::toScaleByte(0xC0), 0x80); // А
    EXPECT_EQ(qm::toScaleByte(0xEF), 0xAF); // п
    EXPECT_EQ(qm::toScaleByte(0xF0), 0xE0); // р
    EXPECT_EQ(qm::toScaleByte(0xFF), 0xEF); // я
    EXPECT_EQ(qm::toScaleByte(0xA8), 0xF0); // Ё
    EXPECT_EQ(qm::toScaleByte(0xB8), 0xF1); // ё
    // Everything else passes unchanged, the other characters of 0x80..0xBF included.
    for (int b : {0x00, 0x01, 0x02, 0x20, 0x41, 0x7F, 0x80, 0xA0, 0xA9, 0xB9, 0xBF})
        EXPECT_EQ(qm::toScaleByte(static_cast<std::uint8_t>(b)), b);
}

TEST(ScaleCodePage, MapsBackEveryRussianLetter)
{
    for (int b = 0xC0; b <= 0xFF; ++b)
        EXPECT_EQ(qm::fromScaleByte(qm::toScaleByte(static_cast<std::uint8_t>(b))), b);
    EXPECT_EQ(qm::fromScaleByte(0xF0), 0xA8);
    EXPECT_EQ(qm::fromScaleByte(0xF1), 0xB8);
    EXPECT_EQ(qm::fromScaleByte(0xB0), 0xB0); // a box-drawing byte stays as it is
    EXPECT_EQ(qm::fromScaleByte(0xF2), 0xF2);
    EXPECT_EQ(qm::toScale(qm::cp("Ёжик 1")), std::string("\xF0\xA6\xA8\xAA 1"));
}

TEST(Cp1251, ConvertsBothWays)
{
    EXPECT_EQ(qm::cp("№ PLU"), std::string("\xB9 PLU"));
    EXPECT_EQ(qm::cp1251ToUtf8("\xC0\xFF\xA8\xB8\x88"), "АяЁё€");
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(qm::utf8ToCp1251(qm::cp1251ToUtf8(one)), one) << b;
    }
}

TEST(Cp1251, RefusesCharactersItCannotHold)
{
    EXPECT_FALSE(qm::utf8ToCp1251("✓").has_value());
    EXPECT_FALSE(qm::utf8ToCp1251("日本").has_value());
    EXPECT_FALSE(qm::utf8ToCp1251("\xC3").has_value()); // cut UTF-8
    EXPECT_TRUE(qm::cellCharAllowed(U'Ж'));
    EXPECT_TRUE(qm::cellCharAllowed(U'€'));
    EXPECT_FALSE(qm::cellCharAllowed(U'✓'));
    // Line breaks and the end-of-file byte would break the one-cell-per-line files.
    EXPECT_FALSE(qm::cellCharAllowed(U'\r'));
    EXPECT_FALSE(qm::cellCharAllowed(U'\n'));
    EXPECT_FALSE(qm::cellCharAllowed(U'\x1A'));
}
