// Scales behind an Ethernet-to-serial converter: the command line against the emulated scale
// served on a TCP port of the loopback, ports.cfg naming it "COM1=tcp://127.0.0.1:PORT".
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "StateBuilder.h"
#include "common/Cp1251.h"
#include "files/TableFiles.h"
#include "operation/OperationTexts.h"
#include "support/CliStartDir.h"
#include "support/EmuProcess.h"
#include "support/LoadFiles.h"

namespace fs = std::filesystem;

namespace
{

qmtest::EmuOptions overTcp(int dropAfter = 0, std::vector<std::string> faults = {})
{
    qmtest::EmuOptions options;
    options.baud = 19200;
    options.tcp = "127.0.0.1:0";
    options.dropAfter = dropAfter;
    options.faults = std::move(faults);
    options.stateJson = emu::StateBuilder().plu(3, "Сыр", 4550).plu(7, "Хлеб", 3200).json();
    return options;
}

int eventCount(const qmtest::EmuProcess& scale, const std::string& event)
{
    int n = 0;
    for (const auto& e : scale.log())
        n += e.kind == qmtest::EmuLogEntry::Kind::Event && e.event == event;
    return n;
}

std::string said(const qmtest::CliRun& run)
{
    return run.out + run.err;
}

struct Operation {
    const char* name;
    std::vector<std::string> args;
    std::function<void(const qmtest::CliStartDir&, const qmtest::EmuProcess&, const qmtest::CliRun&)> check;
};

const Operation kOperations[] = {
    {"SendProducts",
     {"send-products", "--scale", "Весы", "list.pl6"},
     [](const auto&, const auto& scale, const auto&) { EXPECT_EQ(scale.state().plu.size(), 40u); }},
    {"ReadProducts",
     {"read-products", "--scale", "Весы", "--range", "1-20", "--out", "back.pl6"},
     [](const auto& dir, const auto&, const auto&) {
         const auto back = qm::loadProductFile(dir.path / "back.pl6", 0);
         ASSERT_EQ(back.table.rowCount(), 3); // two records and the empty row
         EXPECT_EQ(back.table.cell(1, 0), "3");
         EXPECT_EQ(back.table.cell(2, 3), "3200");
     }},
    {"ReadSettings",
     {"read-settings", "--scale", "Весы", "--json"},
     [](const auto&, const auto&, const auto& run) { EXPECT_EQ(run.out.rfind("{", 0), 0u) << run.out; }},
    {"TestLink",
     {"test-link", "--scale", "Весы"},
     [](const auto&, const auto&, const auto& run) { EXPECT_NE(run.out.find("рабочее"), std::string::npos); }},
};

void PrintTo(const Operation& op, std::ostream* os)
{
    *os << op.name;
}

class OverTcp : public ::testing::TestWithParam<Operation>
{
};

// Every kind of operation runs over the network as over a serial line, on a connection of its own
// that it closes at its end.
TEST_P(OverTcp, RunsOnAConnectionOfItsOwn)
{
    const Operation& op = GetParam();
    qmtest::EmuProcess scale(overTcp());
    qmtest::CliStartDir dir(&scale, 1, "Весы");
    dir.write("list.pl6", qmtest::pl6Count(40));
    const auto run = dir.cli(op.args);
    EXPECT_EQ(run.status, 0) << said(run);
    op.check(dir, scale, run);
    EXPECT_EQ(eventCount(scale, "client connected"), 1);
    EXPECT_EQ(eventCount(scale, "client left"), 1);
}

INSTANTIATE_TEST_SUITE_P(Operations, OverTcp, ::testing::ValuesIn(kOperations),
                         [](const auto& param) { return std::string(param.param.name); });

// A port that cannot be reached gives the port message; the system's reason only with --verbose.
TEST(NetworkCli, UnreachablePortsGiveThePortMessageAndTheReasonOnlyWhenAsked)
{
    struct Case {
        const char* device;
        const char* reason;
    };
    for (const Case& c : {Case{"tcp://127.0.0.1:1", "refused"}, Case{"tcp://nonexistent.invalid:4001", "nonexistent"},
                          Case{"tcp://127.0.0.1", "ports.cfg"}}) {
        qmtest::CliStartDir dir(nullptr, 1, "Весы");
        dir.write("ports.cfg", std::string("COM1=") + c.device + "\n");
        const auto start = std::chrono::steady_clock::now();
        const auto quiet = dir.cli({"read-settings", "--scale", "Весы"});
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4)) << c.device;
        EXPECT_EQ(quiet.status, 1) << c.device;
        EXPECT_NE(said(quiet).find("Выбранный СОМ-порт не существует или занят другим приложением."), std::string::npos)
            << said(quiet);
        EXPECT_EQ(said(quiet).find(c.reason), std::string::npos) << said(quiet);
        const auto verbose = dir.cli({"--verbose", "read-settings", "--scale", "Весы"});
        EXPECT_NE(verbose.err.find(c.reason), std::string::npos) << verbose.err;
    }
}

TEST(NetworkCli, ConverterWithASilentScaleGivesTheSilentScaleMessage)
{
    qmtest::EmuProcess scale(overTcp(0, {"silent"}));
    qmtest::CliStartDir dir(&scale, 1, "Весы");
    const auto run = dir.cli({"read-settings", "--scale", "Весы"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(said(run).find(qm::operationtext::kNoLink), std::string::npos) << said(run);
}

// A connection cut in the middle of a read or a write fails that operation as a line that stopped
// answering; a read saves nothing; the next operation, on a new connection, works.
TEST(NetworkCli, DroppedConnectionFailsTheOperationAndTheNextOneWorks)
{
    struct Case {
        int dropAfter; // bytes the scale sends before the cut
        std::vector<std::string> args;
    };
    for (const Case& c : {Case{25, {"read-products", "--scale", "Весы", "--range", "1-20", "--out", "back.pl6"}},
                          Case{25, {"send-products", "--scale", "Весы", "list.pl6"}}}) {
        qmtest::EmuProcess scale(overTcp(c.dropAfter));
        qmtest::CliStartDir dir(&scale, 1, "Весы");
        dir.write("list.pl6", qmtest::pl6Count(40));
        const auto cut = dir.cli(c.args);
        EXPECT_EQ(cut.status, 1) << c.args[0] << said(cut);
        EXPECT_FALSE(fs::exists(dir.path / "back.pl6"));
        const auto next = dir.cli(c.args);
        EXPECT_EQ(next.status, 0) << c.args[0] << said(next);
        EXPECT_EQ(eventCount(scale, "client connected"), 2);
    }
}

// One client at a time: a second one is turned away while the first reads; once it is done, the
// second gets the line.
TEST(NetworkCli, TwoClientsTakeTurns)
{
    qmtest::EmuProcess scale(overTcp());
    qmtest::CliStartDir dir(&scale, 1, "Весы");
    qmtest::CliRun second;
    const auto first =
        dir.cli({"read-products", "--scale", "Весы", "--range", "1-300", "--out", "back.pl6"}, [&](pid_t) {
            while (eventCount(scale, "client connected") == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            second = dir.cli({"read-settings", "--scale", "Весы"});
        });
    EXPECT_EQ(first.status, 0) << said(first);
    EXPECT_EQ(second.status, 1);
    EXPECT_NE(said(second).find(qm::operationtext::kNoLink), std::string::npos) << said(second);
    EXPECT_EQ(eventCount(scale, "client turned away: the line is taken"), 1);
    EXPECT_EQ(dir.cli({"read-settings", "--scale", "Весы"}).status, 0);
}

// `ports` lists the network ports with whether a connection opens now.
TEST(NetworkCli, PortsListsNetworkPortsWithTheirState)
{
    qmtest::EmuProcess scale(overTcp());
    qmtest::CliStartDir dir(&scale, 1, "Весы");
    dir.write("ports.cfg", "COM1=" + scale.device() + "\nCOM2=tcp://127.0.0.1:1?allowance=90\n");
    const auto run = dir.cli({"ports", "--json"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("{\"name\":\"COM1\",\"device\":\"" + scale.device() +
                           "\",\"description\":\"соединение открывается\",\"network\":true,\"connects\":true}"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("{\"name\":\"COM2\",\"device\":\"tcp://127.0.0.1:1?allowance=90\",\"description\":"
                           "\"соединение не открывается\",\"network\":true,\"connects\":false}"),
              std::string::npos)
        << run.out;
}

// An auto-load cycle keeps one connection per port for all the loads of its rows.
TEST(NetworkCli, AutoLoadCycleUsesOneConnectionPerPort)
{
    qmtest::EmuProcess scale(overTcp());
    qmtest::CliStartDir dir(&scale, 1, "Весы");
    std::ofstream cfl(dir.path / "auto.cfl", std::ios::binary);
    for (const char* cell : {"1", "Весы", "", "1", "COM1", "19200", "in.pl6", "in.msg", ""})
        cfl << qm::cp(cell) << "\r\n";
    cfl.close();
    dir.write("in.pl6", qmtest::pl6Count(5));
    dir.write("in.msg", qmtest::msg({1, 2}));
    for (const char* name : {"in.pl6", "in.msg"})
        fs::last_write_time(dir.path / name, fs::file_time_type::clock::now() - std::chrono::seconds(10));
    const auto run = qmtest::runCli(
        dir.path, {"--dir", dir.path.string(), "--config", "auto.cfl", "autoload", "--once"}, {}, dir.path);
    EXPECT_EQ(run.status, 0) << said(run);
    EXPECT_FALSE(fs::exists(dir.path / "in.pl6"));
    EXPECT_FALSE(fs::exists(dir.path / "in.msg"));
    EXPECT_EQ(scale.state().plu.size(), 6u); // 3 and 7 before, 1..5 loaded
    EXPECT_EQ(eventCount(scale, "client connected"), 1);
}

} // namespace
