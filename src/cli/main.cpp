// qmscales-cli: the operations of the QM scale utility from a terminal, for scripts and services.
#include <QCoreApplication>
#include <QGuiApplication>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string_view>

#include "cli/Args.h"
#include "cli/CliCommands.h"
#include "cli/CliContext.h"
#include "cli/CliHelp.h"
#include "link/TComm.h"

using namespace qm::cli;

namespace
{

int usageError(const std::string& text)
{
    std::cerr << "qmscales-cli: " << text << "\n";
    return kUsage;
}

// Every option of the program: the common ones and those of every command.
std::vector<std::string> allOptions()
{
    auto known = commonOptions();
    for (const auto& c : cliCommands())
        known.insert(known.end(), c.options.begin(), c.options.end());
    return known;
}

// The printout needs fonts, so a GUI application; it draws into a PDF only, so Qt's offscreen
// platform serves on a machine without a display (a service, a CI runner) as well as on a desktop.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv, bool draws)
{
    if (!draws)
        return std::make_unique<QCoreApplication>(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int main(int argc, char** argv)
{
    // The manual page, written by the build from the same table as --help; hidden from users.
    if (argc == 2 && std::string_view(argv[1]) == "--man") {
        printManPage(std::cout, QM_VERSION, QM_RELEASE_DATE);
        return kOk;
    }
    Args args;
    std::string error;
    const bool parsed = args.parse(argc, argv, allOptions(), error);
    const auto app = makeApplication(argc, argv, parsed && args.command() == "print" && !args.has("help"));
    if (!parsed)
        return usageError(error + " (см. qmscales-cli --help)");
    if (args.has("version")) {
        if (!args.command().empty())
            return usageError("--version не принимает других слов (см. qmscales-cli --help)");
        std::cout << "qmscales-cli " << QM_VERSION << "\n";
        return kOk;
    }
    if (args.command().empty() || args.command() == "help") {
        if (args.command() == "help" && !args.positional().empty()) {
            const CliCommand* command = findCommand(args.positional().front());
            if (!command || args.positional().size() > 1)
                return usageError("help принимает одно имя команды (см. qmscales-cli --help)");
            printCommandHelp(std::cout, *command);
            return kOk;
        }
        const bool asked = args.has("help") || args.command() == "help";
        printHelp(asked ? std::cout : std::cerr);
        return asked ? kOk : kUsage;
    }
    const CliCommand* command = findCommand(args.command());
    if (!command)
        return usageError("неизвестная команда '" + args.command() + "' (см. qmscales-cli --help)");
    if (args.has("help")) {
        printCommandHelp(std::cout, *command);
        return kOk;
    }
    auto known = commonOptions();
    known.insert(known.end(), command->options.begin(), command->options.end());
    const auto unknown = args.unknown(known);
    if (!unknown.empty())
        return usageError("параметр --" + unknown.front() + " не относится к команде " + command->name +
                          " (см. qmscales-cli " + command->name + " --help)");
    const auto& words = args.positional();
    const size_t allowed = command->fileWords();
    const char* const fileWords[] = {"", " FILE", " FILE FILE"};
    if (words.size() > allowed)
        return usageError("лишнее слово '" + words[allowed] + "' после " + command->name + fileWords[allowed] +
                          " (см. qmscales-cli " + command->name + " --help)");
    if (const auto dir = args.value("dir")) {
        std::error_code ec;
        if (!std::filesystem::is_directory(*dir, ec))
            return usageError("папка запуска " + *dir +
                              (std::filesystem::exists(*dir, ec) ? " не является каталогом" : " не существует"));
    }
    CliContext context(std::move(args));
    if (const int prepared = context.prepare(command->needsConfig()); prepared != kOk)
        return prepared;
    int code = kFailed;
    try {
        code = command->run(context);
    } catch (const qm::PortError& e) {
        // A line failure during an exchange ends the operation with the operation's own message;
        // the system's text (often in English) goes to the trace and the --verbose line.
        context.reportPortError(e);
        context.feedback().close(false);
        return kFailed;
    }
    if (code == kFailed)
        context.reportPortDetail();
    // The operation's closing texts: standard output only for a success.
    context.feedback().close(code == kOk);
    return code;
}
