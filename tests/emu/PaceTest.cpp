// Polls while a virtual range is set, answered by the pacing plan.
#include <gtest/gtest.h>

#include <variant>

#include "PacePlan.h"
#include "ScaleLine.h"
#include "StateBuilder.h"

using emutest::Bytes;
using emutest::ScaleLine;

TEST(EmuPacing, PollsFollowThePlanThenAnswerReady)
{
    qmtest::EmuOptions options;
    options.number = 9;
    options.pace = "R,D17,S,W,X81,D4000";
    options.stateJson = emu::StateBuilder(9).range(1, 4000).json();
    ScaleLine line(options);
    auto& port = line.port;

    EXPECT_EQ(port.exchange({9}, 2), (Bytes{9, 0x80}));
    EXPECT_EQ(port.exchange({9}, 6), (Bytes{9, 0xDD, 17, 0, 0, 0}));
    EXPECT_TRUE(port.exchange({9}, 2, 150).empty());
    EXPECT_EQ(port.exchange({9}, 2), (Bytes{10, 0x80}));
    EXPECT_EQ(port.exchange({9}, 2), (Bytes{9, 0x81}));
    EXPECT_EQ(port.exchange({9}, 6), (Bytes{9, 0xDD, 0xA0, 0x0F, 0, 0}));
    EXPECT_EQ(port.exchange({9}, 2), (Bytes{9, 0x80}));
    // Another scale's number is no poll.
    EXPECT_TRUE(port.exchange({8}, 2, 100).empty());
    // After a poll the scale takes a command as after addressing.
    EXPECT_EQ(port.exchange({9}, 2), (Bytes{9, 0x80}));
    EXPECT_EQ(port.exchange({0x81, 0x05, 0x00, 0x00, 0x00}, 1), (Bytes{0xEE}));
}

TEST(EmuPacing, WithoutARangeTheNumberIsAddressingAndThePlanWaits)
{
    qmtest::EmuOptions options;
    options.pace = "D5";
    ScaleLine line(options);
    EXPECT_EQ(line.command({0x87, 0x02, 0x00, 0x00, 0x00, 0x06, 0x00, 0x00, 0x00}, 1), (Bytes{0xAA}));
    EXPECT_EQ(line.port.exchange({1}, 6), (Bytes{1, 0xDD, 5, 0, 0, 0}));
    EXPECT_EQ(line.port.exchange({0x88}, 1), (Bytes{0xAA}));
    EXPECT_EQ(line.port.exchange({1}, 2), (Bytes{1, 0x80}));
}

TEST(EmuPacing, PlansAreChecked)
{
    for (const char* bad : {"Q", "R,,S", "D", "D-1", "Xgg", "X123", "R,"})
        EXPECT_TRUE(std::holds_alternative<std::string>(emu::PacePlan::parse(bad))) << bad;
}
