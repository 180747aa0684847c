// qmscale-emu: one QM label scale on a pseudo-terminal (or a TCP port, --tcp), for tests,
// benchmarks and demos. Prints the device (or tcp://HOST:PORT) as the first line of standard
// output, then serves it until SIGTERM or SIGINT. Standard input is not read, so the scale also
// runs detached with stdin closed.

#include <cstdio>
#include <iostream>
#include <string>
#include <variant>
#include <vector>

#include "EmuServer.h"
#include "EventLog.h"
#include "Options.h"
#include "Pty.h"
#include "StateFile.h"
#include "TcpLink.h"

int main(int argc, char** argv)
{
    using namespace emu;
    // The manual page, written by the build from the option table; hidden from users.
    if (argc == 2 && std::string(argv[1]) == "--man") {
        printManPage(std::cout, QM_VERSION, QM_RELEASE_DATE);
        return 0;
    }
    auto parsed = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (auto* error = std::get_if<std::string>(&parsed)) {
        std::fprintf(stderr, "qmscale-emu: %s\n\n%s", error->c_str(), usageText().c_str());
        return 2;
    }
    Options& options = std::get<Options>(parsed);
    if (options.help) {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }

    ScaleState state;
    if (!options.statePath.empty()) {
        auto loaded = loadStateFile(options.statePath);
        if (auto* error = std::get_if<std::string>(&loaded)) {
            std::fprintf(stderr, "qmscale-emu: %s\n", error->c_str());
            return 2;
        }
        state = std::get<ScaleState>(std::move(loaded));
    }
    state.number = options.number;

    EventLog log;
    if (!options.logPath.empty() && !log.open(options.logPath)) {
        std::fprintf(stderr, "qmscale-emu: не удалось открыть журнал %s\n", options.logPath.c_str());
        return 2;
    }

    EmuServer::installSignals();
    Pty pty;
    TcpLink tcp;
    Link* link = &pty;
    std::string error;
    if (!options.tcp.empty()) {
        link = &tcp;
        tcp.dropAfter(options.dropAfter);
        if (!tcp.listen(options.tcp, error)) {
            std::fprintf(stderr, "qmscale-emu: %s\n", error.c_str());
            return 1;
        }
    } else if (!pty.open(error) || (!options.linkPath.empty() && !pty.link(options.linkPath, error))) {
        std::fprintf(stderr, "qmscale-emu: %s\n", error.c_str());
        return 1;
    }

    EmuServer server(*link, state, options, log);
    // The file exists, in its canonical form, by the time anyone has the device.
    if (!server.saveState())
        return 1;
    server.event("started " + link->address() + " number " + std::to_string(state.number) + " baud " +
                 std::to_string(options.baud));
    std::printf("%s\n", link->address().c_str());
    std::fflush(stdout);

    server.run();
    return 0;
}
