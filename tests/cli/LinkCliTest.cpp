// qmscales-cli check-config and test-link, run as a real process against an emulated scale.
#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include "common/Cp1251.h"
#include "support/CliProcess.h"
#include "support/EmuProcess.h"

namespace
{

// The words of a command line without quoted blanks, run in `workDir` (the test's own current
// directory when empty); the output is captured in a directory of this test process.
qmtest::CliRun cli(const std::string& words, const std::filesystem::path& workDir = {})
{
    std::vector<std::string> args;
    std::istringstream in(words);
    for (std::string w; in >> w;)
        args.push_back(w);
    const auto capture = std::filesystem::temp_directory_path() / ("qmcli-link-out-" + std::to_string(::getpid()));
    std::filesystem::create_directories(capture);
    auto run = qmtest::runCli(capture, args, {}, workDir);
    std::filesystem::remove_all(capture);
    return run;
}

// A start directory with a .cfl of one scale "Весы" (number 6) on COM1, or of the rows given
// (number, name, scale number, port; 9600 baud).
struct StartDir {
    using Rows = std::vector<std::vector<std::string>>;
    explicit StartDir(const std::string& cflRowNumber = "6") : StartDir(Rows{{"1", "Весы", cflRowNumber, "COM1"}}) {}
    explicit StartDir(const Rows& rows)
    {
        path = std::filesystem::temp_directory_path() /
               ("qmcli-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path);
        std::ofstream cfl(path / "scales.cfl", std::ios::binary);
        for (const auto& row : rows)
            for (const std::string& cell : {row[0], row[1], std::string("Отдел"), row[2], row[3], std::string("9600"),
                                            std::string(), std::string(), std::string()})
                cfl << qm::cp(cell) << "\r\n";
    }
    ~StartDir() { std::filesystem::remove_all(path); }
    std::string args() const { return "--dir " + path.string() + " --config " + (path / "scales.cfl").string(); }
    std::filesystem::path path;
    static inline int counter = 0;
};

// Runs the command line in the directory and presses Ctrl+C once the scale has received at least
// `bytes` bytes; returns the run and how many bytes the scale had then.
std::pair<qmtest::CliRun, size_t> interrupted(const StartDir& dir, const std::vector<std::string>& args,
                                              const qmtest::EmuProcess& emu, size_t bytes)
{
    const auto capture = dir.path / "capture";
    std::filesystem::create_directories(capture);
    size_t atStop = 0;
    auto run = qmtest::runCli(capture, args, [&](pid_t pid) {
        for (int i = 0; i < 200 && atStop < bytes; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            atStop = emu.received().size();
        }
        ::kill(pid, SIGINT);
    });
    return {run, atStop};
}

} // namespace

TEST(CliLink, TestLinkPrintsTheRowAndTracesTheBytes)
{
    qmtest::EmuProcess emu({6});
    StartDir dir;
    emu.writePortsCfg(dir.path.string());
    const auto r = cli(dir.args() + " --trace trace.txt test-link --scale Весы", dir.path);
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.substr(0, r.out.find("\t", r.out.find("\t", r.out.find("\t") + 1) + 1)), "1\tВесы\tCOM1");
    EXPECT_NE(r.out.find("\tпорт подключен\t"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\tрабочее\n"), std::string::npos) << r.out;
    std::ifstream trace(dir.path / "trace.txt");
    const std::string text((std::istreambuf_iterator<char>(trace)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find(" TX 06\n"), std::string::npos) << text;
    EXPECT_NE(text.find(" RX 06\n"), std::string::npos) << text;
}

TEST(CliLink, ExitCodesOfFailuresAndUsage)
{
    qmtest::EmuProcess emu({6, 0, {"silent@addr"}});
    StartDir dir;
    emu.writePortsCfg(dir.path.string());
    auto r = cli(dir.args() + " test-link --scale Весы");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("не в сети RS"), std::string::npos) << r.out;

    r = cli(dir.args() + " test-link --scale Другие");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Для тестирования выберите весы из списка.\n");

    EXPECT_EQ(cli(dir.args() + " test-link").status, 2);
    EXPECT_EQ(cli(dir.args() + " no-such-command").status, 2);
    EXPECT_EQ(cli(dir.args() + " test-link --scale Весы --bogus 1").status, 2);
    EXPECT_EQ(cli("--help").status, 0);
}

TEST(CliLink, CheckConfigPrintsTheMessageWithLineBreaks)
{
    StartDir good;
    auto r = cli(good.args() + " check-config");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Таблица конфигурации ошибок не имеет.\n");

    StartDir bad("100");
    r = cli(bad.args() + " check-config");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "строка 1, столбец «Номер весов»: Неправильно задан номер весов. Это целое число от 1 до 99.\n");
}

TEST(CliLink, KeptConfigurationServesLaterRuns)
{
    qmtest::EmuProcess emu({6});
    StartDir dir;
    emu.writePortsCfg(dir.path.string());
    ASSERT_EQ(cli("--dir " + dir.path.string() + " keep-config scales.cfl", dir.path).status, 0);
    // The default settings with the configuration rows after line 37: 37 + 9 lines.
    std::ifstream cfg(dir.path / "qm1_6.cfg", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(cfg)), std::istreambuf_iterator<char>());
    size_t lines = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 46u);
    EXPECT_NE(text.find(qm::cp("\r\nTRUE\r\n1\r\nВесы\r\nОтдел\r\n6\r\nCOM1\r\n9600\r\n")), std::string::npos);

    const auto r = cli("--dir " + dir.path.string() + " test-link --scale Весы");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(cli("--dir " + dir.path.string() + " keep-config missing.cfl", dir.path).status, 1);
}

// Every line of a help text fits a terminal of 80 columns (counted in characters, not bytes).
static void expectLinesFit(const std::string& text, const std::string& what)
{
    std::istringstream lines(text);
    for (std::string l; std::getline(lines, l);) {
        size_t width = 0;
        for (const char c : l)
            width += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        EXPECT_LE(width, 80u) << what << ": " << l;
    }
}

// The help is Russian: a line without a Cyrillic letter holds only commands, options and their
// placeholders, no English prose word (a lower-case Latin word that is not a command's name).
static void expectNoEnglishProse(const std::string& text)
{
    std::set<std::string> commands;
    std::istringstream lines(text);
    for (std::string l; std::getline(lines, l);)
        if (l.rfind("  ", 0) == 0 && l.size() > 2 && l[2] != ' ')
            commands.insert(l.substr(2, l.find(' ', 2) - 2));
    lines = std::istringstream(text);
    for (std::string l; std::getline(lines, l);) {
        if (std::any_of(l.begin(), l.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xFE) == 0xD0; }))
            continue; // U+0400..U+047F lead with 0xD0 or 0xD1
        std::istringstream words(l);
        for (std::string w; words >> w;) {
            const size_t letters = std::min(w.find_first_not_of("abcdefghijklmnopqrstuvwxyz"), w.size());
            const bool prose = letters >= 3 && (letters == w.size() || (letters + 1 == w.size() && w[letters] == ','));
            EXPECT_FALSE(prose && !commands.count(w)) << "English word '" << w << "' in: " << l;
        }
    }
}

TEST(CliLink, VersionHelpAndUsageErrors)
{
    auto r = cli("--version");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "qmscales-cli 1.6\n");
    for (const char* help : {"-h", "--help", "help", "read-products -h", "write-settings --help"}) {
        r = cli(help);
        EXPECT_EQ(r.status, 0) << help;
        EXPECT_EQ(r.out.rfind("Использование: qmscales-cli ", 0), 0u) << help;
        EXPECT_NE(r.out.find("--verbose"), std::string::npos) << help;
        expectLinesFit(r.out, help);
    }
    expectNoEnglishProse(cli("--help").out);
    r = cli("read-products -h");
    // The command's words, wrapped at 80 columns under the usage line.
    EXPECT_NE(r.out.find("read-products --scale NAME (--all\n      | --plu N | --range FIRST-LAST) --out FILE"),
              std::string::npos)
        << r.out;

    StartDir dir;
    const auto missing = (dir.path / "no-such-dir").string();
    const struct {
        std::string words;
        std::string err; // the whole of standard error, or a part of it after "…"
    } usage[] = {
        {" check-config --x", "qmscales-cli: неизвестный параметр --x (см. qmscales-cli --help)\n"},
        {" check-config --scale", "qmscales-cli: параметру --scale нужно значение (см. qmscales-cli --help)\n"},
        {" check-config --plu 3", "…--plu не относится к команде check-config"},
        {" check-config now", "…лишнее слово 'now' после check-config"},
        {" test-link --scale Весы extra", "…лишнее слово 'extra'"},
        {" check-products a.pl6 b.pl6", "…лишнее слово 'b.pl6'"},
        {" --version check-config", "…--version не принимает других слов"},
        {" help check-config extra", "…help принимает одно имя команды"},
    };
    for (const auto& u : usage) {
        r = cli(dir.args() + u.words);
        EXPECT_EQ(r.status, 2) << u.words;
        EXPECT_EQ(r.out, "") << u.words;
        if (u.err.rfind("…", 0) == 0)
            EXPECT_NE(r.err.find(u.err.substr(std::string("…").size())), std::string::npos) << r.err;
        else
            EXPECT_EQ(r.err, u.err);
    }
    r = cli("--dir " + missing + " check-config");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "qmscales-cli: папка запуска " + missing + " не существует\n");
}

TEST(CliLink, AStartDirectoryWithoutConfigurationSaysSo)
{
    StartDir dir;
    const std::string where = dir.path.string();
    auto r = cli("--dir " + where + " test-link --scale Весы");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              "qmscales-cli: нет конфигурации: qm1_6.cfg не найден в " + where + ", используйте --config FILE.cfl\n");
    r = cli("check-config", dir.path);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("нет конфигурации: qm1_6.cfg не найден"), std::string::npos) << r.err;
    // Commands on files need none.
    EXPECT_EQ(cli("--dir " + where + " check-products missing.pl6").status, 1);
}

TEST(CliLink, KeepConfigRefusesAWrongTable)
{
    StartDir bad("100");
    const auto r = cli("keep-config scales.cfl", bad.path);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "строка 1, столбец «Номер весов»: Неправильно задан номер весов. Это целое число от 1 до 99.\n");
    EXPECT_FALSE(std::filesystem::exists(bad.path / "qm1_6.cfg"));
}

TEST(CliLink, MessagesHaveNoCarriageReturns)
{
    StartDir dir;
    const auto r = cli("check-products missing.pl6", dir.path);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("qmscales-cli: Не удалось прочитать файл \"missing.pl6\":\n", 0), 0u) << r.err;
    EXPECT_EQ(r.err.find('\r'), std::string::npos);
}

TEST(CliLink, TestLinkAllPrintsARowPerScaleAndFailsUnlessAllWork)
{
    qmtest::EmuProcess emu({6});
    StartDir dir(StartDir::Rows{{"1", "Весы", "6", "COM1"}, {"2", "Склад", "6", "COM2"}});
    emu.writePortsCfg(dir.path.string());
    std::ofstream(dir.path / "ports.cfg", std::ios::app) << "COM2=" << (dir.path / "no-such-tty").string() << "\n";
    auto r = cli(dir.args() + " test-link --all");
    EXPECT_EQ(r.status, 1);
    ASSERT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2) << r.out;
    EXPECT_EQ(r.out.rfind("1\tВесы\tCOM1\tпорт подключен\t", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\tрабочее\n2\tСклад\tCOM2\tпорт не подключен\tнеизвестно\tнеизвестно\n"), std::string::npos)
        << r.out;

    StartDir working(StartDir::Rows{{"1", "Весы", "6", "COM1"}, {"2", "Весы 2", "6", "COM1"}});
    emu.writePortsCfg(working.path.string());
    r = cli(working.args() + " test-link --all");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2) << r.out;

    // A wrong row ends the walk with the message; the rows before it were printed.
    StartDir wrong(StartDir::Rows{{"1", "Весы", "6", "COM1"}, {"2", "Брак", "0", "COM1"}, {"3", "Весы", "6", "COM1"}});
    emu.writePortsCfg(wrong.path.string());
    r = cli(wrong.args() + " test-link --all");
    EXPECT_EQ(r.status, 1);
    const std::string workingRow = "\tрабочее\n";
    EXPECT_EQ(r.out.substr(r.out.size() - workingRow.size()), workingRow) << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << r.out;
    EXPECT_EQ(r.err, "строка 2, столбец «Номер весов»: Проверьте правильность заполнения таблицы конфигурации для "
                     "выбранных весов.\n");

    EXPECT_EQ(cli(dir.args() + " test-link --all --scale Весы").status, 2);
}

TEST(CliLink, TestLinkAllStopsOnCtrlCBetweenRows)
{
    qmtest::EmuProcess emu({6, 0, {"silent@addr"}});
    StartDir dir(StartDir::Rows{{"1", "A", "6", "COM1"}, {"2", "B", "6", "COM1"}, {"3", "C", "6", "COM1"}});
    emu.writePortsCfg(dir.path.string());
    const auto [r, atStop] = interrupted(
        dir, {"--dir", dir.path.string(), "--config", (dir.path / "scales.cfl").string(), "test-link", "--all"}, emu,
        1);
    EXPECT_EQ(r.status, 1);
    // The row under test is finished and printed; the walk ends before the next.
    EXPECT_EQ(r.out, "1\tA\tCOM1\tпорт подключен\tнеизвестно\tне в сети RS\n");
    EXPECT_EQ(r.err, "Действие прервано.\n");
    EXPECT_EQ(atStop, 1u);
    EXPECT_EQ(emu.received().size(), 1u);
}

TEST(CliLink, DetectPrintsTheNumberFound)
{
    qmtest::EmuProcess emu({42});
    StartDir dir;
    emu.writePortsCfg(dir.path.string(), 5);
    const auto r = cli("--dir " + dir.path.string() + " detect --port COM5 --speed 9600");
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "42\n");
    EXPECT_EQ(emu.received().size(), 42u);
}

TEST(CliLink, DetectStopsOnCtrlCAndReportsAMissingPort)
{
    qmtest::EmuProcess emu({90});
    StartDir dir;
    emu.writePortsCfg(dir.path.string(), 5);
    std::ofstream(dir.path / "ports.cfg", std::ios::app) << "COM7=" << (dir.path / "no-such-tty").string() << "\n";
    const auto [r, probesAtStop] =
        interrupted(dir, {"--dir", dir.path.string(), "detect", "--port", "COM5", "--speed", "9600"}, emu, 3);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "") << "a stop ends the detection without a message";
    EXPECT_GE(probesAtStop, 3u);
    EXPECT_LE(emu.received().size(), probesAtStop + 1) << "no probe after the stop";

    auto missing = cli("--dir " + dir.path.string() + " detect --port com7 --speed 4800");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "Выбранный СОМ-порт не существует или занят другим приложением.\n");

    for (const char* bad : {"--port COM17 --speed 9600", "--port COM5 --speed 1200", "--port COM5", "--speed 9600"})
        EXPECT_EQ(cli("--dir " + dir.path.string() + " detect " + bad).status, 2) << bad;
}

TEST(CliLink, PortsListsTheComNamesThatLeadToADevice)
{
    qmtest::EmuProcess emu({1});
    StartDir dir;
    {
        std::ofstream cfg(dir.path / "ports.cfg");
        for (int com = 1; com <= 16; ++com)
            cfg << "COM" << com << "=" << (dir.path / ("missing" + std::to_string(com))).string() << "\n";
    }
    emu.writePortsCfg(dir.path.string(), 3);
    auto r = cli("--dir " + dir.path.string() + " ports");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "COM3\t" + emu.device() + "\t\n");

    r = cli("--dir " + dir.path.string() + " ports --json");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "[{\"name\":\"COM3\",\"device\":\"" + emu.device() + "\",\"description\":\"\"}]\n");
    EXPECT_EQ(cli("--dir " + dir.path.string() + " ports --json extra").status, 2);
}
