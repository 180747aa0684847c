#pragma once
// Command-line words: the command, its positional words and its options ("--name value",
// "--name=value", or a bare flag). Only the options named in the parse are accepted; "-h" is
// "--help", and "--" ends the options (every later word is positional).

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qm::cli
{

class Args
{
  public:
    // `known`: every option the program has, flags and options with a value (isFlag tells
    // which). False with an error text for an unknown option, a flag given a value, or an option
    // without its value.
    bool parse(int argc, char** argv, const std::vector<std::string>& known, std::string& error);

    const std::string& command() const { return m_command; }
    const std::vector<std::string>& positional() const { return m_positional; }
    bool has(const std::string& name) const { return m_options.count(name) > 0; }
    std::optional<std::string> value(const std::string& name) const;
    // Options given but not in the list: an option of another command is wrong usage here.
    std::vector<std::string> unknown(const std::vector<std::string>& known) const;

  private:
    std::string m_command;
    std::vector<std::string> m_positional;
    std::map<std::string, std::string> m_options;
};

// Options that take no value.
bool isFlag(const std::string& name);

} // namespace qm::cli
