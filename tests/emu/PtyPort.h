#pragma once
// The program's end of the line in the emulator's own tests: the pty opened with plain POSIX
// calls, raw, so that the bytes checked are exactly the bytes on the wire.

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace emutest
{

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

class PtyPort
{
  public:
    explicit PtyPort(const std::string& device)
    {
        m_fd = ::open(device.c_str(), O_RDWR | O_NOCTTY);
        if (m_fd < 0)
            throw std::runtime_error("cannot open " + device);
        termios tio{};
        ::tcgetattr(m_fd, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(m_fd, TCSANOW, &tio);
    }
    ~PtyPort() { ::close(m_fd); }
    PtyPort(const PtyPort&) = delete;
    PtyPort& operator=(const PtyPort&) = delete;

    void write(const Bytes& bytes)
    {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
            if (n <= 0)
                throw std::runtime_error("write to the pty failed");
            done += static_cast<std::size_t>(n);
        }
    }

    // Reads until count bytes have come or the time is up; returns what came.
    Bytes read(std::size_t count, int timeoutMs = 1000)
    {
        Bytes out;
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (out.size() < count) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0)
                break;
            pollfd fd{m_fd, POLLIN, 0};
            if (::poll(&fd, 1, static_cast<int>(left)) <= 0)
                continue;
            std::uint8_t buffer[512];
            const ssize_t n = ::read(m_fd, buffer, std::min(sizeof buffer, count - out.size()));
            if (n > 0)
                out.insert(out.end(), buffer, buffer + n);
        }
        return out;
    }

    // Everything that arrives within the time: for checking that the scale stays silent.
    Bytes readFor(int ms) { return read(SIZE_MAX, ms); }

    Bytes exchange(const Bytes& request, std::size_t answerSize, int timeoutMs = 1000)
    {
        write(request);
        return read(answerSize, timeoutMs);
    }

  private:
    int m_fd = -1;
};

} // namespace emutest
