#pragma once
// Texts the scale holds, as bytes of its code page, and their readable UTF-8 form in the state
// file. The Cyrillic letters follow code page 866 (0x80..0xAF А..п, 0xE0..0xEF р..я, 0xF0 Ё,
// 0xF1 ё); every other byte stands for the Latin-1 character of the same value. The map is one to
// one, so the logo and certification bytes hidden in product names (0x00, 0x01, 0x02, ...) come
// back exactly.

#include <optional>
#include <string>
#include <string_view>

namespace emu
{

std::string scaleToUtf8(std::string_view scaleBytes);

// Nullopt when the text is not valid UTF-8 or holds a character the scale cannot store.
std::optional<std::string> utf8ToScale(std::string_view utf8);

// A fixed-width field: blanks (0x20) on the right; nullopt when the text is too long or cannot
// be stored.
std::optional<std::string> scaleField(std::string_view utf8, std::size_t width);

} // namespace emu
