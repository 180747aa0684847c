#include "cli/TerminalText.h"

#include <cstdio>

namespace qm::cli
{

namespace
{

void appendEscaped(std::string& out, unsigned value)
{
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02x", value);
    out += escaped;
}

// The length of the well-formed UTF-8 sequence at `at` (shortest form, no surrogates, at most
// U+10FFFF), 0 when the byte there starts none.
size_t sequenceLength(const std::string& text, size_t at)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (size_t i = 2; i < length; ++i)
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF)
            return 0;
    return length;
}

std::string escaped(const std::string& text, bool lineBreaks)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (lineBreaks && (c == '\r' || c == '\n')) {
            out += '\n';
            i += c == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
        } else if (c < 0x20 || c == 0x7F) {
            appendEscaped(out, c);
            ++i;
        } else if (c < 0x80) {
            out += text[i++];
        } else if (const size_t length = sequenceLength(text, i); length == 0) {
            appendEscaped(out, c);
            ++i;
        } else if (c == 0xC2 && static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            // A C1 control: code page 1251's 0x98, which has no character, converts to U+0098.
            appendEscaped(out, static_cast<unsigned char>(text[i + 1]));
            i += 2;
        } else {
            out.append(text, i, length);
            i += length;
        }
    }
    return out;
}

} // namespace

std::string terminalText(const std::string& text)
{
    return escaped(text, true);
}

std::string shownText(const std::string& text)
{
    return escaped(text, false);
}

} // namespace qm::cli
