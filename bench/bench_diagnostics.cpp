// The link tests, the number detection and the port list against emulated scales: wall time per
// row, per probe and per listing, and the CPU share the program takes while it waits. The
// targets: up to about 710 ms a row of the walk (the 500 ms window and the 210 ms pause), at
// least 210 ms a probe (about 21 s for 99 numbers), and a port list quick enough to read on the
// window's thread.
#include <QCoreApplication>
#include <chrono>
#include <cstdio>

#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "common/TableSink.h"
#include "diagnostics/LinkTest.h"
#include "diagnostics/NumberDetection.h"
#include "link/PortList.h"
#include "link/ScaleSession.h"
#include "link/TComm.h"
#include "support/EmuProcess.h"

#include "BenchSupport.h"

namespace
{

using bench::cpuSeconds;
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

void walk(const char* title, const qmtest::EmuOptions& options, const char* speed, int rows)
{
    bench::EmuLine line(options);
    qm::Table config = bench::benchConfig(speed);
    for (int r = 2; r <= rows; ++r) {
        config.appendRow();
        config.setRow(r, config.row(1));
    }
    qm::Table tests = qm::makeTable(qm::testLayout());
    qm::TableWriter sink(tests);
    const double cpu0 = cpuSeconds();
    const auto t0 = Clock::now();
    qm::testAllScales(line.session, config, sink);
    const double wall = msSince(t0);
    const double cpu = cpuSeconds() - cpu0;
    std::printf("%-38s %3d rows: %7.1f ms a row, answer time %s ms, client CPU %5.2f%% of wall\n", title, rows,
                wall / rows, qm::cp1251ToUtf8(tests.cell(1, qm::testcol::Time)).c_str(), 100 * cpu / (wall / 1000));
}

void detect(const char* title, int number)
{
    bench::EmuLine line({number});
    const double cpu0 = cpuSeconds();
    const auto t0 = Clock::now();
    qm::ValueHolder<qm::DetectedNumber> found;
    qm::detectScaleNumber(line.session, "COM1", "9600", found);
    const double wall = msSince(t0);
    const double cpu = cpuSeconds() - cpu0;
    std::printf("%-38s found %2d: %7.1f ms a probe, %5.2f s for 99 numbers, client CPU %5.2f%% of wall\n", title,
                found.value().value_or(0), wall / number, wall / number * 99 / 1000, 100 * cpu / (wall / 1000));
}

void listPorts(int times)
{
    qmtest::EmuProcess emu({1});
    qm::PortMap map;
    map.set(3, emu.device());
    size_t present = 0;
    const auto t0 = Clock::now();
    for (int i = 0; i < times; ++i)
        present = qm::presentPorts(map, qm::systemSerialPorts()).size();
    std::printf("%-38s %3zu present: %7.2f ms a listing\n", "port list (system ports + ports.cfg)", present,
                msSince(t0) / times);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    walk("walk, answering scales", {1}, "19200", 5);
    walk("walk, answering scales, 2400 baud", {1, 2400}, "2400", 5);
    walk("walk, silent scales", {1, 0, {"silent@addr"}}, "9600", 3);
    detect("detection of scale 20", 20);
    listPorts(20);
    return 0;
}
