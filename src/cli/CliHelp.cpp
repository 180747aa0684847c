#include "cli/CliHelp.h"

#include <iomanip>
#include <ostream>
#include <vector>

namespace qm::cli
{

namespace
{

const char* const kProgram = "qmscales-cli";
const char* const kSynopsis = "[--dir DIR] [--config FILE.cfl] [--trace FILE] [--verbose] COMMAND [ARGS]";
const char* const kDescription = "Service tool for QM label scales (утилита обслуживания весов QM)";
const char* const kOneCommand = "qmscales-cli COMMAND --help shows one command.";
const char* const kExitStatus = "0 success, 1 the operation failed, 2 wrong usage.";
const char* const kRelativePaths =
    "Relative paths (FILE, --out, --config, --trace) are taken from the current directory.";

struct OptionHelp {
    const char* flags;
    const char* text; // a line break continues the text on the next line, under its start
};

const std::vector<OptionHelp>& commonOptionsHelp()
{
    static const std::vector<OptionHelp> options = {
        {"--dir DIR", "start directory (default: the current directory): its qm1_6.cfg\n"
                      "holds the kept configuration, its ports.cfg maps COMn to devices"},
        {"--config FILE.cfl", "configuration table to use instead of the one kept in qm1_6.cfg"},
        {"--scale NAME", "the scale, by its name in the configuration table"},
        {"--trace FILE", "write every byte on the serial line to FILE with time stamps"},
        {"--verbose", "also print the system's own text of a port failure"},
        {"--yes", "answer Yes to every question"},
        {"-h, --help", "show this help (after a command: that command's help)"},
        {"--version", "show the program's version"},
    };
    return options;
}

void printCommonOptions(std::ostream& out)
{
    constexpr int kFlagsWidth = 19;
    for (const auto& o : commonOptionsHelp()) {
        out << "  " << std::left << std::setw(kFlagsWidth) << o.flags;
        for (const char* c = o.text; *c; ++c)
            out << *c << (*c == '\n' ? std::string(2 + kFlagsWidth, ' ') : "");
        out << "\n";
    }
    out << kRelativePaths << "\n";
}

// The table's texts break long lines for the terminal ("\n      "); a manual page fills its own.
std::string joinLines(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n') {
            out += text[i];
            continue;
        }
        while (i + 1 < text.size() && text[i + 1] == ' ')
            ++i;
        out += ' ';
    }
    return out;
}

// Text for a roff line: a backslash printed as itself, "-" as the hyphen-minus that options are
// typed with, and a leading "." or "'" kept from being read as a request.
std::string roff(const std::string& text)
{
    std::string out = (!text.empty() && (text[0] == '.' || text[0] == '\'')) ? "\\&" : "";
    for (const char c : joinLines(text)) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
    }
    return out;
}

std::string bold(const std::string& text)
{
    return "\\fB" + roff(text) + "\\fR";
}

} // namespace

void printHelp(std::ostream& out)
{
    out << "Usage: " << kProgram << " " << kSynopsis << "\n" << kDescription << ".\n\nCommon options:\n";
    printCommonOptions(out);
    out << "\nCommands:\n";
    for (const auto& c : cliCommands())
        out << "  " << c.name << (c.usage.empty() ? "" : " " + c.usage) << "\n      " << c.summary << "\n";
    out << "\n" << kOneCommand << "\nExit status: " << kExitStatus << "\n";
}

void printCommandHelp(std::ostream& out, const CliCommand& command)
{
    out << "Usage: " << kProgram << " [common options] " << command.name
        << (command.usage.empty() ? "" : " " + command.usage) << "\n  " << command.summary << "\n\nCommon options:\n";
    printCommonOptions(out);
    out << "\nExit status: " << kExitStatus << "\n";
}

void printManPage(std::ostream& out, const std::string& version)
{
    out << ".TH QMSCALES\\-CLI 1 \"\" \"qmscales " << roff(version) << "\" \"User Commands\"\n.nh\n"
        << ".SH NAME\n"
        << roff(kProgram) << " \\- " << roff(kDescription) << "\n"
        << ".SH SYNOPSIS\n"
        << bold(kProgram) << " " << roff(kSynopsis) << "\n.br\n"
        << bold(kProgram) << " COMMAND " << bold("--help") << "\n"
        << ".SH DESCRIPTION\n"
        << roff(kDescription) << ".\n.PP\n"
        << roff(kOneCommand) << "\n"
        << ".SH OPTIONS\n";
    for (const auto& o : commonOptionsHelp())
        out << ".TP\n" << bold(o.flags) << "\n" << roff(o.text) << "\n";
    out << ".PP\n" << roff(kRelativePaths) << "\n.SH COMMANDS\n";
    for (const auto& c : cliCommands())
        out << ".TP\n"
            << bold(c.name) << (c.usage.empty() ? "" : " " + roff(c.usage)) << "\n"
            << roff(c.summary) << "\n";
    out << ".SH EXIT STATUS\n" << roff(kExitStatus) << "\n";
}

} // namespace qm::cli
