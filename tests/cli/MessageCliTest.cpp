// qmscales-cli check-messages, send-messages, read-messages and delete-messages, run as a real
// process against an emulated scale, with the configuration in a .cfl as the window saves it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "ScaleText.h"
#include "StateBuilder.h"
#include "common/Cp1251.h"
#include "common/RangeCheck.h"
#include "common/TableLayouts.h"
#include "config/ConfigTable.h"
#include "files/FileIo.h"
#include "files/TableFiles.h"
#include "messages/MessageTexts.h"
#include "operation/OperationTexts.h"
#include "support/CliStartDir.h"
#include "support/EmuProcess.h"

namespace fs = std::filesystem;
namespace messagetext = qm::messagetext;

namespace
{

constexpr int kScale = 12;

// The scale "Весы 1" of "Бакалея" on COM1.
struct StartDir : qmtest::CliStartDir {
    explicit StartDir(const qmtest::EmuProcess& emu) : CliStartDir(&emu, kScale, "Весы 1", "Бакалея") {}

    void writeMessages(const std::string& name, const std::vector<std::vector<std::string>>& rows) const
    {
        qm::Table t = qm::makeTable(qm::messageLayout());
        std::vector<qm::Row> data;
        for (const auto& r : rows) {
            qm::Row row(qm::kMessageColumns);
            for (size_t c = 0; c < r.size(); ++c)
                row[c] = qm::cp(r[c]);
            data.push_back(row);
        }
        t.setDataRows(data);
        EXPECT_FALSE(qm::saveCellFile(path / name, t));
    }
};

using Run = qmtest::CliRun;

Run cli(const StartDir& dir, std::vector<std::string> args, const std::function<void(pid_t)>& whileRunning = {})
{
    return dir.cli(std::move(args), whileRunning);
}

std::string line(const char* text)
{
    std::string out;
    for (const char* p = text; *p; ++p)
        if (!(p[0] == '\r' && p[1] == '\n'))
            out += *p;
    return out + "\n";
}

qmtest::EmuOptions scaleOptions(std::string stateJson = {}, std::vector<std::string> faults = {})
{
    qmtest::EmuOptions o;
    o.number = kScale;
    o.stateJson = std::move(stateJson);
    o.faults = std::move(faults);
    return o;
}

std::string padded(const std::string& cp1251)
{
    std::string s = cp1251;
    s.resize(50, ' ');
    return s;
}

} // namespace

TEST(CliMessages, CheckMessagesReportsTheFirstBadRow)
{
    qmtest::EmuProcess emu(scaleOptions());
    StartDir dir(emu);
    dir.writeMessages("good.msg", {{"1", "a"}, {"1000", "b"}});
    dir.writeMessages("bad.msg", {{"1", "a"}, {"1001", "b"}});
    auto r = cli(dir, {"check-messages", "good.msg"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, line(messagetext::kTableOk));
    r = cli(dir, {"check-messages", "bad.msg"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "строка 2, столбец «№ MSG»: " + line(messagetext::kRowError));
    EXPECT_EQ(cli(dir, {"check-messages", "missing.msg"}).status, 1);
    EXPECT_EQ(cli(dir, {"check-messages"}).status, 2);
}

TEST(CliMessages, SendMessagesWholeFileAndRows)
{
    qmtest::EmuProcess emu(scaleOptions());
    StartDir dir(emu);
    dir.writeMessages("m.msg", {{"1", "Свежее"}, {"2", "b"}, {"3", "c"}});
    auto r = cli(dir, {"send-messages", "--scale", "Весы 1", "m.msg"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, line(qm::operationtext::kSent));
    auto state = emu.state();
    ASSERT_EQ(state.messages.size(), 3u);
    EXPECT_EQ(emu::scaleToUtf8(state.messages.at(1)[0]), "Свежее" + std::string(44, ' '));

    dir.writeMessages("n.msg", {{"x", "bad"}, {"20", "b"}, {"30", "c"}});
    r = cli(dir, {"send-messages", "--scale", "Весы 1", "n.msg", "--rows", "3-2"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    state = emu.state();
    EXPECT_EQ(state.messages.size(), 5u);
    EXPECT_EQ(state.messages.count(20) + state.messages.count(30), 2u);

    r = cli(dir, {"send-messages", "--scale", "Весы 1", "n.msg"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "строка 1, столбец «№ MSG»: " + line(messagetext::kRowError));
    dir.writeMessages("late.msg", {{"20", "b"}, {"1001", "c"}});
    r = cli(dir, {"send-messages", "--scale", "Весы 1", "late.msg", "--rows", "1-2"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("строка 2, столбец «№ MSG»: ", 0), 0u) << r.err;
    r = cli(dir, {"send-messages", "--scale", "Весы 1", "n.msg", "--rows", "0-2"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, line(qm::rangetext::kRowZero));
    EXPECT_EQ(cli(dir, {"send-messages", "--scale", "Весы 1", "n.msg", "--rows", "2-4"}).err,
              line(qm::tableRowsRule(qm::TableId::Messages).aboveHighest));
    EXPECT_EQ(cli(dir, {"send-messages", "--scale", "Весы 1", "n.msg", "--rows", "2-3", "--no-check"}).status, 2);
    EXPECT_EQ(cli(dir, {"send-messages", "n.msg"}).status, 2);
    EXPECT_EQ(emu.state().messages.size(), 5u);
}

TEST(CliMessages, ReadMessagesIntoAMsgFile)
{
    const std::string state = emu::StateBuilder(kScale).message(3, {"Акция"}).message(7, {"", "", "seven"}).json();
    qmtest::EmuProcess emu(scaleOptions(state));
    StartDir dir(emu);
    auto r = cli(dir, {"read-messages", "--scale", "Весы 1", "--all", "--out", "all.msg"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "Данные приняты.\n");
    // Two rows of nine lines, each line of text 50 characters with its trailing blanks.
    std::string expected = "3\r\n" + padded(qm::cp("Акция")) + "\r\n";
    for (int l = 0; l < 7; ++l)
        expected += std::string(50, ' ') + "\r\n";
    expected += "7\r\n";
    for (int l = 0; l < 8; ++l)
        expected += (l == 2 ? padded("seven") : std::string(50, ' ')) + "\r\n";
    EXPECT_EQ(qmtest::fileText(dir.path / "all.msg"), expected);

    r = cli(dir, {"read-messages", "--scale", "Весы 1", "--msg", "7", "--out", "one.msg"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Данные приняты.\n");
    const auto one = qm::loadMessageFile(dir.path / "one.msg");
    ASSERT_EQ(one.table.rowCount(), 2);
    EXPECT_EQ(one.table.cell(1, 0), "7");
    EXPECT_EQ(one.table.cell(1, 3), padded("seven"));

    r = cli(dir, {"read-messages", "--scale", "Весы 1", "--range", "5-10", "--out", "range.msg"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(qm::loadMessageFile(dir.path / "range.msg").table.rowCount(), 2);
}

TEST(CliMessages, ReadMessagesUsage)
{
    qmtest::EmuProcess emu(scaleOptions());
    StartDir dir(emu);
    auto r = cli(dir, {"read-messages", "--scale", "Весы 1", "--msg", "0", "--out", "x.msg"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, line(messagetext::kBadNumber));
    r = cli(dir, {"read-messages", "--scale", "Весы 1", "--range", "0-3", "--out", "x.msg"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, line(messagetext::kRangeReadNumbers));
    EXPECT_EQ(cli(dir, {"read-messages", "--scale", "Весы 1", "--all", "--msg", "3", "--out", "x.msg"}).status, 2);
    EXPECT_EQ(cli(dir, {"read-messages", "--scale", "Весы 1", "--all"}).status, 2);
    EXPECT_EQ(cli(dir, {"read-messages", "--all", "--out", "x.msg"}).status, 2);
    r = cli(dir, {"read-messages", "--scale", "Другие", "--all", "--out", "x.msg"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, line(messagetext::kChooseToRead));
    EXPECT_FALSE(fs::exists(dir.path / "x.msg"));
    EXPECT_TRUE(emu.received().empty());
}

TEST(CliMessages, FailedReadLeavesAnOlderFileAlone)
{
    qmtest::EmuProcess emu(
        scaleOptions(emu::StateBuilder(kScale).message(1, {"a"}).json(), {"truncate=10@0x83#2-1000"}));
    StartDir dir(emu);
    dir.writeMessages("old.msg", {{"5", "old"}});
    const std::string before = qmtest::fileText(dir.path / "old.msg");
    const auto r = cli(dir, {"read-messages", "--scale", "Весы 1", "--all", "--out", "old.msg"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, line(messagetext::kReadFailed) +
                         "Принятые до ошибки записи (1) сохранены в файл old.part.msg; файл old.msg не изменен.\n");
    EXPECT_EQ(qmtest::fileText(dir.path / "old.msg"), before);
}

TEST(CliMessages, CtrlCStopsReadAllAndKeepsWhatWasRead)
{
    // Each read answer comes 20 ms late, so reading all would take well over 20 s.
    const std::string state = emu::StateBuilder(kScale).message(1, {"one"}).message(2, {"two"}).json();
    qmtest::EmuProcess emu(scaleOptions(state, {"delay=20@0x83"}));
    StartDir dir(emu);
    int readsAtStop = 0;
    const auto r = cli(dir, {"read-messages", "--scale", "Весы 1", "--all", "--out", "part.msg"}, [&](pid_t pid) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline) {
            int reads = 0;
            for (const auto& e : emu.log())
                reads += e.kind == qmtest::EmuLogEntry::Kind::Event && e.event.find(" read") != std::string::npos;
            readsAtStop = reads;
            if (reads >= 5)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        ::kill(pid, SIGINT);
    });
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Действие прервано.\nПринятые записи (2) сохранены в файл part.msg.\n");
    const auto part = qm::loadMessageFile(dir.path / "part.msg");
    ASSERT_EQ(part.table.rowCount(), 3) << qmtest::fileText(dir.path / "part.msg");
    EXPECT_EQ(part.table.cell(1, 0), "1");
    EXPECT_EQ(part.table.cell(2, 0), "2");
    int asked = 0;
    const auto got = emu.received();
    for (size_t i = 0; i + 1 < got.size(); ++i)
        asked += got[i] == kScale && got[i + 1] == 0x83;
    // Whatever the machine's speed: the read in flight may finish, no other one starts.
    EXPECT_LE(asked, readsAtStop + 2);
}

TEST(CliMessages, CtrlCNeverReplacesAnOlderFile)
{
    const std::string state = emu::StateBuilder(kScale).message(1, {"one"}).message(2, {"two"}).json();
    qmtest::EmuProcess emu(scaleOptions(state, {"delay=20@0x83"}));
    StartDir dir(emu);
    dir.writeMessages("old.msg", {{"5", "old"}, {"6", "older"}});
    const std::string before = qmtest::fileText(dir.path / "old.msg");
    const auto r =
        cli(dir, {"read-messages", "--scale", "Весы 1", "--range", "1-1000", "--out", "old.msg"}, [&](pid_t pid) {
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (std::chrono::steady_clock::now() < deadline) {
                int reads = 0;
                for (const auto& e : emu.log())
                    reads += e.kind == qmtest::EmuLogEntry::Kind::Event && e.event.find(" read") != std::string::npos;
                if (reads >= 5)
                    break;
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
            ::kill(pid, SIGINT);
        });
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Действие прервано.\nПринятые записи (2) сохранены в новый файл old.part.msg; файл old.msg не "
                     "изменен.\n");
    EXPECT_EQ(qmtest::fileText(dir.path / "old.msg"), before);
    const auto part = qm::loadMessageFile(dir.path / "old.part.msg");
    ASSERT_EQ(part.table.rowCount(), 3);
    EXPECT_EQ(part.table.cell(1, 0), "1");
    EXPECT_EQ(part.table.cell(2, 0), "2");
}

TEST(CliMessages, DeleteMessagesAsksUnlessYes)
{
    const std::string state = emu::StateBuilder(kScale).message(10, {"a"}).message(11, {"b"}).message(13, {"c"}).json();
    qmtest::EmuProcess emu(scaleOptions(state));
    StartDir dir(emu);
    auto r = cli(dir, {"delete-messages", "--scale", "Весы 1", "--range", "10-12"});
    EXPECT_EQ(r.status, 1) << "no terminal to answer: No";
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, line(messagetext::kDeleteRangeQuestion) + "qmscales-cli: не подтверждено: используйте --yes\n");
    EXPECT_EQ(emu.state().messages.size(), 3u);

    r = cli(dir, {"delete-messages", "--scale", "Весы 1", "--range", "12-10", "--yes"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, line(messagetext::kDeleted));
    EXPECT_EQ(emu.state().messages.size(), 1u);

    r = cli(dir, {"delete-messages", "--scale", "Весы 1", "--msg", "13", "--yes"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, line(messagetext::kDeletedOne));
    EXPECT_TRUE(emu.state().messages.empty());

    EXPECT_EQ(cli(dir, {"delete-messages", "--scale", "Весы 1", "--msg", "1001", "--yes"}).status, 2);
    EXPECT_EQ(cli(dir, {"delete-messages", "--scale", "Весы 1", "--yes"}).status, 2);
    r = cli(dir, {"delete-messages", "--scale", "Весы 1", "--range", "0-5", "--yes"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, line(messagetext::kRangeDeleteNumbers));
}
