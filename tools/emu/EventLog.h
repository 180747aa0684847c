#pragma once
// The emulator's log: JSON lines, one per byte on the line and one per event, flushed line by
// line so that a test can read it while the scale runs.
//
//   {"t":12.345,"dir":"rx","b":1}        a byte the scale received (at its arrival)
//   {"t":12.400,"dir":"tx","b":128}      a byte the scale sent
//   {"t":12.346,"event":"addressed"}     what the scale made of it
//
// t is in milliseconds since the emulator started.

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace emu
{

struct LogEntry {
    enum class Kind { Rx, Tx, Event };
    double t = 0;
    Kind kind = Kind::Event;
    std::uint8_t byte = 0; // Rx, Tx
    std::string event;     // Event
};

class EventLog
{
  public:
    EventLog() = default;
    ~EventLog();
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;

    // Appends to the file; false when it cannot be opened.
    bool open(const std::string& path);
    bool isOpen() const { return m_file != nullptr; }

    void byte(double t, LogEntry::Kind direction, std::uint8_t value);
    void event(double t, const std::string& text);

  private:
    void line(const std::string& text);

    std::FILE* m_file = nullptr;
};

std::optional<LogEntry> parseLogLine(const std::string& line);
// Every well-formed line of a log text; a torn last line (still being written) is left out.
std::vector<LogEntry> parseLog(const std::string& text);

} // namespace emu
