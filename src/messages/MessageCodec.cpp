#include "messages/MessageCodec.h"

namespace qm
{

namespace
{

Bytes commandWithNumber(std::uint8_t command, std::uint16_t number)
{
    Bytes out{command};
    appendBinary(out, number, 2);
    return out;
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
    return scaleFieldText(cp1251, kMessageLineWidth);
}

Bytes encodeSendMsg(std::uint16_t number, const MessageLines& lines)
{
    Bytes out = commandWithNumber(kWriteMsgCommand, number);
    out.reserve(kWriteMsgSize);
    for (const auto& line : lines)
        appendScaleText(out, line, kMessageLineWidth);
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
    // A short answer reads as blanks where it ends.
    Bytes full = answer;
    full.resize(kReadMsgAnswerSize, ' ');
    MessageLines lines;
    for (size_t l = 0; l < lines.size(); ++l)
        lines[l] = readScaleText(full.data() + 1 + l * kMessageLineWidth, kMessageLineWidth, NulByte::Blank);
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
