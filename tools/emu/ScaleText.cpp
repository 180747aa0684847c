#include "ScaleText.h"

#include <cstdint>

namespace emu
{

namespace
{

char32_t unicodeOf(std::uint8_t byte)
{
    if (byte >= 0x80 && byte <= 0xAF)
        return 0x0410 + (byte - 0x80u); // А..п
    if (byte >= 0xE0 && byte <= 0xEF)
        return 0x0440 + (byte - 0xE0u); // р..я
    if (byte == 0xF0)
        return 0x0401; // Ё
    if (byte == 0xF1)
        return 0x0451; // ё
    return byte;
}

std::optional<std::uint8_t> byteOf(char32_t code)
{
    if (code >= 0x0410 && code <= 0x043F)
        return static_cast<std::uint8_t>(0x80 + (code - 0x0410));
    if (code >= 0x0440 && code <= 0x044F)
        return static_cast<std::uint8_t>(0xE0 + (code - 0x0440));
    if (code == 0x0401)
        return std::uint8_t{0xF0};
    if (code == 0x0451)
        return std::uint8_t{0xF1};
    // Latin-1 stands only for the bytes that are not letters of the Cyrillic map.
    if (code <= 0xFF && unicodeOf(static_cast<std::uint8_t>(code)) == code)
        return static_cast<std::uint8_t>(code);
    return std::nullopt;
}

void appendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

} // namespace

std::string scaleToUtf8(std::string_view scaleBytes)
{
    std::string out;
    for (char c : scaleBytes)
        appendUtf8(out, unicodeOf(static_cast<std::uint8_t>(c)));
    return out;
}

std::optional<std::string> utf8ToScale(std::string_view utf8)
{
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<std::uint8_t>(utf8[i]);
        char32_t code = 0;
        std::size_t extra = 0;
        if (lead < 0x80) {
            code = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            code = lead & 0x1Fu;
            extra = 1;
        } else if ((lead & 0xF0) == 0xE0) {
            code = lead & 0x0Fu;
            extra = 2;
        } else {
            return std::nullopt; // four-byte sequences hold nothing the scale can store
        }
        if (i + extra >= utf8.size())
            return std::nullopt;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<std::uint8_t>(utf8[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            code = (code << 6) | (next & 0x3Fu);
        }
        if ((extra == 1 && code < 0x80) || (extra == 2 && code < 0x800))
            return std::nullopt; // overlong forms would give one byte two spellings
        i += extra + 1;
        const auto byte = byteOf(code);
        if (!byte)
            return std::nullopt;
        out += static_cast<char>(*byte);
    }
    return out;
}

std::optional<std::string> scaleField(std::string_view utf8, std::size_t width)
{
    auto bytes = utf8ToScale(utf8);
    if (!bytes || bytes->size() > width)
        return std::nullopt;
    bytes->resize(width, ' ');
    return bytes;
}

} // namespace emu
