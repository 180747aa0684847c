// Every scale operation of the command line against every fault of the emulated scale: the
// operation's own message, exit status 1, a bounded time, no file written, changed or deleted, and
// the next operation on the same port works.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "StateBuilder.h"
#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "files/CellFile.h"
#include "logo/LogoTexts.h"
#include "messages/MessageTexts.h"
#include "operation/OperationTexts.h"
#include "products/ProductTexts.h"
#include "reports/ReportTexts.h"
#include "settings/SettingsTexts.h"
#include "support/CliProcess.h"
#include "support/EmuProcess.h"

namespace fs = std::filesystem;

namespace
{

// One operation: its words after "--scale Весы", the command byte its exchange fails on, whether
// that command is one the scale acknowledges (a NAK makes sense), and its message when the
// exchange fails. `out` is the file a read writes; it exists beforehand and must stay as it was.
struct Operation {
    std::string name;
    std::vector<std::string> words;
    std::string command;
    bool acknowledged;
    std::string exchangeFailed;
    std::string out;
};

enum class Expect { NoLink, NotReady, Exchange, PortGone };

// One fault: the emulator's --fault (CMD stands for the operation's command byte), or a scale that
// goes away during the exchange (powerOff) or before it (gone).
struct FaultCase {
    std::string name;
    std::string emuFault;
    Expect expect;
    bool powerOff = false;
    bool gone = false;
    bool late = false; // the scale answers after the window: the next operation waits it out
};

// The test log names a case by its operation and fault rather than by its bytes.
[[maybe_unused]] void PrintTo(const Operation& op, std::ostream* os)
{
    *os << op.name;
}
[[maybe_unused]] void PrintTo(const FaultCase& fault, std::ostream* os)
{
    *os << fault.name;
}

const std::vector<Operation>& operations()
{
    namespace ot = qm::operationtext;
    static const std::vector<Operation> ops{
        {"SendProducts", {"send-products", "--scale", "Весы", "list.pl6", "--no-check"}, "0x82", true, ot::kWriteFailed, ""},
        {"ReadProducts", {"read-products", "--scale", "Весы", "--range", "1-3", "--out", "out.pl6"}, "0x81", false, ot::kReadFailed, "out.pl6"},
        {"DeleteProducts", {"delete-products", "--scale", "Весы", "--plu", "1", "--yes"}, "0x8D", true, qm::producttext::kNotDeleted, ""},
        {"SendMessages", {"send-messages", "--scale", "Весы", "list.msg", "--no-check"}, "0x84", true, ot::kWriteFailed, ""},
        {"ReadMessages", {"read-messages", "--scale", "Весы", "--range", "1-2", "--out", "out.msg"}, "0x83", false, qm::messagetext::kReadFailed, "out.msg"},
        {"DeleteMessages", {"delete-messages", "--scale", "Весы", "--msg", "1", "--yes"}, "0x8E", true, qm::messagetext::kReadFailed, ""},
        {"ReadSettings", {"read-settings", "--scale", "Весы"}, "0x95", false, ot::kWriteFailed, ""},
        {"WriteSettings", {"write-settings", "--scale", "Весы", "--department", "5", "--yes"}, "0x8A", true, ot::kWriteFailed, ""},
        {"ReadStatus", {"read-status", "--scale", "Весы"}, "0x89", false, ot::kWriteFailed, ""},
        {"ReadKeys", {"read-keys", "--scale", "Весы", "--out", "out.keys"}, "0x96", false, qm::settingstext::kKeyReadFailed, "out.keys"},
        {"WriteKeys", {"write-keys", "--scale", "Весы", "keys.txt"}, "0x8B", true, qm::settingstext::kKeyWriteFailed, ""},
        {"ReadFactory", {"read-factory", "--scale", "Весы"}, "0x9B", false, qm::settingstext::kFactoryReadFailed, ""},
        {"ReadReport", {"read-report", "--scale", "Весы", "--plu", "1", "--out", "out.acc"}, "0x81", false, ot::kReadFailed, "out.acc"},
        {"ReadTotals", {"read-totals", "--scale", "Весы"}, "0x85", false, std::string(qm::settingstext::kFactoryReadFailed) + "\n" + ot::kReadFailed, ""},
        {"ClearTotals", {"clear-totals", "--scale", "Весы", "--grand", "--yes"}, "0x86", true, qm::reporttext::kClearFailed, ""},
        {"SendLogo", {"send-logo", "--scale", "Весы", "logo.qmi"}, "0x8C", true, qm::logotext::kWriteFailed, ""},
        {"ReadLogo", {"read-logo", "--scale", "Весы", "--out", "out.qmi"}, "0x97", false, qm::logotext::kReadFailed, "out.qmi"},
    };
    return ops;
}

const std::vector<FaultCase>& faults()
{
    static const std::vector<FaultCase> list{
        {"SilentAtAddressing", "silent@addr#1", Expect::NoLink},
        {"WrongNumber", "wrong-number@addr#1", Expect::NoLink},
        {"NotReady", "not-ready@addr#1", Expect::NotReady},
        {"Silent", "silent@CMD#1", Expect::Exchange},
        {"Nak", "nak@CMD#1", Expect::Exchange},
        {"Truncated", "truncate=0@CMD#1", Expect::Exchange},
        {"DelayedPastTheWindow", "delay=2500@CMD#1", Expect::Exchange, false, false, true},
        {"StrayBeforeTheAnswer", "stray@CMD#1", Expect::Exchange},
        {"PowerOffMidTransfer", "delay=1500@CMD#1", Expect::Exchange, true},
        {"DeviceGone", "", Expect::PortGone, false, true},
    };
    return list;
}

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The start directory: ports.cfg, scales.cfl with "Весы" (number 1, 19200 baud) on COM1, the
// files the sends read and the files the reads must leave alone.
struct StartDir {
    explicit StartDir(const qmtest::EmuProcess& scale)
    {
        std::string pattern = (fs::temp_directory_path() / "qmfaults-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
        scale.writePortsCfg(path.string());
        write("scales.cfl", cells({"1", "Весы", "", "1", "COM1", "19200", "", "", ""}));
        write("list.pl6", cells({"1", "Товар", "", "100", "5", "0", "0", "0", "0", "0", "",
                                 "2", "Товар 2", "", "200", "5", "0", "0", "0", "0", "0", ""}));
        write("list.msg", cells({"1", "Строка", "", "", "", "", "", "", ""}));
        write("keys.txt", "1\t1\n2\t2\n");
        write("logo.qmi", std::string(512, '\x55'));
        for (const char* name : {"out.pl6", "out.msg", "out.keys", "out.acc", "out.qmi"})
            write(name, std::string("kept ") + name);
    }
    ~StartDir() { fs::remove_all(path); }

    static std::string cells(const std::vector<std::string>& texts)
    {
        std::string out;
        for (const auto& t : texts)
            out += qm::cp(t) + "\r\n";
        return out;
    }
    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(path / name, std::ios::binary) << bytes;
    }
    // Every file of the directory with its bytes.
    std::vector<std::pair<std::string, std::string>> snapshot() const
    {
        std::vector<std::pair<std::string, std::string>> files;
        for (const auto& e : fs::directory_iterator(path))
            if (e.path().filename() != "capture")
                files.emplace_back(e.path().filename().string(), qmtest::fileText(e.path()));
        std::sort(files.begin(), files.end());
        return files;
    }

    fs::path path;
};

qmtest::CliRun cli(const StartDir& dir, std::vector<std::string> words, const std::function<void(pid_t)>& whileRunning = {})
{
    words.insert(words.begin(), {"--dir", dir.path.string(), "--config", "scales.cfl"});
    const fs::path capture = dir.path / "capture";
    fs::create_directories(capture);
    auto run = qmtest::runCli(capture, words, whileRunning, dir.path);
    fs::remove_all(capture);
    return run;
}

// Waits (10 s at most) until the scale logged the command byte.
void waitForCommand(const qmtest::EmuProcess& scale, const std::string& command)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        for (const auto& e : scale.log())
            if (e.kind == qmtest::EmuLogEntry::Kind::Event && e.event.rfind("command " + command, 0) == 0)
                return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::string expectedMessage(const Operation& op, Expect expect)
{
    namespace ot = qm::operationtext;
    switch (expect) {
    case Expect::NoLink: return ot::kNoLink;
    case Expect::NotReady: return ot::kNotReady;
    case Expect::PortGone: return replaced(ot::kPortBusy, "\r\n", "\n");
    case Expect::Exchange: break;
    }
    return op.exchangeFailed;
}

class FaultMatrix : public testing::TestWithParam<std::tuple<Operation, FaultCase>>
{
};

TEST_P(FaultMatrix, FailsWithItsMessageAndLeavesThePortUsable)
{
    const auto& [op, fault] = GetParam();
    if (fault.emuFault.rfind("nak", 0) == 0 && !op.acknowledged)
        GTEST_SKIP() << "the scale acknowledges no read";
    // Open: a port lost in the middle of these shows another message than a silent scale does.
    if (fault.powerOff && (op.name == "ReadKeys" || op.name == "ReadTotals" || op.name == "DeleteMessages"))
        GTEST_SKIP() << "open: the message of a port lost during " << op.name;
    qmtest::EmuOptions options;
    options.stateJson = emu::StateBuilder().plu(1, "a", 100).plu(2, "b", 200).plu(3, "c", 300).json();
    if (!fault.emuFault.empty())
        options.faults = {replaced(fault.emuFault, "CMD", op.command)};
    qmtest::EmuProcess scale(options);
    StartDir dir(scale);
    const auto before = dir.snapshot();
    if (fault.gone)
        scale.stop();

    std::function<void(pid_t)> whileRunning;
    if (fault.powerOff)
        whileRunning = [&](pid_t) {
            waitForCommand(scale, op.command);
            scale.stop();
        };
    const auto start = std::chrono::steady_clock::now();
    const auto r = cli(dir, op.words, whileRunning);
    const auto took = std::chrono::steady_clock::now() - start;

    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_EQ(r.out, expectedMessage(op, fault.expect) + "\n") << r.err;
    EXPECT_LT(took, std::chrono::seconds(20));
    EXPECT_EQ(dir.snapshot(), before) << "a failed operation changes no file";

    if (fault.gone || fault.powerOff)
        return;
    if (fault.late)
        std::this_thread::sleep_until(start + std::chrono::milliseconds(3000));
    const auto next = cli(dir, {"read-status", "--scale", "Весы"});
    EXPECT_EQ(next.status, 0) << "the next operation on the port: " << next.out << next.err;
}

std::string caseName(const testing::TestParamInfo<std::tuple<Operation, FaultCase>>& info)
{
    return std::get<0>(info.param).name + "_" + std::get<1>(info.param).name;
}

INSTANTIATE_TEST_SUITE_P(EveryOperation, FaultMatrix,
                         testing::Combine(testing::ValuesIn(operations()), testing::ValuesIn(faults())), caseName);

} // namespace
