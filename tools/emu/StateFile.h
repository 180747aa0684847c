#pragma once
// The scale's state as a JSON file that tests read and write by hand:
//
// {"number": 1,
//  "range": [1, 4000] or null,
//  "plu": {"3": {"code": 123, "name1": "Молоко", "name2": "", "price": 4550, "shelf": 365,
//                "tare": 20, "group": 7, "message": 0, "resetTime": 0, "resetDate": 0,
//                "sum": 0, "weight": 0, "sales": 0}},
//  "messages": {"7": ["line 1", "line 2", ...]},
//  "logo": ["#...", ...]}   (LogoStateFile.h; the settings and status members as their files say)
//
// "number" is written for the reader; the --number of the emulator decides which number the
// scale answers to. Names and lines are UTF-8 (bytes such as the logo marks inside names appear as \u00XX). A
// short name or line is padded with blanks, missing fields of a record are zero and missing
// lines blank; an unknown key or a value the scale cannot hold is an error, so a typo in a test
// fails loudly instead of loading an empty field.

#include <string>
#include <variant>

#include "ScaleState.h"

namespace emu
{

std::string stateToJson(const ScaleState& state);
std::variant<ScaleState, std::string> stateFromJson(const std::string& json);

// A missing file is the empty scale.
std::variant<ScaleState, std::string> loadStateFile(const std::string& path);
// Writes a temporary file beside the target and renames it into place, so a reader never sees
// half a state. Returns an empty string on success, else the reason.
std::string saveStateFile(const std::string& path, const ScaleState& state);

} // namespace emu
