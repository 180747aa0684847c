// The link test of one configured scale against an emulated scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "diagnostics/LinkTest.h"
#include "link/ScaleSession.h"
#include "link/TComm.h"
#include "support/EmuProcess.h"
#include "support/ScriptedFeedback.h"

namespace
{

struct Bench {
    explicit Bench(const std::string& device)
    {
        qm::PortMap map;
        map.set(1, device);
        map.set(2, "/nonexistent/tty");
        comm.setPortMap(map);
        config.setDataRows({{"1", qm::cp("Касса"), "", "4", "COM1", "19200", "", "", ""},
                            {"2", qm::cp("Склад"), "", "4", "COM2", "9600", "", "", ""},
                            {"3", qm::cp("Брак"), "", "0", "COM1", "9600", "", "", ""}});
    }
    qm::Row test(const std::string& name)
    {
        qm::Table tests = qm::makeTable(qm::testLayout());
        if (!qm::testChosenScale(session, config, qm::cp(name), tests))
            return {};
        qm::Row utf8;
        for (const auto& c : tests.row(1))
            utf8.push_back(qm::cp1251ToUtf8(c));
        return utf8;
    }
    qm::Table config = qm::makeTable(qm::configLayout());
    qm::TComm comm;
    qmtest::ScriptedFeedback fb;
    qm::ScaleSession session{comm, fb};
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

TEST(LinkTest, OutcomesOfSilentForeignAndSlowScales)
{
    {
        qmtest::EmuProcess emu({4, 0, {"silent@addr"}});
        Bench b(emu.device());
        const auto row = b.test("Касса");
        EXPECT_EQ(row[4], "неизвестно");
        EXPECT_EQ(row[5], "не в сети RS");
    }
    {
        qmtest::EmuProcess emu({4, 0, {"wrong-number@addr"}});
        Bench b(emu.device());
        EXPECT_EQ(b.test("Касса")[5], "в сети RS");
    }
    {
        qmtest::EmuProcess emu({4, 0, {"delay=160@addr"}});
        Bench b(emu.device());
        const auto t0 = std::chrono::steady_clock::now();
        const auto row = b.test("Касса");
        const long took = msSince(t0);
        EXPECT_EQ(row[5], "рабочее");
        EXPECT_GE(std::stoi(row[4]), 100); // about 160 - 50 ms
        EXPECT_LE(std::stoi(row[4]), took - 50);
    }
}

TEST(LinkTest, PortThatCannotOpenAndRowsThatCannotBeTested)
{
    Bench b("/nonexistent/tty0");
    const auto row = b.test("Склад");
    EXPECT_EQ(row[3], "порт не подключен");
    EXPECT_EQ(row[4], "неизвестно");
    EXPECT_EQ(row[5], "неизвестно");
    EXPECT_TRUE(b.test("Брак").empty());
    EXPECT_EQ(b.fb.lastMessage(), "Проверьте правильность заполнения таблицы конфигурации для выбранных весов.");
    EXPECT_TRUE(b.test("Нет").empty());
    EXPECT_EQ(b.fb.lastMessage(), "Для тестирования выберите весы из списка.");
}
