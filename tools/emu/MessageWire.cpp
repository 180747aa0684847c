#include "MessageWire.h"

namespace emu
{

std::uint32_t messageNumber(const Bytes& data)
{
    return getLe(data, 0, 2);
}

WrittenMessage decodeWrittenMessage(const Bytes& data)
{
    WrittenMessage out;
    out.number = messageNumber(data);
    for (std::size_t line = 0; line < kMessageLines; ++line) {
        const auto begin = data.begin() + static_cast<std::ptrdiff_t>(2 + line * kLineWidth);
        out.lines[line] = std::string(begin, begin + kLineWidth);
    }
    return out;
}

Bytes encodeReadMessage(const MessageLines& lines)
{
    Bytes out;
    out.reserve(1 + kMessageTextSize);
    out.push_back(0x00);
    for (const auto& line : lines)
        for (std::size_t i = 0; i < kLineWidth; ++i)
            out.push_back(i < line.size() ? static_cast<std::uint8_t>(line[i]) : std::uint8_t{' '});
    return out;
}

} // namespace emu
