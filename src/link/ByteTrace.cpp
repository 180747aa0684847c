#include "link/ByteTrace.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "common/PosixFiles.h"
#include "common/RegularFile.h"

namespace qm
{

std::string traceTimestamp()
{
    const auto now = std::chrono::system_clock::now();
    const auto t = std::chrono::system_clock::to_time_t(now);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &t); // the same, with the arguments the other way round
#else
    localtime_r(&t, &tm);
#endif
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%03d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                  tm.tm_hour, tm.tm_min, tm.tm_sec, static_cast<int>(ms));
    return buf;
}

std::string traceFailedText(const std::string& path, const std::error_code& ec)
{
    return "Не удается открыть файл трассировки обмена \"" + pathText(path) + "\":\r\n" + fileErrorText(ec) + ".";
}

FileTrace::FileTrace(const std::string& path)
{
    // Looked at before opening: opening a device may already act on it. A missing file is made.
    m_error = regularFileKind(path);
    if (m_error && m_error != std::errc::no_such_file_or_directory)
        return;
#ifdef QM_POSIX_FILES
    struct stat st {
    };
    m_fd = openRegularFile(path, O_WRONLY | O_APPEND | O_CREAT, st, m_error);
#else
    m_out.open(path, std::ios::out | std::ios::app);
    m_error = m_out.is_open() ? std::error_code() : std::make_error_code(std::errc::io_error);
#endif
}

FileTrace::~FileTrace()
{
#ifdef QM_POSIX_FILES
    if (m_fd >= 0)
        ::close(m_fd);
#endif
}

void FileTrace::append(const std::string& line)
{
    if (m_error)
        return;
#ifdef QM_POSIX_FILES
    // One write a line, so that lines of several ports never interleave; a full disk loses lines
    // of the trace, never the exchange.
    size_t done = 0;
    while (done < line.size()) {
        const ssize_t n = ::write(m_fd, line.data() + done, line.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += static_cast<size_t>(n);
    }
#else
    m_out << line;
    m_out.flush();
#endif
}

void FileTrace::write(const char* direction, const std::uint8_t* data, size_t size)
{
    std::string line = traceTimestamp() + ' ' + direction;
    char hex[4];
    for (size_t i = 0; i < size; ++i) {
        std::snprintf(hex, sizeof hex, " %02X", data[i]);
        line += hex;
    }
    line += '\n';
    std::lock_guard<std::mutex> lock(m_mutex);
    append(line);
}

void FileTrace::note(const std::string& text)
{
    const std::string line = traceTimestamp() + " -- " + text + '\n';
    std::lock_guard<std::mutex> lock(m_mutex);
    append(line);
}

} // namespace qm
