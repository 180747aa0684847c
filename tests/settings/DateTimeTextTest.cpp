// The date and time fields: strict two-digit forms, impossible values refused.
#include <gtest/gtest.h>

#include "settings/DateTimeText.h"

using namespace qm;

namespace
{

bool sameDate(const std::optional<ScaleDate>& d, int day, int month, int year)
{
    return d && d->day == day && d->month == month && d->year == year;
}

bool sameTime(const std::optional<ScaleTime>& t, int hours, int minutes, int seconds)
{
    return t && t->hours == hours && t->minutes == minutes && t->seconds == seconds;
}

} // namespace

TEST(DateTimeText, DatesThatExist)
{
    EXPECT_TRUE(sameDate(parseScaleDate("01.07.02"), 1, 7, 2));
    EXPECT_TRUE(sameDate(parseScaleDate("31.12.03"), 31, 12, 3));
    EXPECT_TRUE(sameDate(parseScaleDate("29.02.04"), 29, 2, 4));
    EXPECT_TRUE(sameDate(parseScaleDate("29.02.00"), 29, 2, 0));
    EXPECT_TRUE(sameDate(parseScaleDate("30.04.99"), 30, 4, 99));
}

TEST(DateTimeText, ImpossibleOrMisshapenDatesAreRefused)
{
    for (const char* text :
         {"31.02.05", "29.02.05", "31.04.05", "00.01.05", "01.00.05", "01.13.05", "32.01.05", "1.07.02", "01.07.2002",
          "01/07/02", "01.07.02 ", " 01.07.02", "0a.07.02", "", "01.07.", "01-07-02", "+1.07.02"})
        EXPECT_FALSE(parseScaleDate(text)) << text;
}

TEST(DateTimeText, TimesOnTheTwentyFourHourClock)
{
    EXPECT_TRUE(sameTime(parseScaleTime("13:11:59"), 13, 11, 59));
    EXPECT_TRUE(sameTime(parseScaleTime("00:00:00"), 0, 0, 0));
    EXPECT_TRUE(sameTime(parseScaleTime("23:30:00"), 23, 30, 0));
    for (const char* text :
         {"25:00:00", "24:00:00", "12:60:00", "12:00:60", "1:02:03", "12:00", "12.00.00", "12:00:00 ", "ab:cd:ef", ""})
        EXPECT_FALSE(parseScaleTime(text)) << text;
}

TEST(DateTimeText, FormatsTwoDigitsEach)
{
    EXPECT_EQ(formatScaleDate({5, 3, 4}), "05.03.04");
    EXPECT_EQ(formatScaleTime({14, 7, 9}), "14:07:09");
    EXPECT_EQ(formatScaleDate(*parseScaleDate("31.12.99")), "31.12.99");
}
