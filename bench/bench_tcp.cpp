// A scale behind an Ethernet-to-serial converter against the same scale on a serial line: send
// 1000 and read 300 products with the emulated scale at 19200 baud, once over a pseudo-terminal
// and once over TCP on the loopback (default allowance), and the ratio of the wall times, with the
// client's CPU share. The parallel auto load over TCP is bench_autoload --tcp.
#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <string>

#include "common/TableLayouts.h"
#include "common/TableSink.h"
#include "link/TComm.h"
#include "products/ProductTransfer.h"
#include "support/EmuProcess.h"

#include "BenchSupport.h"

namespace
{

constexpr int kSend = 1000;
constexpr int kRead = 300;

struct Figures {
    double sendWall = 0, readWall = 0, sendCpu = 0, readCpu = 0;
    bool ok = true;
};

template <typename Operation> double timed(Operation operation, bool& ok, double& cpu)
{
    const double cpu0 = bench::cpuSeconds();
    const auto t0 = std::chrono::steady_clock::now();
    ok = operation() && ok;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    cpu = (bench::cpuSeconds() - cpu0) / wall;
    return wall;
}

Figures run(bool tcp)
{
    qmtest::EmuOptions options;
    options.baud = 19200;
    if (tcp)
        options.tcp = "127.0.0.1:0";
    bench::EmuLine line(options);
    const qm::Table config = bench::benchConfig();
    const qm::ScaleLink link{line.session, config, "bench"};
    const qm::Table table = bench::products(kSend);
    Figures f;
    f.sendWall =
        timed([&] { return qm::sendProductTable(link, table, {}) == qm::TransferOutcome::Done; }, f.ok, f.sendCpu);
    line.comm.Disconnect();
    qm::Table read = qm::makeTable(qm::productLayout());
    qm::TableWriter sink(read);
    f.readWall = timed(
        [&] {
            return qm::readProductRange(link, 1, kRead, sink, {}) == qm::TransferOutcome::Done &&
                   read.rowCount() - 1 == kRead;
        },
        f.ok, f.readCpu);
    line.comm.Disconnect();
    std::printf("%-4s send %d %8.3f s (CPU %5.2f%%)  read %d %8.3f s (CPU %5.2f%%)  %s\n", tcp ? "tcp" : "pty", kSend,
                f.sendWall, 100 * f.sendCpu, kRead, f.readWall, 100 * f.readCpu, f.ok ? "ok" : "FAILED");
    std::fflush(stdout);
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::printf("emulated scale at 19200 baud\n");
    const Figures pty = run(false);
    const Figures tcp = run(true);
    std::printf("ratio tcp/pty: send %5.3f  read %5.3f\n", tcp.sendWall / pty.sendWall, tcp.readWall / pty.readWall);
    return pty.ok && tcp.ok ? 0 : 1;
}
