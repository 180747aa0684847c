#pragma once
// The state file's part for the logo, as 64 rows of 64 characters from the top, "#" for a printed
// dot and "." for a white one:
//
//   "logo": ["#.......", ...]
//
// Left out, or written only when a dot is set: a white logo.

#include <string>

#include "Json.h"
#include "ScaleState.h"

namespace emu
{

// The logo from its member; an empty string, or what is wrong.
std::string readLogoMember(const JsonValue& value, LogoBytes& logo);

// ",\n \"logo\": [...]" when a dot is set, else nothing.
std::string logoMemberJson(const LogoBytes& logo);

} // namespace emu
