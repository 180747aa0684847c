// The link tests of one configured scale and of every row of the configuration, against
// emulated scales.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "common/TableSink.h"
#include "diagnostics/LinkTest.h"
#include "link/ScaleSession.h"
#include "link/TComm.h"
#include "support/EmuProcess.h"
#include "support/ScriptedFeedback.h"

namespace
{

using Cells = std::vector<std::string>;
using qm::LinkState;

// The state of every scale tested, in order.
struct States : qm::ValueSink<LinkState> {
    std::vector<LinkState> all;
    void deliver(const LinkState& state) override { all.push_back(state); }
};

// COM1 and COM3 lead to the devices given, COM2 to none.
struct Bench {
    explicit Bench(const std::string& com1, const std::string& com3 = "/nonexistent/tty3")
    {
        qm::PortMap map;
        map.set(1, com1);
        map.set(2, "/nonexistent/tty");
        map.set(3, com3);
        comm.setPortMap(map);
        config.setDataRows({{"1", qm::cp("Касса"), "", "4", "COM1", "19200", "", "", ""},
                            {"2", qm::cp("Склад"), "", "4", "COM2", "9600", "", "", ""},
                            {"3", qm::cp("Брак"), "", "0", "COM1", "9600", "", "", ""}});
    }
    // The row of the test table; `state` is what the test gave.
    Cells test(const std::string& name)
    {
        qm::Table tests = qm::makeTable(qm::testLayout());
        qm::TableWriter sink(tests);
        if (!qm::testChosenScale({session, config, qm::cp(name)}, sink, &state))
            return {};
        return utf8(tests, 1);
    }
    LinkState tested(const std::string& name)
    {
        test(name);
        return state.value();
    }
    static Cells utf8(const qm::Table& table, int row)
    {
        Cells out;
        for (const auto& c : table.row(row))
            out.push_back(qm::cp1251ToUtf8(c));
        return out;
    }
    qm::Table config = qm::makeTable(qm::configLayout());
    qm::TComm comm;
    qmtest::ScriptedFeedback fb;
    qm::ScaleSession session{comm, fb};
    qm::ValueHolder<LinkState> state;
};

// Milliseconds since t0 on a clock that does not wrap.
long msSince(std::chrono::steady_clock::time_point t0)
{
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count());
}

} // namespace

TEST(LinkTest, WorkingScaleAnswersWithItsNumber)
{
    qmtest::EmuProcess emu({4});
    Bench b(emu.device());
    const auto t0 = std::chrono::steady_clock::now();
    const auto row = b.test("Касса");
    const long took = msSince(t0);
    ASSERT_EQ(row.size(), 6u);
    EXPECT_EQ(row[0], "1");
    EXPECT_EQ(row[1], "Касса");
    EXPECT_EQ(row[2], "COM1");
    EXPECT_EQ(row[3], "порт подключен");
    // The answer was already waiting after the 50 ms pause: about 1 ms, never "неизвестно". The
    // pause is not counted, so the time shown is at most what the whole test took less 50 ms.
    EXPECT_GE(std::stoi(row[4]), 1);
    EXPECT_LE(std::stoi(row[4]), std::max(1L, took - 50));
    EXPECT_EQ(row[5], "рабочее");
    EXPECT_EQ(emu.received(), (std::vector<std::uint8_t>{0x04}));
}

TEST(LinkTest, OutcomesOfSilentForeignStrayAndElsewhereNumberedScales)
{
    {
        qmtest::EmuProcess emu({4, 0, {"silent@addr"}});
        Bench b(emu.device());
        EXPECT_EQ(b.tested("Касса"), LinkState::NoAnswer);
    }
    {
        qmtest::EmuProcess emu({4, 0, {"wrong-number@addr"}});
        Bench b(emu.device());
        EXPECT_EQ(b.test("Касса")[5], "в сети RS");
        EXPECT_EQ(b.state.value(), LinkState::OtherAnswer);
    }
    {
        // A byte of another device on the line comes ahead of the scale's own answer.
        qmtest::EmuProcess emu({4, 0, {"stray=0x55@addr"}});
        Bench b(emu.device());
        const auto row = b.test("Касса");
        EXPECT_EQ(b.state.value(), LinkState::OtherAnswer);
        EXPECT_GE(std::stoi(row[4]), 1) << "the answer time is shown";
    }
    {
        // The scale on the line answers to 7, the row says 4: nothing answers 4.
        qmtest::EmuProcess emu({7});
        Bench b(emu.device());
        EXPECT_EQ(b.tested("Касса"), LinkState::NoAnswer);
        EXPECT_EQ(emu.received(), (std::vector<std::uint8_t>{0x04}));
        EXPECT_TRUE(emu.sent().empty());
    }
}

TEST(LinkTest, AnswerTimeCountsFromTheEndOfTheSettlingPause)
{
    for (const int delay : {60, 160}) {
        qmtest::EmuProcess emu({4, 0, {"delay=" + std::to_string(delay) + "@addr"}});
        Bench b(emu.device());
        const auto t0 = std::chrono::steady_clock::now();
        const auto row = b.test("Касса");
        const long took = msSince(t0);
        EXPECT_EQ(b.state.value(), LinkState::Working);
        // delay - 50 ms, give or take the scheduling of two processes.
        EXPECT_GE(std::stoi(row[4]), delay - 50 - 5) << delay;
        EXPECT_LE(std::stoi(row[4]), std::min(long(delay - 50 + 40), took - 50)) << delay;
    }
}

TEST(LinkTest, PortThatCannotOpenAndRowsThatCannotBeTested)
{
    Bench b("/nonexistent/tty0");
    EXPECT_EQ(b.test("Склад"), (Cells{"1", "Склад", "COM2", "порт не подключен", "неизвестно", "неизвестно"}));
    EXPECT_TRUE(b.test("Брак").empty());
    EXPECT_EQ(b.fb.lastMessage(), "Проверьте правильность заполнения таблицы конфигурации для выбранных весов.");
    EXPECT_TRUE(b.test("Нет").empty());
    EXPECT_EQ(b.fb.lastMessage(), "Для тестирования выберите весы из списка.");
}

TEST(LinkTestAll, EveryRowInTurnEachPortOpenedForItsRowOnly)
{
    qmtest::EmuProcess first({4});
    qmtest::EmuProcess seventh({7});
    Bench b(first.device(), seventh.device());
    b.config.setDataRows({{"1", qm::cp("Касса"), "", "4", "COM1", "19200", "", "", ""},
                          {"2", qm::cp("Склад"), "", "4", "COM2", "9600", "", "", ""},
                          {"3", qm::cp("Цех"), "", "5", "COM3", "9600", "", "", ""},
                          {"4", qm::cp("Цех 7"), "", "7", "COM3", "4800", "", "", ""}});
    qm::Table tests = qm::makeTable(qm::testLayout());
    tests.setRow(1, {"old"});
    qm::TableWriter sink(tests);
    States states;
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_TRUE(qm::testAllScales(b.session, b.config, sink, &states));
    const long took = msSince(t0);

    ASSERT_EQ(tests.lastRow(), 4) << "the row added after the last scale is gone again";
    const auto one = Bench::utf8(tests, 1);
    EXPECT_EQ(Cells(one.begin(), one.begin() + 4), (Cells{"1", "Касса", "COM1", "порт подключен"}));
    EXPECT_EQ(states.all, (std::vector<LinkState>{LinkState::Working, LinkState::PortUnavailable, LinkState::NoAnswer,
                                                  LinkState::Working}));
    // A missing adapter of row 2 does not keep rows 3 and 4 from their tests.
    EXPECT_EQ(Bench::utf8(tests, 2), (Cells{"2", "Склад", "COM2", "порт не подключен", "неизвестно", "неизвестно"}));
    EXPECT_EQ(Bench::utf8(tests, 3), (Cells{"3", "Цех", "COM3", "порт подключен", "неизвестно", "не в сети RS"}));
    EXPECT_EQ(first.received(), (std::vector<std::uint8_t>{4}));
    EXPECT_EQ(seventh.received(), (std::vector<std::uint8_t>{5, 7}));
    EXPECT_FALSE(b.comm.connected()) << "the last row's port is closed after its test";

    EXPECT_EQ(b.fb.progressMaximum, 4);
    EXPECT_EQ(b.fb.progress, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(b.fb.progressEnds, 1);
    EXPECT_FALSE(b.fb.counterVisible);
    EXPECT_TRUE(b.fb.messages.empty());
    // 210 ms after every row, and the 500 ms window of the silent one.
    EXPECT_GE(took, 4 * 210 + 500);
}

TEST(LinkTestAll, AWrongRowEndsTheWalkAndTheStopButtonEndsItBetweenRows)
{
    qmtest::EmuProcess emu({4});
    Bench b(emu.device());
    qm::Table tests = qm::makeTable(qm::testLayout());
    qm::TableWriter sink(tests);
    States states;
    const qm::OperationResult wrong = qm::testAllScales(b.session, b.config, sink, &states);
    EXPECT_EQ(wrong, qm::TransferOutcome::Failed);
    EXPECT_EQ(b.fb.messages, (std::vector<std::string>{
                                 "Проверьте правильность заполнения таблицы конфигурации для выбранных весов."}));
    EXPECT_EQ(b.fb.cursor.back(), (qmtest::Cursor{qm::TableId::Config, 3, 3}));
    ASSERT_EQ(tests.lastRow(), 2) << "the rows tested stay, and nothing after them";
    EXPECT_EQ(states.all, (std::vector<LinkState>{LinkState::Working, LinkState::PortUnavailable}));
    EXPECT_FALSE(b.fb.progressVisible);

    // The stop flag set while row 1 is tested ends the walk before row 2, and says so.
    qmtest::ScriptedFeedback fb;
    fb.stop = true; // left from an earlier operation: cleared at the start
    fb.onEvents = [](qmtest::ScriptedFeedback& f) {
        if (f.progress.back() == 1 && f.eventPoints > 2)
            f.stop = true;
    };
    qm::ScaleSession session(b.comm, fb);
    States walked;
    const qm::OperationResult stopped = qm::testAllScales(session, b.config, sink, &walked);
    EXPECT_EQ(stopped, qm::TransferOutcome::Stopped);
    EXPECT_EQ(fb.messages, std::vector<std::string>{"Действие прервано."});
    ASSERT_EQ(tests.lastRow(), 1);
    EXPECT_EQ(walked.all, std::vector<LinkState>{LinkState::Working});
    EXPECT_EQ(fb.progress, (std::vector<int>{0, 1})) << "the bar stays on the last row tested";
    EXPECT_EQ(emu.received(), (std::vector<std::uint8_t>{4, 4}));
}
