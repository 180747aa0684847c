// Addressing exchanges against the emulated scale: wall time per exchange and the CPU time the
// program spends, answering and silent. A blocking reply window keeps the CPU share near zero
// while the program waits; a busy poll would burn a whole core.
#include <sys/resource.h>

#include <QCoreApplication>
#include <chrono>
#include <cstdio>

#include "common/Feedback.h"
#include "link/ScaleSession.h"
#include "support/EmuProcess.h"

#include "BenchSupport.h"
#include "link/TComm.h"
#include "operation/ScaleFrame.h"

namespace
{

using bench::cpuSeconds;

void run(const char* title, qmtest::EmuOptions options, const char* speed, int exchanges)
{
    bench::EmuLine line(options);
    qm::ScaleSession& session = line.session;
    if (!session.Connection("COM1", speed)) {
        std::printf("%s: cannot open the emulator's port\n", title);
        return;
    }
    int ok = 0;
    const double cpu0 = cpuSeconds();
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < exchanges; ++i)
        ok += addressScale(session, options.number) ? 1 : 0;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const double cpu = cpuSeconds() - cpu0;
    std::printf("%-34s %5d exchanges, %4d answered: %8.3f ms wall each, client CPU %5.2f%% of wall\n", title, exchanges,
                ok, wall * 1000 / exchanges, 100 * cpu / wall);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    run("answering scale, full speed", {1}, "19200", 1000);
    run("answering scale, 19200 baud line", {1, 19200}, "19200", 1000);
    run("answering scale, 2400 baud line", {1, 2400}, "2400", 200);
    run("silent scale (200 ms windows)", {1, 0, {"silent@addr"}}, "9600", 25);
    return 0;
}
