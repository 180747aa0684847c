#include "cli/CliCommands.h"

namespace qm::cli {

const std::vector<CliCommand>& cliCommands()
{
    static const std::vector<CliCommand> commands = {
        {"check-config", "", "check the configuration table", {}, runCheckConfig},
        {"test-link", "--scale NAME", "test the link to one configured scale", {}, runTestLink},
    };
    return commands;
}

}  // namespace qm::cli
