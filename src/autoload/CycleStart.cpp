#include "autoload/CycleStart.h"

#include <utility>

#include "link/PortMap.h"
#include "link/SerialLine.h"

namespace qm
{

CycleStart prepareCycle(CycleRequest request, const LineFactory& lines)
{
    CycleStart start;
    PortMap ports = PortMap::load(request.load.startDirectory.string());
    if (ports.error()) {
        start.portsError = *ports.error();
        return start;
    }
    CycleSetup& setup = start.setup;
    setup.config = std::move(request.config);
    setup.load = std::move(request.load);
    setup.stopRequested = std::move(request.stopRequested);
    setup.makeLine = [open = lines.open, ports = std::move(ports), trace = request.trace,
                      stopped = setup.stopRequested] { return open(ports, trace, stopped); };
    setup.runTogether = lines.runTogether;
    return start;
}

} // namespace qm
