#include <gtest/gtest.h>

#include "common/IntText.h"

using qm::intText;

TEST(IntText, AcceptsDecimalWithBlanksAndSign)
{
    EXPECT_EQ(intText("42"), 42);
    EXPECT_EQ(intText("   42"), 42);
    EXPECT_EQ(intText("+7"), 7);
    EXPECT_EQ(intText("-15"), -15);
    EXPECT_EQ(intText("007"), 7);
    EXPECT_EQ(intText("2147483647"), 2147483647);
    EXPECT_EQ(intText("-2147483648"), -2147483647 - 1);
}

TEST(IntText, AcceptsEveryHexPrefix)
{
    EXPECT_EQ(intText("$10"), 16);
    EXPECT_EQ(intText("x1F"), 31);
    EXPECT_EQ(intText("XfF"), 255);
    EXPECT_EQ(intText("0x10"), 16);
    EXPECT_EQ(intText("0X7fffffff"), 2147483647);
    EXPECT_EQ(intText("-$10"), -16);
    EXPECT_EQ(intText(" $A"), 10);
}

TEST(IntText, RefusesWhatIsNotAWholeNumber)
{
    for (const char* bad : {"", " ", "+", "-", "$", "0x", "12 ", "1 2", "9600 ", "12a", "abc", "1.5", "--1", "+-1",
                            "2147483648", "-2147483649", "$80000000", "0x1G", "\t5"})
        EXPECT_FALSE(intText(bad).has_value()) << '"' << bad << '"';
}

TEST(IntText, RangeHelper)
{
    EXPECT_TRUE(qm::intTextIn("99", 1, 99));
    EXPECT_FALSE(qm::intTextIn("100", 1, 99));
    EXPECT_FALSE(qm::intTextIn("0", 1, 99));
    EXPECT_FALSE(qm::intTextIn("x", 1, 99));
}
