#pragma once
// The date and time fields of the settings tab: "DD.MM.YY" and "HH:MM:SS", two digits each,
// read the same whatever the machine's locale, and formatted back the same way.

#include <optional>
#include <string_view>

#include "settings/UserSettingsCodec.h"

namespace qm
{

// Nullopt unless the text is exactly two digits, a point, two digits, a point, two digits and
// names a day that exists; the two-digit year counts from 2000, so 29.02.00 exists.
std::optional<ScaleDate> parseScaleDate(std::string_view text);
// Nullopt unless the text is exactly HH:MM:SS on the 24-hour clock.
std::optional<ScaleTime> parseScaleTime(std::string_view text);

std::string formatScaleDate(const ScaleDate& date);
std::string formatScaleTime(const ScaleTime& time);

// The computer's local date and time as the scale takes them (the year modulo 100).
struct ClockReading {
    ScaleDate date;
    ScaleTime time;
};
ClockReading clockNow();

} // namespace qm
