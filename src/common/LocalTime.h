#pragma once
// The computer's local time of day broken into its fields, on every platform, and its text.

#include <ctime>
#include <string>

namespace qm
{

inline std::tm localTimeNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local;
}

// The fields as `format` (strftime's) writes them; numeric formats read the same under every locale.
inline std::string timeText(const std::tm& time, const char* format)
{
    char text[64];
    const size_t n = std::strftime(text, sizeof text, format, &time);
    return std::string(text, n);
}

} // namespace qm
