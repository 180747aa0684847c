#include "settings/DateTimeText.h"

#include <array>

#include "common/LocalTime.h"

namespace qm
{

namespace
{

// Three two-digit fields joined by the separator, nothing around them.
std::optional<std::array<int, 3>> readFields(std::string_view text, char separator)
{
    if (text.size() != 8 || text[2] != separator || text[5] != separator)
        return std::nullopt;
    std::array<int, 3> fields{};
    for (std::size_t i = 0; i < 3; ++i) {
        const char tens = text[3 * i];
        const char units = text[3 * i + 1];
        if (tens < '0' || tens > '9' || units < '0' || units > '9')
            return std::nullopt;
        fields[i] = (tens - '0') * 10 + (units - '0');
    }
    return fields;
}

int daysIn(int month, int year)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && year % 4 == 0 ? 29 : kDays[month - 1];
}

std::string join(int first, int second, int third, char separator)
{
    std::string out;
    for (const int value : {first, second, third}) {
        if (!out.empty())
            out += separator;
        out += static_cast<char>('0' + value / 10 % 10);
        out += static_cast<char>('0' + value % 10);
    }
    return out;
}

} // namespace

std::optional<ScaleDate> parseScaleDate(std::string_view text)
{
    const auto f = readFields(text, '.');
    if (!f)
        return std::nullopt;
    const ScaleDate date{(*f)[0], (*f)[1], (*f)[2]};
    if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > daysIn(date.month, date.year))
        return std::nullopt;
    return date;
}

std::optional<ScaleTime> parseScaleTime(std::string_view text)
{
    const auto f = readFields(text, ':');
    if (!f || (*f)[0] > 23 || (*f)[1] > 59 || (*f)[2] > 59)
        return std::nullopt;
    return ScaleTime{(*f)[0], (*f)[1], (*f)[2]};
}

std::string formatScaleDate(const ScaleDate& date)
{
    return join(date.day, date.month, date.year, '.');
}

std::string formatScaleTime(const ScaleTime& time)
{
    return join(time.hours, time.minutes, time.seconds, ':');
}

ClockReading clockNow()
{
    const std::tm local = localTimeNow();
    ClockReading reading;
    reading.date = ScaleDate{local.tm_mday, local.tm_mon + 1, local.tm_year % 100};
    // A leap second (60) is not a time the scale takes.
    reading.time = ScaleTime{local.tm_hour, local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec};
    return reading;
}

} // namespace qm
