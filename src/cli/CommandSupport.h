#pragma once
// What the scale commands of the command line share: the scale link of the run, the checks of
// their words, and the exit code of an operation's outcome.

#include <optional>
#include <string>
#include <utility>

#include "cli/CliContext.h"
#include "link/ScaleOperation.h"

namespace qm::cli
{

int exitCode(TransferOutcome outcome);

ScaleLink scaleLink(CliContext& context);

// False, with the usage error printed, when --scale is missing.
bool needScale(CliContext& context);

// The command's one positional FILE, relative to the start directory; nullopt (usage error
// printed) when there is not exactly one.
std::optional<std::string> onlyFile(CliContext& context);

// "FIRST-LAST", or one number for a range of one: the two texts as the range dialog's fields.
std::pair<std::string, std::string> splitRange(const std::string& text);

// Exactly one of --all, --<one> N, --range FIRST-LAST.
enum class Selection { None, All, One, Range };
Selection selection(CliContext& context, const std::string& one);

} // namespace qm::cli
