#pragma once
// How the settings tabs and the command line show what the scale's settings records hold: the
// codecs decode the bytes, these turn the decoded values into the text of a field.

#include <optional>
#include <string>

namespace qm
{

// A shop line as its field shows it: at most 28 characters, without the trailing blanks the
// scale pads each line with (a write pads them back, so they carry nothing). Leading and inner
// blanks stay: they place the text on the label.
std::string shownShopLine(const std::string& line);

// The pattern a decimal point code shows ("0", "0,0" ...); nullopt for a code of 6 or more,
// whose field keeps what it showed.
std::optional<std::string> decimalPointPattern(int code);

} // namespace qm
