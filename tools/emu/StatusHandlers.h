#pragma once
// The scale's status (0x89), one price key read (0x96) or written (0x8B), and the factory
// settings (0x9B). Keys run 1..54; a key calls up a product cell 1..4000, or 0 for none.

#include "CommandTable.h"

namespace emu
{

CommandResult readStatus(CommandContext& context, const Bytes& data);
CommandResult readPriceKey(CommandContext& context, const Bytes& data);
CommandResult writePriceKey(CommandContext& context, const Bytes& data);
CommandResult readFactory(CommandContext& context, const Bytes& data);

} // namespace emu
