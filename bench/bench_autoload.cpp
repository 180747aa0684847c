// A cycle of automatic loading over K = 1, 2, 4 and 8 emulated scales, each on its own
// pseudo-terminal at 19200 baud with a product load file of 500 rows: the cycle's wall time
// over the slowest single load of the same scales (1.0 when the ports run fully side by side,
// K when one after the other), and the client's CPU share during the cycle. Run with a row
// count to shorten it: bench_autoload 100. With --tcp each scale is served on a TCP port of the
// loopback instead, as behind an Ethernet-to-serial converter.
#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "autoload/AutoCycle.h"
#include "common/TableLayouts.h"
#include "link/PortMap.h"
#include "link/TComm.h"
#include "support/EmuProcess.h"

#include "BenchSupport.h"

namespace fs = std::filesystem;

namespace
{

constexpr int kMaxScales = 8;

std::string loadFile(int rows)
{
    std::string out;
    for (int plu = 1; plu <= rows; ++plu)
        for (const std::string& cell :
             {std::to_string(plu), "product " + std::to_string(plu), std::string("second line"),
              std::to_string(plu * 7), std::string("311225"), std::string("20"), std::to_string(plu), std::string("7"),
              std::string("0"), std::string("1"), std::string("1234")})
            out += cell + "\r\n";
    return out;
}

class Quiet : public qm::LoadReport
{
  public:
    void loadBegins(const std::string&) override {}
    void loadEnded(const qm::LoadOutcome& outcome) override
    {
        if (!outcome.loaded())
            ++failed;
    }
    std::atomic<int> failed{0};
};

struct Bench {
    fs::path dir;
    std::vector<std::unique_ptr<qmtest::EmuProcess>> scales;
    std::string file;

    // Loads the scales [first, first + count) in one cycle; wall seconds, CPU seconds.
    std::pair<double, double> cycle(int first, int count)
    {
        qm::Table config = qm::makeTable(qm::configLayout());
        std::vector<qm::Row> rows;
        for (int i = first; i < first + count; ++i) {
            const std::string name = "load" + std::to_string(i + 1) + ".pl6";
            const fs::path path = dir / name;
            std::ofstream(path, std::ios::binary) << file;
            fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::seconds(10));
            rows.push_back({std::to_string(i + 1), "scale" + std::to_string(i + 1), "", "1",
                            "COM" + std::to_string(i + 1), "19200", name, "", ""});
        }
        config.setDataRows(rows);
        Quiet report;
        qm::CycleSetup setup;
        setup.config = config;
        setup.load.startDirectory = dir;
        setup.load.options.protocol = false;
        setup.load.report = &report;
        const qm::PortMap ports = qm::PortMap::load(dir.string());
        setup.makeLine = [ports] { return std::make_unique<qm::TComm>(ports); };
        setup.runTogether = &qm::TComm::runTogether;
        const double cpu0 = bench::cpuSeconds();
        const auto t0 = std::chrono::steady_clock::now();
        const qm::CycleSummary summary = qm::runAutoCycle(setup);
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        const double cpu = bench::cpuSeconds() - cpu0;
        if (summary.loads != count || report.failed > 0)
            std::printf("  (%d of %d loads, %d failed)\n", summary.loads, count, report.failed.load());
        return {wall, cpu};
    }
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int rows = 500;
    bool tcp = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--tcp")
            tcp = true;
        else
            rows = std::atoi(argv[i]);
    }
    if (rows < 1 || rows > 4000) {
        std::fprintf(stderr, "usage: bench_autoload [ROWS 1..4000] [--tcp]\n");
        return 2;
    }
    Bench bench;
    std::string pattern = (fs::temp_directory_path() / "qmbenchauto-XXXXXX").string();
    bench.dir = ::mkdtemp(pattern.data());
    bench.file = loadFile(rows);
    for (int i = 0; i < kMaxScales; ++i) {
        qmtest::EmuOptions options;
        options.baud = 19200;
        if (tcp)
            options.tcp = "127.0.0.1:0";
        bench.scales.push_back(std::make_unique<qmtest::EmuProcess>(options));
        bench.scales.back()->writePortsCfg(bench.dir.string(), i + 1);
    }
    std::printf("product load files of %d rows, 19200 baud, one emulated scale per port%s\n", rows,
                tcp ? ", over TCP" : "");
    std::vector<double> single;
    for (int i = 0; i < kMaxScales; ++i) {
        single.push_back(bench.cycle(i, 1).first);
        std::printf("single load, port %d: %8.3f s\n", i + 1, single.back());
        std::fflush(stdout);
    }
    for (int k : {1, 2, 4, 8}) {
        double slowest = 0;
        for (int i = 0; i < k; ++i)
            slowest = std::max(slowest, single[static_cast<size_t>(i)]);
        const auto [wall, cpu] = bench.cycle(0, k);
        std::printf("K = %d: cycle %8.3f s, slowest single load %8.3f s, ratio %5.3f, client CPU %5.2f%% of wall\n", k,
                    wall, slowest, wall / slowest, 100 * cpu / wall);
        std::fflush(stdout);
    }
    bench.scales.clear();
    fs::remove_all(bench.dir);
    return 0;
}
