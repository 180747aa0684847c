#pragma once
// The program's help in two forms drawn from one source, the command table: the text of --help
// (80 columns) and the manual page qmscales-cli(1), so that the two never disagree.

#include <iosfwd>
#include <string>

#include "cli/CliCommands.h"

namespace qm::cli
{

void printHelp(std::ostream& out);
void printCommandHelp(std::ostream& out, const CliCommand& command);

// The manual page in roff (man(7)); the build writes it with the hidden option --man.
void printManPage(std::ostream& out, const std::string& version, const std::string& date);

} // namespace qm::cli
