#pragma once
// Windows code page 1251, the code page of every table cell and file of the program, and its
// conversion to Unicode text (UTF-8 in the messages, QString in the window).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qm
{

char32_t cp1251ToUnicode(std::uint8_t byte);
// nullopt for a character that code page 1251 cannot hold.
std::optional<std::uint8_t> unicodeToCp1251(char32_t ch);

std::string cp1251ToUtf8(std::string_view cp1251);
// nullopt when the text is not valid UTF-8 or holds a character outside code page 1251.
std::optional<std::string> utf8ToCp1251(std::string_view utf8);
// The character that starts at `at` in UTF-8 text, moving `at` past it; nullopt (with `at` moved
// one byte on) for a byte that starts no well-formed character: a stray continuation byte, a cut
// sequence, an overlong form, a surrogate or a value above U+10FFFF.
std::optional<char32_t> decodeUtf8(std::string_view utf8, size_t& at);
void appendUtf8(std::string& out, char32_t ch);
// For the program's own fixed texts, which are all inside code page 1251.
std::string cp(std::string_view utf8);

// Characters a cell may take: any that code page 1251 holds except CR, LF and 0x1A, which would
// break the one-cell-per-line files.
bool cellCharAllowed(char32_t ch);

} // namespace qm
