// A compare of a product table with a scale against a read of the same cells, on the emulated
// scale at 19200 baud: the compare's read is the read's record loop, so its time should stay
// within 5 % of the read's. The scale holds `count` products (4000 unless given: bench_compare
// 500); the table compared is the one the read brought, so the compare finds no difference.
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchSupport.h"
#include "StateBuilder.h"
#include "common/TableSink.h"
#include "products/PluCheck.h"
#include "products/ProductTransfer.h"

namespace
{

std::string fullScale(int count)
{
    emu::StateBuilder state(1);
    for (int n = 1; n <= count; ++n)
        state.plu(static_cast<std::uint32_t>(n), "product " + std::to_string(n), static_cast<std::uint32_t>(n * 7),
                  static_cast<std::uint32_t>(n));
    return state.json();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : qm::kMaxPlu;
    if (count < 1 || count > qm::kMaxPlu) {
        std::fprintf(stderr, "usage: bench_compare [COUNT 1..4000]\n");
        return 2;
    }
    constexpr int kBaud = 19200;
    qmtest::EmuOptions options = bench::EmuBench::options(kBaud);
    options.stateJson = fullScale(count);
    qmtest::EmuProcess emu(options);
    bench::BenchLink line(emu);

    // Both walk every cell 1..4000: the cells past `count` answer empty, as on a real scale.
    qm::Table read = qm::makeTable(qm::productLayout());
    qm::TableWriter sink(read);
    double readSeconds = 0;
    bench::measure("read 4000 cells, 19200", kBaud, line.bytes, [&] {
        const auto t0 = std::chrono::steady_clock::now();
        const bool ok =
            qm::readAllProducts(line.link, sink, {}) == qm::TransferOutcome::Done && read.lastRow() == count;
        readSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        return ok;
    });
    qm::TableComparison found;
    double compareSeconds = 0;
    bench::measure("compare 4000 cells, 19200", kBaud, line.bytes, [&] {
        const auto t0 = std::chrono::steady_clock::now();
        const bool ok =
            qm::compareProducts(line.link, read, found).outcome == qm::TransferOutcome::Done && found.equal();
        compareSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        return ok;
    });
    std::printf("compare / read = %.4f (goal <= 1.05), %d products held\n", compareSeconds / readSeconds, count);
    return compareSeconds <= 1.05 * readSeconds ? 0 : 1;
}
