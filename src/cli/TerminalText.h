#pragma once
// Texts as a terminal gets them. The program's texts are written for the window ("\r\n" line
// breaks); texts that come from a scale or a file (a shop name, a product name, a file name in a
// message) may hold any byte, and a raw ESC or other control byte would act on the terminal
// (move the cursor, change colours, retitle the window) instead of being shown. Such bytes are
// shown escaped: "\x1b". Files written with --out keep their bytes: only what is printed passes
// through here.

#include <string>

namespace qm::cli
{

// A message: "\r\n" (or a lone "\r") becomes a line break; every other control byte (C0, DEL,
// the C1 controls U+0080..U+009F) and every byte that is not UTF-8 is escaped.
std::string terminalText(const std::string& text);

// A value on one line (a field, a table cell): line breaks and tabs are escaped as well.
std::string shownText(const std::string& text);

} // namespace qm::cli
