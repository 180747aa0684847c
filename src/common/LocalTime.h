#pragma once
// The computer's local time of day broken into its fields, on every platform.

#include <ctime>

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

} // namespace qm
