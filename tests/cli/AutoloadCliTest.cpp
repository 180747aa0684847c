// The unattended service `qmscales-cli autoload`, run as a real process against emulated scales.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

#include "common/Cp1251.h"
#include "support/CliProcess.h"
#include "support/CliStartDir.h"
#include "support/EmuProcess.h"
#include "support/LoadFiles.h"

namespace fs = std::filesystem;

namespace
{

// A start directory with ports.cfg naming the scale's pty COM1 and scales.cfl of one scale
// "Весы" whose product load file is "in/load.pl6", relative to the start directory.
struct ServiceDir : qmtest::CliStartDir {
    explicit ServiceDir(const qmtest::EmuProcess& scale) : CliStartDir(&scale, 1, "Весы", "", "in/load.pl6")
    {
        fs::create_directory(path / "in");
    }

    void putLoad(int count) const
    {
        const fs::path file = path / "in/load.pl6";
        std::ofstream(file, std::ios::binary) << qmtest::pl6Count(count);
        fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::seconds(10));
    }
    bool loadFileThere() const { return fs::exists(path / "in/load.pl6"); }
};

// Run from another directory: the load file and protocol.txt belong to --dir all the same.
qmtest::CliRun service(const ServiceDir& dir, std::vector<std::string> args,
                       const std::function<void(pid_t)>& whileRunning = {})
{
    args.insert(args.begin(), {"--dir", dir.path.string(), "--config", (dir.path / "scales.cfl").string(), "autoload"});
    return qmtest::runCli(dir.path, args, whileRunning, fs::temp_directory_path());
}

} // namespace

TEST(AutoloadCli, OnceLoadsAndSaysSoOrFailsWithExitOne)
{
    qmtest::EmuProcess scale;
    ServiceDir dir(scale);
    // Nothing to load: success, no line.
    auto run = service(dir, {"--once"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");

    dir.putLoad(3);
    run = service(dir, {"--once"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("Весы Весы прогружены списком товаров  -  ", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("\t" + (dir.path / "in/load.pl6").string() + "\n"), std::string::npos) << run.out;
    EXPECT_FALSE(dir.loadFileThere());
    EXPECT_EQ(scale.state().plu.size(), 3u);
    const std::string protocol = qm::cp1251ToUtf8(qmtest::fileText(dir.path / "protocol.txt"));
    EXPECT_EQ(protocol.rfind("Весы Весы прогружены списком товаров  -  ", 0), 0u) << protocol;

    // --no-protocol: the line on standard output only.
    dir.putLoad(2);
    run = service(dir, {"--once", "--no-protocol"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(qm::cp1251ToUtf8(qmtest::fileText(dir.path / "protocol.txt")), protocol);
}

TEST(AutoloadCli, VirtualAndNoQueue)
{
    qmtest::EmuProcess scale;
    ServiceDir dir(scale);
    dir.putLoad(3);
    std::ofstream(dir.path / "in/load_00.qu6", std::ios::binary) << qmtest::pl6({9});
    auto run = service(dir, {"--once", "--virtual", "--no-queue"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(scale.state().plu.size(), 3u);
    EXPECT_FALSE(scale.state().range);
    // The queue stays where it is.
    EXPECT_FALSE(dir.loadFileThere());
    EXPECT_TRUE(fs::exists(dir.path / "in/load_00.qu6"));
    run = service(dir, {"--once"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(dir.loadFileThere());
    EXPECT_FALSE(fs::exists(dir.path / "in/load_00.qu6"));
}

TEST(AutoloadCli, FailedLoadKeepsTheFileAndExitsOne)
{
    // A silent scale fails the addressing; one that asks for ever fails the virtual load.
    struct Case {
        const char* fault;
        std::vector<std::string> args;
        const char* line;
    };
    for (const Case& c : {Case{"silent@addr", {"--once"}, "Неисправность весов Весы или линии связи  -  "},
                          Case{"request@poll", {"--once", "--virtual"}, "Ошибка обмена данными с весами  Весы  -  "}}) {
        qmtest::EmuOptions options;
        options.faults = {c.fault};
        qmtest::EmuProcess scale(options);
        ServiceDir dir(scale);
        dir.putLoad(2);
        const auto run = service(dir, c.args);
        EXPECT_EQ(run.status, 1) << c.fault << run.err;
        EXPECT_EQ(run.out.rfind(c.line, 0), 0u) << run.out;
        EXPECT_TRUE(dir.loadFileThere()) << c.fault;
        EXPECT_FALSE(scale.state().range) << c.fault;
    }
}

TEST(AutoloadCli, SigtermMidLoadFinishesTheRecordKeepsTheFileAndExitsZero)
{
    qmtest::EmuOptions slow;
    slow.baud = 2400;
    qmtest::EmuProcess scale(slow);
    ServiceDir dir(scale);
    dir.putLoad(200);
    const auto run = service(dir, {"--period", "3600"}, [&](pid_t pid) {
        // Once a few records are in the scale.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline && scale.state().plu.size() < 3)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ::kill(pid, SIGTERM);
    });
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("Загрузка весов Весы прервана  -  ", 0), 0u) << run.out;
    EXPECT_TRUE(dir.loadFileThere());
    const auto held = scale.state().plu.size();
    EXPECT_GE(held, 3u);
    EXPECT_LT(held, 200u);
    // The last record sent was acknowledged: the scale holds every record it was sent.
    int writes = 0;
    for (const auto& e : scale.log())
        writes += e.kind == qmtest::EmuLogEntry::Kind::Event && e.event.rfind("command 0x82", 0) == 0;
    EXPECT_EQ(static_cast<size_t>(writes), held);
}

// Every cycle reads ports.cfg and the configuration again: a ports.cfg that cannot be read is told
// and no load goes out while it lasts; once mended, the next cycle loads with the new configuration.
TEST(AutoloadCli, ServiceReadsPortsAndConfigurationAtEveryCycle)
{
    qmtest::EmuProcess scale;
    ServiceDir dir(scale);
    const fs::path ports = dir.path / "ports.cfg";
    bool heldWhileBroken = false;
    const auto run = service(dir, {"--period", "1"}, [&](pid_t pid) {
        fs::remove(ports);
        fs::create_directory(ports);
        // A cycle that read the good file before has long ended when the load file comes.
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        dir.putLoad(2);
        std::this_thread::sleep_for(std::chrono::milliseconds(2500));
        heldWhileBroken = dir.loadFileThere() && scale.state().plu.empty();
        std::ofstream cfl(dir.path / "scales.cfl", std::ios::binary | std::ios::trunc);
        for (const char* cell : {"1", "Другие", "", "1", "COM1", "19200", "in/load.pl6", "", ""})
            cfl << qm::cp(cell) << "\r\n";
        cfl.close();
        fs::remove(ports);
        scale.writePortsCfg(dir.path.string());
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline && dir.loadFileThere())
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ::kill(pid, SIGTERM);
    });
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(heldWhileBroken);
    EXPECT_NE(run.err.find(ports.string()), std::string::npos) << run.err;
    EXPECT_EQ(run.out.rfind("Весы Другие прогружены списком товаров  -  ", 0), 0u) << run.out;
    EXPECT_EQ(scale.state().plu.size(), 2u);
}

TEST(AutoloadCli, Usage)
{
    qmtest::EmuProcess scale;
    ServiceDir dir(scale);
    for (const auto& args : std::vector<std::vector<std::string>>{
             {}, {"--once", "--period", "5"}, {"--period", "0"}, {"--period", "86401"}, {"--period", "x"}}) {
        const auto run = service(dir, args);
        EXPECT_EQ(run.status, 2) << run.err;
    }
}
