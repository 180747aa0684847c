// Cycles of auto mode against emulated scales: ports at the same time, rows of one port in
// table order, queues, files still being written, and a stop in the middle of a load.
#include <gtest/gtest.h>

#include <atomic>
#include <regex>

#include "AutoRig.h"

using namespace qm;
using qmtest::AutoRig;
using qmtest::EmuOptions;

namespace
{

EmuOptions scaleAt(int number, int baud = 19200)
{
    EmuOptions o;
    o.number = number;
    o.baud = baud;
    return o;
}

std::vector<int> written(qmtest::EmuProcess& scale)
{
    std::vector<int> out;
    const std::regex re("PLU ([0-9]+) written");
    std::smatch m;
    for (const auto& e : scale.log())
        if (e.kind == qmtest::EmuLogEntry::Kind::Event && std::regex_match(e.event, m, re))
            out.push_back(std::stoi(m[1]));
    return out;
}

} // namespace

TEST(AutoCycle, PortsLoadTogetherAndOnePortKeepsTableOrder)
{
    AutoRig rig({scaleAt(1), scaleAt(2)});
    rig.addRow("A", 1, "COM1", "a.pl6");
    rig.addRow("B", 2, "COM2", "b.pl6");
    rig.addRow("C", 1, "COM1", "c.pl6", "c.msg");
    rig.put("a.pl6", qmtest::pl6Count(15));
    rig.put("b.pl6", qmtest::pl6Count(15));
    rig.put("c.pl6", qmtest::pl6({101, 102}));
    rig.put("c.msg", qmtest::msg({5}));
    const CycleSummary summary = rig.cycle();
    EXPECT_EQ(summary.loads, 4);
    EXPECT_EQ(summary.failed, 0);
    for (const char* file : {"a.pl6", "b.pl6", "c.pl6", "c.msg"})
        EXPECT_FALSE(rig.has(file)) << file;

    // Port 1: A's records, then C's products, then C's message.
    std::vector<int> port1 = written(rig.scale(0));
    ASSERT_EQ(port1.size(), 17u);
    EXPECT_EQ(port1.front(), 1);
    EXPECT_EQ(port1[15], 101);
    EXPECT_EQ(rig.scale(0).state().messages.size(), 1u);
    EXPECT_EQ(rig.scale(1).state().plu.size(), 15u);

    // The loads of A and B ran at the same time: each began before the other ended.
    const auto& calls = rig.report.calls;
    auto when = [&](bool begins, const std::string& name) {
        for (const auto& c : calls)
            if (c.begins == begins && c.name == name)
                return c.at;
        ADD_FAILURE() << name;
        return std::chrono::steady_clock::time_point{};
    };
    EXPECT_LT(when(true, "B"), when(false, "A"));
    EXPECT_LT(when(true, "A"), when(false, "B"));
    // Each load's line was written when it ended: four lines, two of them for port 1's C.
    const std::string protocol = cp1251ToUtf8(rig.protocol());
    EXPECT_EQ(std::count(protocol.begin(), protocol.end(), '\n'), 4);
    EXPECT_NE(protocol.find("Весы C прогружены списком сообщений"), std::string::npos);
}

TEST(AutoCycle, QueueMovesAfterTheLoadAttemptAndFreshFilesWait)
{
    AutoRig rig;
    rig.addRow("A", 1, "COM1", "a.pl6", "m.pl6");
    rig.put("a_00.qu6", qmtest::pl6({1}));
    rig.put("a_01.qu6", qmtest::pl6({2}));
    // A message column naming a product file: never loaded.
    rig.put("m.pl6", qmtest::pl6({9}));

    // First cycle: no load file, the head moves into place.
    EXPECT_EQ(rig.cycle().loads, 0);
    EXPECT_TRUE(rig.has("a.pl6"));
    EXPECT_TRUE(rig.has("a_00.qu6"));
    EXPECT_FALSE(rig.has("a_01.qu6"));

    // Second cycle: it is loaded, and the next one moves into place.
    EXPECT_EQ(rig.cycle().loads, 1);
    EXPECT_EQ(written(rig.scale()), (std::vector<int>{1}));
    EXPECT_TRUE(rig.has("a.pl6"));
    EXPECT_FALSE(rig.has("a_00.qu6"));
    EXPECT_TRUE(rig.has("m.pl6"));
    EXPECT_EQ(rig.cycle().loads, 1);
    EXPECT_FALSE(rig.has("a.pl6"));

    // A load file written just now may still be being written: it waits for a later cycle.
    rig.put("a.pl6", qmtest::pl6({3}), false);
    EXPECT_EQ(rig.cycle().loads, 0);
    EXPECT_TRUE(rig.has("a.pl6"));
    rig.put("a.pl6", qmtest::pl6({3}));
    EXPECT_EQ(rig.cycle().loads, 1);
    EXPECT_EQ(written(rig.scale()), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(rig.scale().state().plu.size(), 3u);
}

TEST(AutoCycle, StopEndsTheLoadAfterItsRecordAndKeepsTheFile)
{
    AutoRig rig({scaleAt(1, 9600)});
    rig.addRow("A", 1, "COM1", "a.pl6", "a.msg");
    rig.put("a.pl6", qmtest::pl6Count(30));
    rig.put("a.msg", qmtest::msg({1}));
    std::atomic<int> checks{0};
    // The stop comes while the records go out.
    const CycleSummary summary = rig.cycle([&] { return ++checks > 40; });
    EXPECT_TRUE(summary.stopped);
    EXPECT_EQ(summary.loads, 1);
    EXPECT_EQ(summary.failed, 1);
    EXPECT_TRUE(rig.has("a.pl6"));
    EXPECT_TRUE(rig.has("a.msg"));
    const size_t sent = rig.scale().state().plu.size();
    EXPECT_GT(sent, 0u);
    EXPECT_LT(sent, 30u);
    const auto ended = rig.report.ended();
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].line, LoadLine::Stopped);
    EXPECT_NE(cp1251ToUtf8(rig.protocol()).find("Загрузка весов A прервана  -  "), std::string::npos);
}

TEST(AutoCycle, RelativeNamesBelongToTheStartDirectory)
{
    AutoRig rig;
    std::filesystem::create_directory(rig.dir / "in");
    rig.addRow("A", 1, "COM1", "in/a.pl6");
    rig.put("in/a.pl6", qmtest::pl6({1}));
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    const CycleSummary summary = rig.cycle();
    std::filesystem::current_path(before);
    EXPECT_EQ(summary.loads, 1);
    EXPECT_FALSE(rig.has("in/a.pl6"));
    EXPECT_EQ(loadFilePath(cp("in/a.pl6"), "/start"), std::filesystem::path("/start/in/a.pl6"));
    EXPECT_EQ(loadFilePath(cp("/abs/б.pl6"), "/start"), std::filesystem::u8path("/abs/б.pl6"));
}

TEST(AutoCycle, PeriodText)
{
    EXPECT_EQ(periodSeconds("60"), 60);
    EXPECT_EQ(periodSeconds("1"), 1);
    EXPECT_EQ(periodSeconds("86400"), 86400);
    for (const char* bad : {"", "0", "86401", "9999999", "6 0", "-5", "$10"})
        EXPECT_FALSE(periodSeconds(bad)) << bad;
}
