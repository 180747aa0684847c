// The user-settings commands of the emulated scale, byte for byte, and their state fields.
#include <gtest/gtest.h>

#include <variant>

#include "ScaleLine.h"
#include "StateBuilder.h"
#include "StateFile.h"

using emutest::Bytes;
using emutest::concat;
using emutest::ScaleLine;
using emutest::withState;

TEST(EmuSettings, UserSettingsWriteThenReadByteForByte)
{
    ScaleLine line;
    const Bytes record = {0x8A,             // command
                          0x05, 0x00, 0x03, // department 305, units first
                          0x3A,             // label format 58
                          0x08,             // bar-code format 8
                          0x63,             // print offset 99
                          0x85,             // options
                          0x70, 0x17};      // weight change 6000
    EXPECT_EQ(line.command(record, 1), (Bytes{0xAA}));
    const Bytes answer = line.command({0x95}, 10);
    EXPECT_EQ(answer, concat({{0x00}, Bytes(record.begin() + 1, record.end())}));
    EXPECT_EQ(line.scale.state().user.department, 305);
    EXPECT_EQ(line.scale.state().user.minWeight, 6000);
}

TEST(EmuSettings, DigitsAboveNineAndImpossibleDatesAreRefused)
{
    ScaleLine line;
    EXPECT_EQ(line.command({0x8A, 0x0A, 0, 0, 1, 1, 1, 1, 1, 1}, 1), (Bytes{0x00}));
    EXPECT_EQ(line.command({0x99, 3, 1, 0, 2, 0, 5}, 1), (Bytes{0x00})); // 31.02.05
    EXPECT_EQ(line.command({0x99, 2, 9, 0, 2, 0, 5}, 1), (Bytes{0x00})); // 29.02.05
    EXPECT_EQ(line.command({0x99, 2, 9, 0, 2, 0, 4}, 1), (Bytes{0xAA})); // 29.02.04
    EXPECT_EQ(line.command({0x9A, 2, 5, 0, 0, 0, 0}, 1), (Bytes{0x00})); // 25:00:00
    EXPECT_EQ(line.command({0x9A, 2, 3, 5, 9, 5, 9}, 1), (Bytes{0xAA})); // 23:59:59
    const emu::ScaleState state = line.scale.state();
    EXPECT_EQ(state.user.department, 46);
    EXPECT_EQ(state.date, (emu::ClockFields{29, 2, 4}));
    EXPECT_EQ(state.time, (emu::ClockFields{23, 59, 59}));
}

TEST(EmuSettings, ShopNameTravelsAsTheScalesBytes)
{
    ScaleLine line;
    const Bytes written = concat({{0x94}, {0x91, 0xAF, 0xA0, 0xE1, 0xA8, 0xA1, 0xAE}, Bytes(21, 0x20), Bytes(28, 'x')});
    EXPECT_EQ(line.command(written, 1), (Bytes{0xAA}));
    EXPECT_EQ(line.command({0x98}, 57), concat({{0x00}, Bytes(written.begin() + 1, written.end())}));
    EXPECT_EQ(line.scale.state().shop1, emu::scaleName("Спасибо"));
}

TEST(EmuSettings, StateJsonKeepsTheSettings)
{
    emu::ScaleState state;
    state.user.department = 999;
    state.user.options = 0xFF;
    state.user.minWeight = 65535;
    state.shop1 = emu::scaleName("Ёлка");
    state.shop2 = std::string(28, '\x01');
    state.date = {31, 12, 99};
    state.time = {23, 0, 5};
    const auto parsed = emu::stateFromJson(emu::stateToJson(state));
    ASSERT_TRUE(std::holds_alternative<emu::ScaleState>(parsed)) << std::get<std::string>(parsed);
    EXPECT_EQ(std::get<emu::ScaleState>(parsed), state);

    EXPECT_TRUE(std::holds_alternative<std::string>(emu::stateFromJson(R"({"user": {"department": 1000}})")));
    EXPECT_TRUE(std::holds_alternative<std::string>(emu::stateFromJson(R"({"user": {"colour": 1}})")));
    EXPECT_TRUE(std::holds_alternative<std::string>(emu::stateFromJson(R"({"shop": ["only one"]})")));
    EXPECT_TRUE(std::holds_alternative<std::string>(emu::stateFromJson(R"({"date": [1, 2]})")));
}
