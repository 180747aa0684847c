// qmscales-cli: the operations of the QM scale utility from a terminal, for scripts and services.
#include <QCoreApplication>
#include <iostream>

#include "cli/Args.h"
#include "cli/CliCommands.h"
#include "cli/CliContext.h"
#include "link/TComm.h"

using namespace qm::cli;

namespace
{

const std::vector<std::string> kCommonOptions = {"dir", "config", "trace", "scale", "help", "yes"};

void printHelp(std::ostream& out)
{
    out << "Usage: qmscales-cli [--dir DIR] [--config FILE.cfl] [--trace FILE] COMMAND [ARGS]\n"
           "Service tool for QM label scales (утилита обслуживания весов QM).\n\n"
           "Common options:\n"
           "  --dir DIR          start directory (default: the current directory); ports.cfg there maps COMn\n"
           "  --config FILE.cfl  configuration table to use instead of the one kept in qm1_6.cfg\n"
           "  --scale NAME       the scale, by its name in the configuration table\n"
           "  --trace FILE       write every byte on the serial line to FILE with time stamps\n"
           "  --yes              answer Yes to every question\n\n"
           "Commands:\n";
    for (const auto& c : cliCommands())
        out << "  " << c.name << (c.usage.empty() ? "" : " " + c.usage) << "\n      " << c.summary << "\n";
    out << "\nExit status: 0 success, 1 the operation failed, 2 wrong usage.\n";
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Args args;
    std::string error;
    if (!args.parse(argc, argv, error)) {
        std::cerr << "qmscales-cli: " << error << "\n";
        return kUsage;
    }
    if (args.command().empty() || args.command() == "help") {
        printHelp(args.has("help") || args.command() == "help" ? std::cout : std::cerr);
        return args.has("help") || args.command() == "help" ? kOk : kUsage;
    }
    const CliCommand* command = nullptr;
    for (const auto& c : cliCommands())
        if (c.name == args.command())
            command = &c;
    if (!command) {
        std::cerr << "qmscales-cli: unknown command '" << args.command() << "' (see --help)\n";
        return kUsage;
    }
    if (args.has("help")) {
        std::cout << "Usage: qmscales-cli " << command->name << " " << command->usage << "\n  " << command->summary
                  << "\n";
        return kOk;
    }
    auto known = kCommonOptions;
    known.insert(known.end(), command->options.begin(), command->options.end());
    const auto unknown = args.unknown(known);
    if (!unknown.empty()) {
        std::cerr << "qmscales-cli: unknown option --" << unknown.front() << " for " << command->name << "\n";
        return kUsage;
    }
    CliContext context(std::move(args));
    if (!context.prepare())
        return kFailed;
    try {
        return command->run(context);
    } catch (const qm::PortError& e) {
        // A line failure during an exchange ends the operation, as in the window's error box.
        std::cout << "Ошибка порта: " << e.what() << std::endl;
        return kFailed;
    }
}
