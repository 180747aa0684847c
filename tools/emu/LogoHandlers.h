#pragma once
// The logo commands: write (0x8C, then the 512 bytes of the logo) and read (0x97; the answer is
// one leading byte and the 512 bytes).

#include "CommandTable.h"

namespace emu
{

// The byte the read's answer starts with; the program skips it.
inline constexpr std::uint8_t kLogoAnswerLead = 0x00;

CommandResult writeLogo(CommandContext& context, const Bytes& data);
CommandResult readLogo(CommandContext& context, const Bytes& data);

// Dots set in the logo: for the log.
int logoDotCount(const LogoBytes& logo);

} // namespace emu
