// The unattended load of the command line: `autoload --once` runs one cycle of auto mode, and
// `autoload --period S` runs cycles S seconds apart until SIGINT or SIGTERM, which end the load
// in progress after its current record. Each load prints its protocol line (and its file) on
// standard output and writes it to "protocol.txt" of the start directory, as the window does.

#include <atomic>
#include <chrono>
#include <csignal>
#include <iostream>
#include <mutex>
#include <thread>
#include <unistd.h>

#include "autoload/AutoCycle.h"
#include "cli/CliCommands.h"
#include "cli/CliContext.h"
#include "cli/TerminalText.h"
#include "common/Cp1251.h"
#include "files/FileIo.h"
#include "link/PortMap.h"
#include "link/TComm.h"

namespace qm::cli
{

namespace
{

std::atomic<int> g_signal{0};

// The first SIGINT or SIGTERM asks the service to stop after the current record; a second one
// ends it at once.
extern "C" void onStopSignal(int signal)
{
    if (g_signal.exchange(signal) != 0) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    }
}

void catchStopSignals()
{
    struct sigaction sa {
    };
    sa.sa_handler = onStopSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
}

bool stopSignalled()
{
    return g_signal.load() != 0;
}

class ServiceReport : public LoadReport
{
  public:
    explicit ServiceReport(CliContext& context) : m_context(context) {}

    void loadBegins(const std::string&) override {}
    void loadEnded(const LoadOutcome& outcome) override
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        std::cout << shownText(cp1251ToUtf8(outcome.protocolText)) << '\t' << shownText(pathText(outcome.file))
                  << std::endl;
        if (outcome.protocolFailed)
            m_context.error("не удается записать " + std::string(kProtocolFileName) + " в " + m_context.dir() + ": " +
                            outcome.protocolError);
        // The beep of a failed load, where a person may hear it.
        if (!outcome.loaded() && isatty(STDERR_FILENO) == 1)
            std::cerr << '\a' << std::flush;
    }

  private:
    CliContext& m_context;
    std::mutex m_mutex;
};

// Sleeps for the period, waking early when a stop signal comes.
void waitPeriod(int seconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!stopSignalled() && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

} // namespace

int runAutoload(CliContext& context)
{
    const Args& a = context.args();
    const auto periodText = a.value("period");
    if (a.has("once") == periodText.has_value()) {
        context.error("autoload needs either --once or --period SECONDS");
        return kUsage;
    }
    std::optional<int> period;
    if (periodText) {
        period = periodSeconds(*periodText);
        if (!period) {
            context.error("--period must be a whole number of seconds from 1 to " + std::to_string(kMaxPeriodSeconds));
            return kUsage;
        }
    }
    catchStopSignals();

    ServiceReport report(context);
    CycleSetup setup;
    setup.config = context.config();
    setup.load.startDirectory = std::filesystem::path(context.dir());
    setup.load.options.virtualSync = a.has("virtual");
    setup.load.options.protocol = !a.has("no-protocol");
    setup.load.options.queue = !a.has("no-queue");
    setup.load.logoIndex = context.settings().logoIndex;
    if (const auto snapshots = a.value("snapshot-dir")) {
        if (snapshots->empty()) {
            context.error("--snapshot-dir needs a folder");
            return kUsage;
        }
        // Relative to where the command runs, as every path of the command line.
        setup.load.snapshotFolder = std::filesystem::absolute(std::filesystem::path(*snapshots));
    }
    setup.load.report = &report;
    const PortMap ports = PortMap::load(context.dir());
    ByteTrace* trace = context.trace();
    setup.makeLine = [ports, trace] {
        auto comm = std::make_unique<TComm>(ports);
        comm->setTrace(trace);
        comm->setStopCheck(stopSignalled);
        return comm;
    };
    setup.stopRequested = stopSignalled;
    setup.runTogether = &TComm::runTogether;

    if (!period) {
        const CycleSummary summary = runAutoCycle(setup);
        return summary.failed == 0 ? kOk : kFailed;
    }
    while (!stopSignalled()) {
        runAutoCycle(setup);
        waitPeriod(*period);
    }
    return kOk;
}

} // namespace qm::cli
