// Every scale operation of the command line against every fault of the emulated scale: the
// operation's own message (test-link's test row, the unattended load's protocol line), exit
// status 1, a bounded time, no file written, changed or deleted (a load file and its queue stay
// where they are; the load's line goes to protocol.txt), and the next operation on the same port
// works. A read asks a lost answer again: one fault of the line on one answer is read through,
// the same fault on three answers in a row fails it; a write is never repeated.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "StateBuilder.h"
#include "autoload/AutoloadTexts.h"
#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "diagnostics/DiagnosticTexts.h"
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
    // A read asks the lost answer again and succeeds; onlyReads: a write's own window decides.
    bool askedAgain = false;
    bool onlyReads = false;
};

// What a failed run prints when it is not the message of Expect: the case, the start directory.
using Printed = std::function<std::string(const FaultCase&, const fs::path&)>;

// One operation: its words (after "--scale Весы" for most), the exchange it fails on (a command
// byte, or "addr" for the addressing itself), whether that command is one the scale acknowledges
// (a NAK makes sense), and its message when the exchange fails. `out` is the file a read writes;
// it exists beforehand and must stay as it was. `skips` names the fault cases that do not fit the
// operation, with the reason; `printed` replaces the message; `protocol`: the run adds its line
// to protocol.txt.
struct Operation {
    std::string name;
    std::vector<std::string> words;
    std::string command;
    bool acknowledged;
    std::string exchangeFailed;
    std::string out;
    std::vector<std::pair<std::string, std::string>> skips = {};
    Printed printed = {};
    bool protocol = false;
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

// Why a garbled answer of these operations is taken as it comes: nothing in it can be checked.
const char* const kFreeText = "the message answer carries no number, one byte of no documented meaning and 400 free "
                              "text bytes: nothing to check, a garbled message reads as other text";
const char* const kFreeFactory = "the factory record holds free binary values, any dual-range byte and decimal point "
                                 "codes whose 6..255 are documented answers: nothing to check";
const char* const kFreeLogo = "the logo answer is one byte of no documented meaning and 512 bytes of free dots: "
                              "nothing to check, a garbled logo reads as another picture";
const char* const kFreeStatus = "the status record holds free flags and signed numbers, its selected product only "
                                "shown as sent: nothing to check, a garbled status reads as another state";
const char* const kFreeTotals = "the general totals hold free counters, a clock and free-cell counts that are only "
                                "shown as sent: nothing to check, garbled totals read as other figures";
const char* const kOneProbe = "test-link addresses once and asks nothing again: the rest of a lasting silence would "
                              "meet the next operation's addressing";
const char* const kFirstByteOnly = "test-link reads the first answer byte only: a scale that answers its own number "
                                   "is working to it, ready or not";

// test-link's row for the scale "Весы" on COM1: the state its first answer byte gives.
std::string linkRow(const FaultCase& fault, const fs::path&)
{
    namespace dt = qm::diagnostictext;
    const std::string head = std::string("1\tВесы\tCOM1\t");
    if (fault.gone)
        return head + dt::kPortNotConnected + "\t" + dt::kUnknown + "\t" + dt::kUnknown;
    // A byte came, but not the scale's number.
    for (const char* other : {"stray", "garble", "wrong-number"})
        if (fault.emuFault.rfind(other, 0) == 0)
            return head + dt::kPortConnected + "\t<time>\t" + dt::kOtherOnLine;
    return head + dt::kPortConnected + "\t" + dt::kUnknown + "\t" + dt::kSilent;
}

// The unattended load's line for "Весы" and its file, as standard output shows them.
std::string loadLine(const FaultCase& fault, const fs::path& dir)
{
    namespace at = qm::autoloadtext;
    std::string line;
    switch (fault.expect) {
    case Expect::NoLink:
    case Expect::NotReady:
        line = std::string(at::kNoLinkBefore) + "Весы" + at::kNoLinkAfter;
        break;
    case Expect::Exchange:
        line = std::string(at::kNoAckBefore) + "Весы";
        break;
    case Expect::PortGone:
        line = std::string(at::kPortBefore) + "Весы" + at::kPortAfter;
        break;
    }
    return line + at::kDash + "<stamp>\t" + (dir / "load.pl6").string();
}

// The answer time of a test row and the date and time of a protocol line.
std::string masked(const std::string& out)
{
    static const std::regex time("(\tпорт подключен\t)[0-9]+\t");
    static const std::regex stamp("  -  [0-9]{2}\\.[0-9]{2}\\.[0-9]{4}  [0-9]{2}:[0-9]{2}:[0-9]{2}");
    return std::regex_replace(std::regex_replace(out, time, "$1<time>\t"), stamp, "  -  <stamp>");
}

const std::vector<Operation>& operations()
{
    namespace ot = qm::operationtext;
    static const std::vector<Operation> ops{
        {"SendProducts", {"send-products", "--scale", "Весы", "list.pl6", "--no-check"}, "0x82", true, ot::kWriteFailed, ""},
        {"ReadProducts", {"read-products", "--scale", "Весы", "--range", "1-3", "--out", "out.pl6"}, "0x81", false, ot::kReadFailed, "out.pl6"},
        {"DeleteProducts", {"delete-products", "--scale", "Весы", "--plu", "1", "--yes"}, "0x8D", true, qm::producttext::kNotDeleted, ""},
        {"SendMessages", {"send-messages", "--scale", "Весы", "list.msg", "--no-check"}, "0x84", true, ot::kWriteFailed, ""},
        {"ReadMessages", {"read-messages", "--scale", "Весы", "--range", "1-2", "--out", "out.msg"}, "0x83", false, qm::messagetext::kReadFailed, "out.msg", {{"Garbled", kFreeText}}},
        {"DeleteMessages", {"delete-messages", "--scale", "Весы", "--msg", "1", "--yes"}, "0x8E", true, qm::messagetext::kReadFailed, ""},
        {"ReadSettings", {"read-settings", "--scale", "Весы"}, "0x95", false, ot::kWriteFailed, ""},
        {"WriteSettings", {"write-settings", "--scale", "Весы", "--department", "5", "--yes"}, "0x8A", true, ot::kWriteFailed, ""},
        {"ReadStatus", {"read-status", "--scale", "Весы"}, "0x89", false, ot::kWriteFailed, "", {{"Garbled", kFreeStatus}}},
        {"ReadKeys", {"read-keys", "--scale", "Весы", "--out", "out.keys"}, "0x96", false, qm::settingstext::kKeyReadFailed, "out.keys"},
        {"WriteKeys", {"write-keys", "--scale", "Весы", "keys.txt"}, "0x8B", true, qm::settingstext::kKeyWriteFailed, ""},
        {"ReadFactory", {"read-factory", "--scale", "Весы"}, "0x9B", false, qm::settingstext::kFactoryReadFailed, "", {{"Garbled", kFreeFactory}}},
        {"ReadReport", {"read-report", "--scale", "Весы", "--plu", "1", "--out", "out.acc"}, "0x81", false, ot::kReadFailed, "out.acc"},
        {"ReadTotals", {"read-totals", "--scale", "Весы"}, "0x85", false, std::string(qm::settingstext::kFactoryReadFailed) + "\n" + ot::kReadFailed, "", {{"Garbled", kFreeTotals}}},
        {"ClearTotals", {"clear-totals", "--scale", "Весы", "--grand", "--yes"}, "0x86", true, qm::reporttext::kClearFailed, ""},
        {"SendLogo", {"send-logo", "--scale", "Весы", "logo.qmi"}, "0x8C", true, qm::logotext::kWriteFailed, ""},
        {"ReadLogo", {"read-logo", "--scale", "Весы", "--out", "out.qmi"}, "0x97", false, qm::logotext::kReadFailed, "out.qmi", {{"Garbled", kFreeLogo}}},
        {"TestLink", {"test-link", "--scale", "Весы"}, "addr", false, "", "", {{"NotReady", kFirstByteOnly}, {"SilentThrice", kOneProbe}}, linkRow},
        {"AutoloadOnce", {"autoload", "--once"}, "0x82", true, "", "", {}, loadLine, true},
    };
    return ops;
}

const std::vector<FaultCase>& faults()
{
    static const std::vector<FaultCase> list{
        {"SilentAtAddressing", "silent@addr#1", Expect::NoLink},
        {"WrongNumber", "wrong-number@addr#1", Expect::NoLink},
        {"NotReady", "not-ready@addr#1", Expect::NotReady},
        {"Silent", "silent@CMD#1", Expect::Exchange, false, false, false, true},
        {"SilentThrice", "silent@CMD#1-3", Expect::Exchange},
        {"Nak", "nak@CMD#1", Expect::Exchange},
        {"Truncated", "truncate=0@CMD#1", Expect::Exchange, false, false, false, true},
        // Late from both sides: past the command's window but within the two asks again (the
        // read gets it), and past them all (it fails).
        {"LateWithinTheRetries", "delay=500@CMD#1", Expect::Exchange, false, false, true, true, true},
        {"DelayedPastTheWindow", "delay=2500@CMD#1", Expect::Exchange, false, false, true},
        {"StrayBeforeTheAnswer", "stray@CMD#1", Expect::Exchange, false, false, false, true},
        {"Garbled", "garble@CMD#1", Expect::Exchange, false, false, false, true},
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

// The start directory: ports.cfg, scales.cfl with "Весы" (number 1, 19200 baud) on COM1 and its
// product load file load.pl6, that file and the next one in its queue (load_00.qu6), the files
// the sends read and the files the reads must leave alone.
struct StartDir {
    explicit StartDir(const qmtest::EmuProcess& scale)
    {
        std::string pattern = (fs::temp_directory_path() / "qmfaults-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
        scale.writePortsCfg(path.string());
        write("scales.cfl", cells({"1", "Весы", "", "1", "COM1", "19200", "load.pl6", "", ""}));
        for (const char* name : {"load.pl6", "load_00.qu6"}) {
            write(name, cells({"5", "Загрузка", "", "500", "5", "0", "0", "0", "0", "0", ""}));
            // A file written less than 2 s ago waits for a later cycle.
            fs::last_write_time(path / name, fs::file_time_type::clock::now() - std::chrono::seconds(10));
        }
        write("list.pl6", cells({"1", "Товар", "", "100", "5", "0", "0", "0", "0", "0", "",
                                 "2", "Товар 2", "", "200", "5", "0", "0", "0", "0", "0", ""}));
        write("list.msg", cells({"1", "Строка", "", "", "", "", "", "", ""}));
        write("keys.txt", "1\t1\n2\t2\n");
        write("logo.qmi", std::string(512, '\x55'));
        for (const char* name : {"out.pl6", "out.msg", "out.keys", "out.acc", "out.qmi"})
            write(name, std::string("kept ") + name);
    }
    ~StartDir() { fs::remove_all(path); }

    // COM1 names a device that is gone. Not the stopped scale's own pseudo-terminal: the system
    // gives its number to the next one opened, which may be the scale of a case running beside.
    void unplug() const
    {
        fs::remove(path / "ports.cfg");
        write("ports.cfg", "COM1=" + (path / "ttyUSB0-unplugged").string() + "\n");
    }

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
    // Every file of the directory with its bytes, the protocol aside.
    std::vector<std::pair<std::string, std::string>> snapshot() const
    {
        std::vector<std::pair<std::string, std::string>> files;
        for (const auto& e : fs::directory_iterator(path))
            if (e.path().filename() != "capture" && e.path().filename() != "protocol.txt")
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

// Waits (10 s at most) until the scale logged the command byte ("addr": the addressing).
void waitForCommand(const qmtest::EmuProcess& scale, const std::string& command)
{
    const std::string event = command == "addr" ? "addressed" : "command " + command;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        for (const auto& e : scale.log())
            if (e.kind == qmtest::EmuLogEntry::Kind::Event && e.event.rfind(event, 0) == 0)
                return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::string expectedOutput(const Operation& op, const FaultCase& fault, const fs::path& dir)
{
    namespace ot = qm::operationtext;
    if (op.printed)
        return op.printed(fault, dir);
    switch (fault.expect) {
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
    for (const auto& [name, reason] : op.skips)
        if (name == fault.name)
            GTEST_SKIP() << reason;
    const bool read = !op.acknowledged && op.command != "addr";
    if (fault.onlyReads && !read)
        GTEST_SKIP() << "a write or a probe waits its own window for a late answer";
    qmtest::EmuOptions options;
    options.stateJson = emu::StateBuilder().plu(1, "a", 100).plu(2, "b", 200).plu(3, "c", 300).json();
    if (!fault.emuFault.empty())
        options.faults = {replaced(fault.emuFault, "CMD", op.command)};
    qmtest::EmuProcess scale(options);
    StartDir dir(scale);
    if (fault.gone) {
        scale.stop();
        dir.unplug();
    }
    const auto before = dir.snapshot();

    std::function<void(pid_t)> whileRunning;
    if (fault.powerOff)
        whileRunning = [&](pid_t) {
            waitForCommand(scale, op.command);
            scale.stop();
        };
    const auto start = std::chrono::steady_clock::now();
    const auto r = cli(dir, op.words, whileRunning);
    const auto took = std::chrono::steady_clock::now() - start;
    const auto commandsLogged = [&] {
        int n = 0;
        for (const auto& e : scale.log())
            n += e.kind == qmtest::EmuLogEntry::Kind::Event && e.event.rfind("command " + op.command, 0) == 0;
        return n;
    };

    if (fault.askedAgain && read) {
        EXPECT_EQ(r.status, 0) << r.out << r.err;
        // A late answer may still fall within a long window (messages, logo): then it is read at once.
        if (!fault.late) {
            EXPECT_GE(commandsLogged(), 2) << "the lost answer asked again";
        }
        EXPECT_LT(took, std::chrono::seconds(20));
        EXPECT_FALSE(fs::exists(dir.path / "protocol.txt"));
        return;
    }
    if (fault.name == "Nak") {
        EXPECT_EQ(commandsLogged(), 1) << "a refused write is not repeated";
    }
    EXPECT_EQ(r.status, 1) << r.out << r.err;
    // The message goes to standard error; test-link's row and the load's line are data.
    EXPECT_EQ(masked(op.printed ? r.out : r.err), expectedOutput(op, fault, dir.path) + "\n") << r.out << r.err;
    if (!op.printed) {
        EXPECT_EQ(r.out, "");
    }
    EXPECT_LT(took, std::chrono::seconds(20));
    EXPECT_EQ(dir.snapshot(), before) << "a failed operation changes no file";
    if (op.protocol) {
        const std::string line = r.out.substr(0, r.out.find('\t'));
        EXPECT_EQ(qmtest::fileText(dir.path / "protocol.txt"), qm::cp(line) + "\r\n") << "the load's one line";
    } else {
        EXPECT_FALSE(fs::exists(dir.path / "protocol.txt"));
    }

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
