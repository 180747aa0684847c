#pragma once
// A log of every byte that crosses the serial port, with time stamps: the service engineer's
// first tool when a line misbehaves.

#include <cstdint>
#include <fstream>
#include <mutex>
#include <string>

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

// One line per call: "2026-12-07 09:15:02.481 TX 05 82", "... RX 05 80".
class FileTrace : public ByteTrace
{
  public:
    explicit FileTrace(const std::string& path);
    bool isOpen() const { return m_out.is_open(); }
    void sent(const std::uint8_t* data, size_t size) override { write("TX", data, size); }
    void received(const std::uint8_t* data, size_t size) override { write("RX", data, size); }
    void note(const std::string& text) override;

  private:
    void write(const char* direction, const std::uint8_t* data, size_t size);
    std::ofstream m_out;
    std::mutex m_mutex;
};

std::string traceTimestamp();

} // namespace qm
