#include "cli/Args.h"

#include <algorithm>

namespace qm::cli
{

bool isFlag(const std::string& name)
{
    // One flag a line: each command's flags join the list where that command's file does.
    static const char* const flags[] = {
        "help",   "version",     "verbose",  "yes", "all", "virtual", "no-check", // common, products, messages
        "json",                                                                   // every read that prints values
        "now",                                                                    // write-settings
        "totals", "all-plu",     "grand",                                         // reports
        "once",   "no-protocol", "no-queue",                                      // autoload
    };
    return std::any_of(std::begin(flags), std::end(flags), [&](const char* f) { return name == f; });
}

bool Args::parse(int argc, char** argv, const std::vector<std::string>& known, std::string& error)
{
    const auto isKnown = [&](const std::string& name) {
        return std::find(known.begin(), known.end(), name) != known.end();
    };
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (!optionsEnded && word == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && word == "-h") {
            m_options["help"] = "";
        } else if (!optionsEnded && word.size() > 2 && word.compare(0, 2, "--") == 0) {
            std::string name = word.substr(2);
            const auto eq = name.find('=');
            std::optional<std::string> given;
            if (eq != std::string::npos) {
                given = name.substr(eq + 1);
                name.resize(eq);
            }
            if (!isKnown(name)) {
                error = "неизвестный параметр --" + name;
                return false;
            }
            if (isFlag(name)) {
                if (given) {
                    error = "параметр --" + name + " не принимает значения";
                    return false;
                }
                m_options[name] = "";
                continue;
            }
            if (!given) {
                // The next word is the value, unless it is another option: "--out --all" is an
                // --out without its file, not a file named "--all".
                if (i + 1 >= argc || (std::string(argv[i + 1]).compare(0, 2, "--") == 0)) {
                    error = "параметру --" + name + " нужно значение";
                    return false;
                }
                given = argv[++i];
            }
            m_options[name] = *given;
        } else if (!optionsEnded && word.size() > 1 && word[0] == '-') {
            error = "неизвестный параметр " + word;
            return false;
        } else if (m_command.empty()) {
            m_command = word;
        } else {
            m_positional.push_back(word);
        }
    }
    return true;
}

std::optional<std::string> Args::value(const std::string& name) const
{
    const auto it = m_options.find(name);
    if (it == m_options.end())
        return std::nullopt;
    return it->second;
}

std::vector<std::string> Args::unknown(const std::vector<std::string>& known) const
{
    std::vector<std::string> out;
    for (const auto& [name, value] : m_options)
        if (std::find(known.begin(), known.end(), name) == known.end())
            out.push_back(name);
    return out;
}

} // namespace qm::cli
