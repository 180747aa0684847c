#pragma once
// The sales totals commands: read the general totals (0x85), clear one product's totals (0x92),
// clear the grand total (0x86). A clear stamps the scale's own clock as the time of clearing.

#include "CommandTable.h"

namespace emu
{

CommandResult readTotals(CommandContext& context, const Bytes& data);
CommandResult clearTotalPlu(CommandContext& context, const Bytes& data);
CommandResult clearTotal(CommandContext& context, const Bytes& data);

} // namespace emu
