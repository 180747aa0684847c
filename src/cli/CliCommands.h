#pragma once
// The table of commands of qmscales-cli. Adding a command: write its run function in a file
// named after its subject (ProductCliCommands.cpp ...) and add one entry to cliCommands().

#include <string>
#include <vector>

namespace qm::cli
{

class CliContext;

struct CliCommand {
    std::string name;
    std::string usage;                // the words after the command name
    std::string summary;              // one line for --help
    std::vector<std::string> options; // options the command accepts besides the common ones
    int (*run)(CliContext& context);
};

const std::vector<CliCommand>& cliCommands();

// Commands, one group per file.
int runCheckConfig(CliContext& context);
int runTestLink(CliContext& context);
int runKeepConfig(CliContext& context);
int runCheckProducts(CliContext& context);
int runSendProducts(CliContext& context);
int runReadProducts(CliContext& context);
int runDeleteProducts(CliContext& context);
int runCancelRange(CliContext& context);
int runCheckMessages(CliContext& context);
int runSendMessages(CliContext& context);
int runReadMessages(CliContext& context);
int runDeleteMessages(CliContext& context);

} // namespace qm::cli
