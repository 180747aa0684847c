#pragma once
// The user-settings commands: read (0x95) and write (0x8A) the settings, read (0x98) and write
// (0x94) the shop name, write the date (0x99) and the time (0x9A).

#include "CommandTable.h"

namespace emu
{

CommandResult readUserSet(CommandContext& context, const Bytes& data);
CommandResult writeUserSet(CommandContext& context, const Bytes& data);
CommandResult readShop(CommandContext& context, const Bytes& data);
CommandResult writeShop(CommandContext& context, const Bytes& data);
CommandResult writeDate(CommandContext& context, const Bytes& data);
CommandResult writeTime(CommandContext& context, const Bytes& data);

} // namespace emu
