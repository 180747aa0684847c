#include "messages/MessageCodec.h"

#include "common/ScaleCodePage.h"

namespace qm
{

namespace
{

Bytes commandWithNumber(std::uint8_t command, std::uint16_t number)
{
    return {command, static_cast<std::uint8_t>(number & 0xFF), static_cast<std::uint8_t>(number >> 8)};
}

} // namespace

std::optional<std::uint16_t> messageWireNumber(std::int64_t number)
{
    if (number < 0 || number > 0xFFFF)
        return std::nullopt;
    return static_cast<std::uint16_t>(number);
}

std::string wireLine(std::string_view cp1251)
{
    std::string line = toScale(cp1251.substr(0, kMessageLineWidth));
    line.resize(kMessageLineWidth, ' ');
    return line;
}

Bytes encodeSendMsg(std::uint16_t number, const MessageLines& lines)
{
    Bytes out = commandWithNumber(kWriteMsgCommand, number);
    out.reserve(kWriteMsgSize);
    for (const auto& line : lines)
        for (char c : wireLine(line))
            out.push_back(static_cast<std::uint8_t>(c));
    return out;
}

Bytes encodeGetMsg(std::uint16_t number)
{
    return commandWithNumber(kReadMsgCommand, number);
}

Bytes encodeDeleteMsg(std::uint16_t number)
{
    return commandWithNumber(kDeleteMsgCommand, number);
}

MessageLines decodeGetMsgAnswer(const Bytes& answer)
{
    MessageLines lines;
    for (size_t l = 0; l < lines.size(); ++l) {
        std::string& line = lines[l];
        line.assign(kMessageLineWidth, ' ');
        for (size_t i = 0; i < kMessageLineWidth; ++i) {
            const size_t at = 1 + l * kMessageLineWidth + i;
            const std::uint8_t b = at < answer.size() ? answer[at] : std::uint8_t{' '};
            line[i] = static_cast<char>(b == 0x00 ? std::uint8_t{' '} : fromScaleByte(b));
        }
    }
    return lines;
}

bool isEmptyMessage(const MessageLines& lines)
{
    for (const auto& line : lines)
        if (line.find_first_not_of(' ') != std::string::npos)
            return false;
    return true;
}

} // namespace qm
