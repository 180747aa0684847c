#pragma once
// The product commands: write (0x82), read (0x81) and delete (0x8D) one PLU record, and set
// (0x87) or cancel (0x88) the virtual range. PLU numbers run 1..4000.

#include "CommandTable.h"

namespace emu
{

CommandResult writePlu(CommandContext& context, const Bytes& data);
CommandResult readPlu(CommandContext& context, const Bytes& data);
CommandResult deletePlu(CommandContext& context, const Bytes& data);
CommandResult setRange(CommandContext& context, const Bytes& data);
CommandResult cancelRange(CommandContext& context, const Bytes& data);

} // namespace emu
