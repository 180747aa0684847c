#pragma once
// A log of every byte that crosses the serial port, with time stamps: the service engineer's
// first tool when a line misbehaves.

#include <cstdint>
#include <fstream>
#include <mutex>
#include <string>
#include <system_error>

namespace qm
{

class ByteTrace
{
  public:
    virtual ~ByteTrace() = default;
    virtual void sent(const std::uint8_t* data, size_t size) = 0;
    virtual void received(const std::uint8_t* data, size_t size) = 0;
    virtual void note(const std::string& text) = 0;
};

// One line per call: "2026-12-07 09:15:02.481 TX 05 82", "... RX 05 80". Appended to a regular
// file only: a FIFO, a device, a socket or a directory is refused at once (a FIFO without a
// reader would block the open, and with one every byte of the port would go to it).
class FileTrace : public ByteTrace
{
  public:
    explicit FileTrace(const std::string& path);
    ~FileTrace() override;
    FileTrace(const FileTrace&) = delete;
    FileTrace& operator=(const FileTrace&) = delete;
    bool isOpen() const { return !m_error; }
    // Why the file could not be opened, when it could not.
    const std::error_code& error() const { return m_error; }
    void sent(const std::uint8_t* data, size_t size) override { write("TX", data, size); }
    void received(const std::uint8_t* data, size_t size) override { write("RX", data, size); }
    void note(const std::string& text) override;

  private:
    void write(const char* direction, const std::uint8_t* data, size_t size);
    void append(const std::string& line);
    std::error_code m_error;
    int m_fd = -1;       // where the system has file descriptors
    std::ofstream m_out; // elsewhere
    std::mutex m_mutex;
};

// "Не удается открыть файл трассировки обмена \"PATH\":\r\nREASON."
std::string traceFailedText(const std::string& path, const std::error_code& ec);

std::string traceTimestamp();

} // namespace qm
