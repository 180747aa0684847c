#pragma once
// How the serial lines of an automatic load cycle are made and run: one line for each group of
// rows, over the port map read for that cycle, each on a thread of its own. TComm's are the real
// ones (serialLines() of link/TComm.h); a test may give lines of its own.

#include <functional>
#include <memory>
#include <vector>

namespace qm
{

class ByteTrace;
class PortMap;
class SerialLine;

struct LineFactory {
    // A new line to the devices of the map, writing to the trace when there is one; a network
    // connection being opened gives up once `stopped` says so. Called on the thread that uses it.
    std::function<std::unique_ptr<SerialLine>(const PortMap& ports, ByteTrace* trace,
                                              const std::function<bool()>& stopped)>
        open;
    // Runs the jobs at the same time on threads such lines may live on; returns when all ended.
    std::function<void(std::vector<std::function<void()>>& jobs)> runTogether;
};

} // namespace qm
