// The texts the settings fields show for what the scale's records hold.
#include <gtest/gtest.h>

#include "common/Cp1251.h"
#include "settings/SettingsShown.h"

using namespace qm;

TEST(SettingsShown, AShopLineIsShownWithoutThePaddingAndAtMost28Characters)
{
    const std::pair<std::string, std::string> lines[] = {
        {cp("Спасибо") + std::string(21, ' '), cp("Спасибо")},
        {"  a  b  " + std::string(20, ' '), "  a  b"}, // leading and inner blanks place the text
        {std::string(28, ' '), ""},
        {std::string(27, 'x') + "yz", std::string(27, 'x') + "y"}, // a settings file's longer line
    };
    for (const auto& [line, shown] : lines)
        EXPECT_EQ(shownShopLine(line), shown) << line;
}

TEST(SettingsShown, DecimalPointPatterns)
{
    EXPECT_EQ(decimalPointPattern(0), "0");
    EXPECT_EQ(decimalPointPattern(1), "0");
    EXPECT_EQ(decimalPointPattern(2), "0,0");
    EXPECT_EQ(decimalPointPattern(3), "0,00");
    EXPECT_EQ(decimalPointPattern(4), "0,000");
    EXPECT_EQ(decimalPointPattern(5), "0,0000");
    EXPECT_FALSE(decimalPointPattern(6));
    EXPECT_FALSE(decimalPointPattern(7));
    EXPECT_FALSE(decimalPointPattern(255));
}
