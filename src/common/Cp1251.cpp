#include "common/Cp1251.h"

namespace qm
{

namespace
{

// 0x80..0xBF; 0xC0..0xFF are А..я in order. 0x98 has no character and keeps its own code.
const char16_t kHigh[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

} // namespace

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::optional<char32_t> decodeUtf8(std::string_view s, size_t& at)
{
    const auto b = static_cast<std::uint8_t>(s[at]);
    char32_t c;
    size_t len;
    char32_t lowest; // below it the form is overlong
    if (b < 0x80) {
        ++at;
        return b;
    } else if ((b & 0xE0) == 0xC0) {
        c = b & 0x1Fu;
        len = 2;
        lowest = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        c = b & 0x0Fu;
        len = 3;
        lowest = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        c = b & 0x07u;
        len = 4;
        lowest = 0x10000;
    } else {
        ++at;
        return std::nullopt;
    }
    if (at + len > s.size()) {
        ++at;
        return std::nullopt;
    }
    for (size_t k = 1; k < len; ++k) {
        const auto cont = static_cast<std::uint8_t>(s[at + k]);
        if ((cont & 0xC0) != 0x80) {
            ++at;
            return std::nullopt;
        }
        c = (c << 6) | (cont & 0x3Fu);
    }
    if (c < lowest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++at;
        return std::nullopt;
    }
    at += len;
    return c;
}

char32_t cp1251ToUnicode(std::uint8_t b)
{
    if (b < 0x80)
        return b;
    if (b >= 0xC0)
        return 0x0410 + (b - 0xC0);
    return kHigh[b - 0x80];
}

std::optional<std::uint8_t> unicodeToCp1251(char32_t ch)
{
    if (ch < 0x80)
        return static_cast<std::uint8_t>(ch);
    if (ch >= 0x0410 && ch <= 0x044F)
        return static_cast<std::uint8_t>(0xC0 + (ch - 0x0410));
    for (int i = 0; i < 64; ++i)
        if (kHigh[i] == ch)
            return static_cast<std::uint8_t>(0x80 + i);
    return std::nullopt;
}

std::string cp1251ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text)
        appendUtf8(out, cp1251ToUnicode(static_cast<std::uint8_t>(c)));
    return out;
}

std::optional<std::string> utf8ToCp1251(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        const auto c = decodeUtf8(s, i);
        const auto byte = c ? unicodeToCp1251(*c) : std::nullopt;
        if (!byte)
            return std::nullopt;
        out += static_cast<char>(*byte);
    }
    return out;
}

std::string cp(std::string_view utf8)
{
    auto r = utf8ToCp1251(utf8);
    return r ? *r : std::string(utf8);
}

bool cellCharAllowed(char32_t ch)
{
    if (ch == '\r' || ch == '\n' || ch == 0x1A)
        return false;
    return unicodeToCp1251(ch).has_value();
}

} // namespace qm
