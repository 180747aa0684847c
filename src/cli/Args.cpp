#include "cli/Args.h"

#include <algorithm>

namespace qm::cli
{

bool isFlag(const std::string& name)
{
    static const char* const flags[] = {"help", "yes", "all", "virtual", "no-check"};
    return std::any_of(std::begin(flags), std::end(flags), [&](const char* f) { return name == f; });
}

bool Args::parse(int argc, char** argv, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        std::string word = argv[i];
        if (word.size() > 2 && word.compare(0, 2, "--") == 0) {
            std::string name = word.substr(2);
            const auto eq = name.find('=');
            if (eq != std::string::npos) {
                m_options[name.substr(0, eq)] = name.substr(eq + 1);
            } else if (isFlag(name)) {
                m_options[name] = "";
            } else if (i + 1 < argc) {
                m_options[name] = argv[++i];
            } else {
                error = "option --" + name + " needs a value";
                return false;
            }
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
