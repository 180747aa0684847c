// Sending and reading 4000 products against the emulated scale, at full speed and on a simulated
// 19200 baud line: program time per record, wall time against the pure line time of the bytes
// exchanged, and the CPU the program spends meanwhile. Run with a count to shorten it:
// bench_products 500.
#include <sys/resource.h>

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/Feedback.h"
#include "common/TableLayouts.h"
#include "common/TableSink.h"
#include "config/ConfigTable.h"
#include "link/ByteTrace.h"
#include "link/ScaleSession.h"
#include "products/PluCheck.h"
#include "products/ProductTransfer.h"
#include "support/EmuProcess.h"

#include "BenchSupport.h"
#include "link/TComm.h"

namespace
{

using bench::cpuSeconds;
using bench::LineBytes;
using bench::SilentFeedback;

template <typename Operation>
void measure(const std::string& title, int count, int baud, LineBytes& bytes, Operation operation)
{
    bytes.count = 0;
    const double cpu0 = cpuSeconds();
    const auto t0 = std::chrono::steady_clock::now();
    const bool ok = operation();
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const double cpu = cpuSeconds() - cpu0;
    std::printf("%-24s %s %8zu bytes %9.3f s wall %7.3f ms/record", title.c_str(), ok ? "ok    " : "FAILED",
                bytes.count, wall, 1000 * wall / count);
    if (baud > 0) {
        const double line = static_cast<double>(bytes.count) * 10 / baud;
        std::printf("  line %8.3f s  wall/line %6.4f", line, wall / line);
    }
    std::printf("  client CPU %5.2f%% of wall\n", 100 * cpu / wall);
    std::fflush(stdout);
}

void run(int baud, int count)
{
    qmtest::EmuOptions options;
    options.baud = baud;
    qmtest::EmuProcess scale(options);
    qm::PortMap ports;
    ports.set(1, scale.device());
    qm::TComm comm(ports);
    LineBytes bytes;
    comm.setTrace(&bytes);
    SilentFeedback feedback;
    qm::ScaleSession session(comm, feedback);
    const qm::Table config = bench::benchConfig();
    const qm::ScaleLink link{session, config, "bench"};
    const qm::Table table = bench::products(count);
    const std::string speed = baud > 0 ? std::to_string(baud) + " baud" : "full speed";

    measure("send " + std::to_string(count) + ", " + speed, count, baud, bytes,
            [&] { return qm::sendProductTable(link, table, {}) == qm::TransferOutcome::Done; });
    qm::Table read = qm::makeTable(qm::productLayout());
    qm::TableWriter sink(read);
    measure("read " + std::to_string(count) + ", " + speed, count, baud, bytes, [&] {
        const auto outcome =
            count == qm::kMaxPlu ? qm::readAllProducts(link, sink, {}) : qm::readProductRange(link, 1, count, sink, {});
        return outcome == qm::TransferOutcome::Done && read.rowCount() - 1 == count;
    });
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : qm::kMaxPlu;
    if (count < 1 || count > qm::kMaxPlu) {
        std::fprintf(stderr, "usage: bench_products [COUNT 1..4000]\n");
        return 2;
    }
    run(0, count);
    run(19200, count);
    return 0;
}
