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
    // Codes 0 and 1 both mean no decimal places; 6 and more show nothing new.
    const std::pair<int, std::optional<std::string>> codes[] = {
        {0, "0"},      {1, "0"},          {2, "0,0"},        {3, "0,00"},         {4, "0,000"},
        {5, "0,0000"}, {6, std::nullopt}, {7, std::nullopt}, {255, std::nullopt},
    };
    for (const auto& [code, pattern] : codes)
        EXPECT_EQ(decimalPointPattern(code), pattern) << code;
}
