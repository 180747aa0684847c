#include "cli/CliCommands.h"

namespace qm::cli
{

const std::vector<CliCommand>& cliCommands()
{
    static const std::vector<CliCommand> commands = {
        {"check-config", "", "check the configuration table", {}, runCheckConfig},
        {"test-link", "--scale NAME", "test the link to one configured scale", {}, runTestLink},
        {"keep-config",
         "FILE.cfl",
         "keep the configuration of FILE.cfl in qm1_6.cfg of the start directory",
         {},
         runKeepConfig},
        {"check-products",
         "FILE",
         "check a product file (.pl6 or .plu) as the product tab checks its table",
         {},
         runCheckProducts},
        {"send-products",
         "--scale NAME FILE [--rows FIRST-LAST] [--virtual] [--no-check]",
         "send a product file to a scale: the whole table, or rows FIRST..LAST",
         {"rows", "virtual", "no-check"},
         runSendProducts},
        {"read-products",
         "--scale NAME (--all | --plu N | --range FIRST-LAST) --out FILE",
         "read products from a scale into a .pl6 or .plu file",
         {"all", "plu", "range", "out"},
         runReadProducts},
        {"delete-products",
         "--scale NAME (--all | --plu N | --range FIRST-LAST) [--yes]",
         "delete products in a scale (asks first unless --yes)",
         {"all", "plu", "range"},
         runDeleteProducts},
        {"cancel-range", "--scale NAME", "cancel the virtual range set in a scale", {}, runCancelRange},
        {"check-messages",
         "FILE",
         "check a message file (.msg) as the message tab checks its table",
         {},
         runCheckMessages},
        {"send-messages",
         "--scale NAME FILE [--rows FIRST-LAST] [--no-check]",
         "send a message file to a scale: the whole table, or rows FIRST..LAST",
         {"rows", "no-check"},
         runSendMessages},
        {"read-messages",
         "--scale NAME (--all | --msg N | --range FIRST-LAST) --out FILE.msg",
         "read messages from a scale into a .msg file",
         {"all", "msg", "range", "out"},
         runReadMessages},
        {"delete-messages",
         "--scale NAME (--all | --msg N | --range FIRST-LAST) [--yes]",
         "delete messages in a scale (asks first unless --yes)",
         {"all", "msg", "range"},
         runDeleteMessages},
    };
    return commands;
}

} // namespace qm::cli
