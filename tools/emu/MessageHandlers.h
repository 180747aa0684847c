#pragma once
// The message commands: write (0x84), read (0x83) and delete (0x8E) one message, numbered
// 1..1000.

#include "CommandTable.h"

namespace emu
{

CommandResult writeMessage(CommandContext& context, const Bytes& data);
CommandResult readMessage(CommandContext& context, const Bytes& data);
CommandResult deleteMessage(CommandContext& context, const Bytes& data);

} // namespace emu
