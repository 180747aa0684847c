// qmscales-cli as a script sees it, run as a real process: standard output holds only data and
// the closing text of a success (with --json one JSON document, and nothing on failure), every
// failure goes to standard error with the cell it names on its line, a file the program cannot
// write is refused before the scale is asked, a read that fails after some records keeps them
// beside --out, and text from the scale reaches the terminal without raw control bytes.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

#include "StateBuilder.h"
#include "StateFile.h"
#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "files/PluFile.h"
#include "files/TableFiles.h"
#include "operation/OperationTexts.h"
#include "support/CliStartDir.h"
#include "support/EmuProcess.h"

namespace fs = std::filesystem;

namespace
{

struct StartDir : qmtest::CliStartDir {
    explicit StartDir(const qmtest::EmuProcess& emu) : CliStartDir(&emu, 1, "Весы") {}
};

std::string cells(const std::vector<std::string>& texts)
{
    std::string out;
    for (const auto& t : texts)
        out += qm::cp(t) + "\r\n";
    return out;
}

// Kills the program when it has not ended after `seconds`: a run that hangs fails the test
// instead of holding it up. The process stays for runCli to collect.
std::function<void(pid_t)> killAfter(int seconds)
{
    return [seconds](pid_t pid) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        siginfo_t info{};
        while (std::chrono::steady_clock::now() < deadline) {
            info.si_pid = 0;
            if (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid)
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        ::kill(pid, SIGKILL);
    };
}

} // namespace

TEST(CliScriptOutput, AFailureLeavesStandardOutputEmptyAndSaysWhyOnStandardError)
{
    const std::string noLink = std::string(qm::operationtext::kNoLink) + "\n";
    const struct {
        std::vector<std::string> words;
        int status;
        std::string err; // standard error holds it
    } cases[] = {
        {{"read-settings", "--scale", "Весы", "--json"}, 1, noLink},
        {{"read-status", "--scale", "Весы", "--json"}, 1, noLink},
        {{"read-factory", "--scale", "Весы", "--json"}, 1, noLink},
        {{"read-totals", "--scale", "Весы", "--json"}, 1, noLink},
        {{"read-totals", "--json"}, 2, "read-totals: нужен --scale NAME"},
        // Standard output takes text only: a logo file is not written to a file named "-".
        {{"read-logo", "--scale", "Весы", "--out", "-"}, 1, "--out -: стандартный вывод принимает только текст"},
        {{"read-keys", "--scale", "Весы"}, 1, noLink},
        {{"read-products", "--scale", "Весы", "--plu", "1", "--out", "x.pl6"}, 1, noLink},
        {{"read-report", "--scale", "Весы", "--plu", "1", "--out", "x.acc"}, 1, noLink},
        {{"read-logo", "--scale", "Весы", "--out", "x.qmi"}, 1, noLink},
        {{"send-products", "--scale", "Весы", "list.pl6"}, 1, noLink},
        {{"delete-messages", "--scale", "Весы", "--all", "--yes"}, 1, noLink},
        {{"write-settings", "--scale", "Весы", "--department", "5", "--yes"}, 1, noLink},
        {{"clear-totals", "--scale", "Весы", "--grand", "--yes"}, 1, noLink},
        // A question nobody can answer is a failure too.
        {{"delete-products", "--scale", "Весы", "--plu", "1"}, 1, "не подтверждено: используйте --yes"},
        {{"read-products", "--scale", "Весы", "--plu", "4001", "--out", "x.pl6"}, 2, "Ошибка ввода номера PLU"},
    };
    qmtest::EmuProcess scale(qmtest::withState("", {"silent@addr"}));
    StartDir dir(scale);
    dir.write("list.pl6", cells({"1", "Товар", "", "100", "5", "0", "0", "0", "0", "0", ""}));
    for (const auto& c : cases) {
        std::string name;
        for (const auto& w : c.words)
            name += w + " ";
        SCOPED_TRACE(name);
        const auto r = dir.cli(c.words);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        for (const char* file : {"x.pl6", "x.acc", "x.qmi", "-"})
            EXPECT_FALSE(fs::exists(dir.path / file)) << file;
    }
}

TEST(CliScriptOutput, ABadCellIsNamedByRowAndHeaderOnTheLineOfItsMessage)
{
    qmtest::EmuProcess scale;
    StartDir dir(scale);
    dir.write("prices.pl6", cells({"1", "Товар", "", "100", "5", "0", "0", "0", "0", "0", "", //
                                   "2", "Товар", "", "100", "5", "0", "0", "0", "0", "0", "", //
                                   "3", "Товар", "", "1x0", "5", "0", "0", "0", "0", "0", ""}));
    dir.write("notes.msg", cells({"1", "a", "", "", "", "", "", "", "", "0", "b", "", "", "", "", "", "", ""}));
    dir.write("keys.txt", "1\t5\n7\t4001\n");
    const struct {
        std::vector<std::string> words;
        std::string err;
    } cases[] = {
        {{"check-products", "prices.pl6"}, "строка 3, столбец «Цена,коп.»: Неправильно задана цена товара.\n"},
        {{"send-products", "--scale", "Весы", "prices.pl6"},
         "строка 3, столбец «Цена,коп.»: Неправильно задана цена товара.\n"},
        {{"check-messages", "notes.msg"}, "строка 2, столбец «№ MSG»: "},
        {{"write-keys", "--scale", "Весы", "keys.txt"}, "строка 7, столбец «Номер ячейки»: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words.front());
        const auto r = dir.cli(c.words);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind(c.err, 0), 0u) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    EXPECT_TRUE(scale.received().empty());
}

TEST(CliScriptOutput, ATraceThatIsNoRegularFileIsRefusedAtOnce)
{
    qmtest::EmuProcess scale;
    StartDir dir(scale);
    ASSERT_EQ(::mkfifo((dir.path / "trace.fifo").c_str(), 0644), 0);
    fs::create_symlink("/dev/null", dir.path / "trace.dev");
    fs::create_directory(dir.path / "trace.dir");
    const struct {
        const char* trace;
        const char* reason;
    } cases[] = {
        {"trace.fifo", "это канал, а не файл."},
        {"trace.dev", "это устройство, а не файл."},
        {"trace.dir", "это папка, а не файл."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.trace);
        // Before: a FIFO without a reader held every command in its open for ever.
        const auto r = dir.cli({"--trace", c.trace, "read-status", "--scale", "Весы"}, killAfter(10));
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "qmscales-cli: Не удается открыть файл трассировки обмена \"" + std::string(c.trace) +
                             "\":\n" + c.reason + "\n");
    }
    EXPECT_TRUE(scale.received().empty());
    // A regular file takes the trace; a missing one is made.
    const auto r = dir.cli({"--trace", "trace.txt", "read-status", "--scale", "Весы"}, killAfter(10));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(dir.read("trace.txt").find(" TX "), std::string::npos);
}

TEST(CliScriptOutput, AnOutThatCannotBeWrittenIsRefusedBeforeTheScaleIsAsked)
{
    qmtest::EmuProcess scale(qmtest::withState(emu::StateBuilder().plu(1, "a", 1).json()));
    StartDir dir(scale);
    fs::create_directory(dir.path / "taken.pl6");
    fs::create_symlink("/dev/null", dir.path / "device.msg");
    const struct {
        std::vector<std::string> words;
        const char* reason;
    } cases[] = {
        {{"read-products", "--scale", "Весы", "--all", "--out", "missing/x.pl6"}, "файл или папка не найдены"},
        {{"read-products", "--scale", "Весы", "--all", "--out", "taken.pl6"}, "это папка, а не файл"},
        {{"read-messages", "--scale", "Весы", "--all", "--out", "device.msg"}, "это устройство, а не файл"},
        {{"read-report", "--scale", "Весы", "--all", "--out", "missing/x.acc"}, "файл или папка не найдены"},
        {{"read-logo", "--scale", "Весы", "--out", "taken.pl6"}, "это папка, а не файл"},
        {{"read-keys", "--scale", "Весы", "--out", "missing/keys.txt"}, "файл или папка не найдены"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words.front() + " " + c.words.back());
        const auto r = dir.cli(c.words);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "Не удастся сохранить файл \"" + c.words.back() + "\":\n" + c.reason +
                             ".\nДанные из весов не запрашивались.\n");
    }
    EXPECT_TRUE(scale.received().empty()) << "no byte before the file can be saved";
    EXPECT_FALSE(fs::exists(dir.path / "missing"));
    EXPECT_TRUE(fs::is_directory(dir.path / "taken.pl6"));
}

TEST(CliScriptOutput, AReadThatFailsAfterSomeRecordsKeepsThemBesideOut)
{
    // From the third record on every answer is cut short: a fault that stays, asked again or not.
    emu::StateBuilder products;
    for (std::uint32_t n = 1; n <= 4; ++n)
        products.plu(n, "p", n * 100);
    emu::StateBuilder messages;
    for (std::uint32_t n = 1; n <= 4; ++n)
        messages.message(n, {"m"});
    const struct {
        std::string stateJson;
        std::string fault;
        std::vector<std::string> words; // --out comes last
        bool outExists;
        std::string part;
    } cases[] = {
        {products.json(),
         "truncate=50@0x81#3-9999",
         {"read-products", "--all", "--out", "back.pl6"},
         true,
         "back.part.pl6"},
        {messages.json(),
         "truncate=50@0x83#3-9999",
         {"read-messages", "--range", "1-4", "--out", "notes.msg"},
         false,
         "notes.part.msg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words.front());
        qmtest::EmuProcess scale(qmtest::withState(c.stateJson, {c.fault}));
        StartDir dir(scale);
        const std::string out = c.words.back();
        if (c.outExists)
            dir.write(out, "kept");
        std::vector<std::string> words = c.words;
        words.insert(words.begin() + 1, {"--scale", "Весы"});
        const auto r = dir.cli(words);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("Принятые до ошибки записи (2) сохранены в файл " + c.part + "; файл " + out +
                             (c.outExists ? " не изменен.\n" : " не записан.\n")),
                  std::string::npos)
            << r.err;
        EXPECT_EQ(fs::exists(dir.path / out), c.outExists);
        EXPECT_EQ(dir.read(out), c.outExists ? "kept" : "");
        const qm::Table part = c.words.front() == "read-products" ? qm::loadProductFile(dir.path / c.part, 0).table
                                                                  : qm::loadMessageFile(dir.path / c.part).table;
        ASSERT_EQ(part.rowCount(), 3) << "the two records received, no empty row after them";
        EXPECT_EQ(part.cell(1, 0), "1");
        EXPECT_EQ(part.cell(2, 0), "2");
    }
}

TEST(CliScriptOutput, ControlBytesFromTheScaleAreShownEscaped)
{
    emu::ScaleState state;
    // ESC [ 2 J clears a terminal; BEL rings it.
    state.shop1 = emu::scaleName("Ёлка\x1b[2J\a");
    qmtest::EmuOptions options;
    options.stateJson = emu::stateToJson(state);
    qmtest::EmuProcess scale(options);
    StartDir dir(scale);
    const auto lines = dir.cli({"read-settings", "--scale", "Весы"});
    ASSERT_EQ(lines.status, 0) << lines.err;
    EXPECT_NE(lines.out.find("\nНазвание магазина, строка 1: Ёлка\\x1b[2J\\x07 "), std::string::npos) << lines.out;
    const auto json = dir.cli({"read-settings", "--scale", "Весы", "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_NE(json.out.find("\"shop1\":\"Ёлка\\u001b[2J\\u0007 "), std::string::npos) << json.out;
    for (const std::string& printed : {lines.out, lines.err, json.out, json.err}) {
        for (size_t i = 0; i < printed.size(); ++i) {
            const auto c = static_cast<unsigned char>(printed[i]);
            EXPECT_TRUE((c >= 0x20 && c != 0x7F) || c == '\n') << "raw byte " << int(c) << " at " << i;
            EXPECT_FALSE(c == 0xC2 && i + 1 < printed.size() && static_cast<unsigned char>(printed[i + 1]) < 0xA0)
                << "raw C1 control at " << i;
        }
    }
}
