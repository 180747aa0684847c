#include "link/ByteTrace.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace qm
{

std::string traceTimestamp()
{
    const auto now = std::chrono::system_clock::now();
    const auto t = std::chrono::system_clock::to_time_t(now);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm tm{};
    localtime_r(&t, &tm);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%03d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                  tm.tm_hour, tm.tm_min, tm.tm_sec, static_cast<int>(ms));
    return buf;
}

FileTrace::FileTrace(const std::string& path) : m_out(path, std::ios::out | std::ios::app) {}

void FileTrace::write(const char* direction, const std::uint8_t* data, size_t size)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_out << traceTimestamp() << ' ' << direction;
    char hex[4];
    for (size_t i = 0; i < size; ++i) {
        std::snprintf(hex, sizeof hex, " %02X", data[i]);
        m_out << hex;
    }
    m_out << '\n';
    m_out.flush();
}

void FileTrace::note(const std::string& text)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_out << traceTimestamp() << " -- " << text << '\n';
    m_out.flush();
}

} // namespace qm
