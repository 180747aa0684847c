#include "EventLog.h"

#include "Json.h"

namespace emu
{

namespace
{

std::string timeText(double t)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", t);
    return buffer;
}

} // namespace

EventLog::~EventLog()
{
    if (m_file)
        std::fclose(m_file);
}

bool EventLog::open(const std::string& path)
{
    m_file = std::fopen(path.c_str(), "a");
    return m_file != nullptr;
}

void EventLog::byte(double t, LogEntry::Kind direction, std::uint8_t value)
{
    line("{\"t\":" + timeText(t) + ",\"dir\":\"" + (direction == LogEntry::Kind::Rx ? "rx" : "tx") +
         "\",\"b\":" + std::to_string(value) + "}");
}

void EventLog::event(double t, const std::string& text)
{
    line("{\"t\":" + timeText(t) + ",\"event\":" + jsonQuote(text) + "}");
}

void EventLog::line(const std::string& text)
{
    if (!m_file)
        return;
    std::fputs(text.c_str(), m_file);
    std::fputc('\n', m_file);
    std::fflush(m_file);
}

std::optional<LogEntry> parseLogLine(const std::string& line)
{
    const auto json = parseJson(line);
    if (!json || json->type() != JsonValue::Type::Object)
        return std::nullopt;
    const JsonValue* t = json->find("t");
    if (!t || t->type() != JsonValue::Type::Number)
        return std::nullopt;
    LogEntry entry;
    entry.t = t->asNumber();
    if (const JsonValue* event = json->find("event")) {
        if (event->type() != JsonValue::Type::String)
            return std::nullopt;
        entry.kind = LogEntry::Kind::Event;
        entry.event = event->asString();
        return entry;
    }
    const JsonValue* dir = json->find("dir");
    const JsonValue* b = json->find("b");
    if (!dir || !b || dir->type() != JsonValue::Type::String)
        return std::nullopt;
    const auto value = b->asInteger(0, 255);
    if (!value || (dir->asString() != "rx" && dir->asString() != "tx"))
        return std::nullopt;
    entry.kind = dir->asString() == "rx" ? LogEntry::Kind::Rx : LogEntry::Kind::Tx;
    entry.byte = static_cast<std::uint8_t>(*value);
    return entry;
}

std::vector<LogEntry> parseLog(const std::string& text)
{
    std::vector<LogEntry> out;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find('\n', start);
        if (end == std::string::npos)
            break; // not yet complete
        if (auto entry = parseLogLine(text.substr(start, end - start)))
            out.push_back(std::move(*entry));
        start = end + 1;
    }
    return out;
}

} // namespace emu
