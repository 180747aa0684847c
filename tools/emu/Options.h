#pragma once
// The command line of qmscale-emu.

#include <iosfwd>
#include <string>
#include <variant>
#include <vector>

#include "FaultPlan.h"
#include "PacePlan.h"

namespace emu
{

struct Options {
    int number = 1;
    int baud = 0; // 0: no line time at all
    std::string statePath;
    std::string logPath;
    std::string linkPath;
    std::string tcp;   // HOST:PORT to serve instead of a pty
    int dropAfter = 0; // over TCP: the first client's connection is cut after this many bytes sent
    FaultPlan faults;
    PacePlan pace;
    bool help = false;
};

std::string usageText();
// The manual page qmscale-emu(1), from the same option table as usageText().
void printManPage(std::ostream& out, const std::string& version, const std::string& date);

// The options, or the reason the command line is wrong.
std::variant<Options, std::string> parseOptions(const std::vector<std::string>& args);

} // namespace emu
