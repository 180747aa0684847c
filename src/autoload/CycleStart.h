#pragma once
// The start of every cycle of auto mode, the window's and the command line's service's alike: the
// port map is read again from "ports.cfg" of the start directory, so a changed file takes effect
// at the next cycle, and the cycle gets its lines from the front end's factory.

#include <functional>
#include <optional>
#include <string>

#include "autoload/AutoCycle.h"
#include "link/LineFactory.h"

namespace qm
{

struct CycleRequest {
    Table config;               // the configuration as it is now
    LoadSetup load;             // start directory, options, logo index, report
    ByteTrace* trace = nullptr; // the bytes of every port, or nullptr
    // True once the cycle is to end (see CycleSetup).
    std::function<bool()> stopRequested;
};

struct CycleStart {
    CycleSetup setup;
    // Why "ports.cfg" cannot be read (UTF-8, for the person): then no cycle runs, since a port
    // could lead to another device than the one the file should name; the next cycle tries again.
    std::optional<std::string> portsError;
};

CycleStart prepareCycle(CycleRequest request, const LineFactory& lines);

} // namespace qm
