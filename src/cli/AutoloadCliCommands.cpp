// The unattended load of the command line: `autoload --once` runs one cycle of auto mode, and
// `autoload --period S` runs cycles S seconds apart until SIGINT or SIGTERM, which end the load
// in progress after its current record. Every cycle reads the configuration and "ports.cfg" again,
// as the window's does: a file that cannot be read is told and the cycle left out. Each load prints its protocol line
// (and its file) on standard output and writes it to "protocol.txt" of the start directory, as the window does.

#include <atomic>
#include <chrono>
#include <csignal>
#include <iostream>
#include <mutex>
#include <thread>
#include <unistd.h>

#include "autoload/AutoCycle.h"
#include "autoload/CycleStart.h"
#include "cli/CliCommands.h"
#include "cli/CliContext.h"
#include "cli/TerminalText.h"
#include "common/Cp1251.h"
#include "files/FileIo.h"
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
        context.error("autoload: нужен --once или --period SECONDS");
        return kUsage;
    }
    std::optional<int> period;
    if (periodText) {
        period = periodSeconds(*periodText);
        if (!period) {
            context.error("--period: нужно целое число секунд от 1 до " + std::to_string(kMaxPeriodSeconds));
            return kUsage;
        }
    }
    catchStopSignals();

    ServiceReport report(context);
    std::filesystem::path snapshotFolder;
    if (const auto snapshots = a.value("snapshot-dir")) {
        if (snapshots->empty()) {
            context.error("--snapshot-dir: не указана папка");
            return kUsage;
        }
        // Relative to where the command runs, as every path of the command line.
        snapshotFolder = std::filesystem::absolute(std::filesystem::path(*snapshots));
    }
    // One cycle with the files as they are now; nullopt when one of them cannot be read.
    const auto runCycle = [&]() -> std::optional<CycleSummary> {
        if (context.readConfig(true) != kOk)
            return std::nullopt;
        CycleRequest request;
        request.config = context.config();
        request.load.startDirectory = std::filesystem::path(context.dir());
        request.load.options.virtualSync = a.has("virtual");
        request.load.options.protocol = !a.has("no-protocol");
        request.load.options.queue = !a.has("no-queue");
        request.load.logoIndex = context.settings().logoIndex;
        request.load.snapshotFolder = snapshotFolder;
        request.load.report = &report;
        request.trace = context.trace();
        request.stopRequested = stopSignalled;
        const CycleStart cycle = prepareCycle(std::move(request), TComm::cycleLines());
        if (cycle.portsError) {
            context.error(*cycle.portsError);
            return std::nullopt;
        }
        return runAutoCycle(cycle.setup);
    };

    if (!period) {
        const auto summary = runCycle();
        return summary && summary->failed == 0 ? kOk : kFailed;
    }
    while (!stopSignalled()) {
        runCycle();
        waitPeriod(*period);
    }
    return kOk;
}

} // namespace qm::cli
