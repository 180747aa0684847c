// The message commands of the emulated scale, byte for byte.
#include <gtest/gtest.h>

#include "ScaleLine.h"
#include "ScaleText.h"
#include "StateBuilder.h"

using emutest::Bytes;
using emutest::concat;
using emutest::ScaleLine;

TEST(EmuMessages, WriteReadAndDeleteOneMessage)
{
    ScaleLine line;
    // Message 1000: line 1 "Хранить при t 0..4" (Cyrillic in the scale's code page), line 8 "ёЁ",
    // the other lines blank.
    const Bytes line1 = concat(
        {{0x95, 0xE0, 0xA0, 0xAD, 0xA8, 0xE2, 0xEC, 0x20, 0xAF, 0xE0, 0xA8, 0x20, 0x74, 0x20, 0x30, 0x2E, 0x2E, 0x34},
         Bytes(32, 0x20)});
    const Bytes line8 = concat({{0xF1, 0xF0}, Bytes(48, 0x20)});
    const Bytes text = concat({line1, Bytes(300, 0x20), line8});
    ASSERT_EQ(text.size(), 400u);
    EXPECT_EQ(line.command(concat({{0x84, 0xE8, 0x03}, text}), 1), (Bytes{0xAA}));

    EXPECT_EQ(line.command({0x83, 0xE8, 0x03}, 401), concat({{0x00}, text}));
    EXPECT_TRUE(line.port.readFor(50).empty());
    auto state = line.scale.state();
    ASSERT_EQ(state.messages.count(1000), 1u);
    EXPECT_EQ(emu::scaleToUtf8(state.messages.at(1000)[0]), "Хранить при t 0..4" + std::string(32, ' '));
    EXPECT_EQ(emu::scaleToUtf8(state.messages.at(1000)[7]), "ёЁ" + std::string(48, ' '));

    EXPECT_EQ(line.command({0x8E, 0xE8, 0x03}, 1), (Bytes{0xAA}));
    EXPECT_TRUE(line.scale.state().messages.empty());
}

TEST(EmuMessages, AMissingMessageReadsBlankAndOnlyNumbersUpTo1000AreStored)
{
    ScaleLine line(emutest::withState(1, emu::StateBuilder().message(7, {"Акция"}).json()));
    EXPECT_EQ(line.command({0x83, 0x08, 0x00}, 401), concat({{0x00}, Bytes(400, 0x20)}));
    const Bytes seven = line.command({0x83, 0x07, 0x00}, 401);
    ASSERT_EQ(seven.size(), 401u);
    EXPECT_EQ(Bytes(seven.begin() + 1, seven.begin() + 6), (Bytes{0x80, 0xAA, 0xE6, 0xA8, 0xEF}));

    EXPECT_EQ(line.command(concat({{0x84, 0xE9, 0x03}, Bytes(400, 0x41)}), 1), (Bytes{0x00}));
    EXPECT_EQ(line.command({0x8E, 0x08, 0x00}, 1), (Bytes{0xAA}));
    const auto state = line.scale.state();
    ASSERT_EQ(state.messages.size(), 1u);
    EXPECT_EQ(state.messages.begin()->first, 7u);
}
