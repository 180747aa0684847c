#pragma once
// The window's own command line, read before any Qt object exists so that --help and --version
// answer on a terminal without a display and create no file. Its option table gives --help and
// the manual page qmscales(1).

#include <iosfwd>
#include <string>
#include <vector>

namespace qm::app
{

struct WindowStart {
    enum class Action { Run, Help, Version, Manual, Usage } action = Action::Run;
    bool userData = false; // start in the user's data folder (the desktop entry's start)
    std::string error;     // for Usage
};

// Words Qt takes itself (-platform, -style ...) are left to it.
WindowStart parseWindowArgs(const std::vector<std::string>& words);

void printWindowHelp(std::ostream& out);
void printWindowManPage(std::ostream& out, const std::string& version, const std::string& date);

// $XDG_DATA_HOME/qmscales, or ~/.local/share/qmscales; empty when neither variable is set.
std::string userDataFolder();

} // namespace qm::app
