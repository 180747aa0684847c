// The user-settings commands against the emulated scale over a pseudo-terminal.
#include <gtest/gtest.h>
#include <optional>

#include "StateBuilder.h"
#include "operation/ScaleFrame.h"
#include "settings/UserSettingsCommands.h"
#include "support/ScaleRig.h"

using namespace qm;
using qmtest::faulty;
using qmtest::ScaleRig;

namespace
{

// The rig's scale on COM1 at the speed, addressed and ready for one command.
void ready(ScaleRig& rig, const std::string& speed = "19200")
{
    ASSERT_TRUE(rig.session.Connection("COM1", speed));
    ASSERT_TRUE(addressScale(rig.session, 1));
}

UserSettings sample()
{
    UserSettings s;
    s.department = 305;
    s.labelFormat = 58;
    s.barcodeFormat = 8;
    s.printOffset = 99;
    s.options = 0x85;
    s.minWeight = 6000;
    return s;
}

} // namespace

TEST(UserSettingsEmu, ReadsTheScalesSettings)
{
    ScaleRig rig;
    ready(rig);
    UserSettings s;
    ASSERT_TRUE(GetUserSet(rig.session, s));
    // The emulated scale starts with the tab's defaults.
    EXPECT_EQ(s.department, 46);
    EXPECT_EQ(s.labelFormat, 41);
    EXPECT_EQ(s.barcodeFormat, 4);
    EXPECT_EQ(s.printOffset, 10);
    EXPECT_EQ(s.options, 59);
    EXPECT_EQ(s.minWeight, 10);
    EXPECT_EQ(rig.countEvents("user settings read"), 1);
}

TEST(UserSettingsEmu, WriteThenReadBack)
{
    ScaleRig rig;
    ready(rig);
    ASSERT_TRUE(SendUserSet(rig.session, sample()));
    const emu::UserSettings held = rig.scale.state().user;
    EXPECT_EQ(held.department, 305);
    EXPECT_EQ(held.labelFormat, 58);
    EXPECT_EQ(held.barcodeFormat, 8);
    EXPECT_EQ(held.printOffset, 99);
    EXPECT_EQ(held.options, 0x85);
    EXPECT_EQ(held.minWeight, 6000);

    ASSERT_TRUE(addressScale(rig.session, 1));
    UserSettings back;
    ASSERT_TRUE(GetUserSet(rig.session, back));
    EXPECT_EQ(back, sample());
}

TEST(UserSettingsEmu, RefusedOrShortAnswersFailAndChangeNothing)
{
    {
        ScaleRig rig(faulty({"nak@0x8A"}));
        ready(rig);
        EXPECT_FALSE(SendUserSet(rig.session, sample()));
        EXPECT_EQ(rig.scale.state().user.department, 46);
    }
    {
        ScaleRig rig(faulty({"truncate=9@0x95"}));
        ready(rig);
        UserSettings s = sample();
        EXPECT_FALSE(GetUserSet(rig.session, s));
        EXPECT_EQ(s, sample()); // untouched on failure
    }
    {
        ScaleRig rig(faulty({"extra=1@0x95"}));
        ready(rig);
        UserSettings s;
        EXPECT_FALSE(GetUserSet(rig.session, s)); // 11 bytes are not the record
    }
    {
        ScaleRig rig(faulty({"silent@0x8A"}));
        ready(rig);
        EXPECT_FALSE(SendUserSet(rig.session, sample()));
    }
}

TEST(UserSettingsEmu, GarbledSettingsAreNoAnswerAndTheNextReadTakesThem)
{
    // Department 46 garbled with 0xFF arrives as the digit bytes 0xF9 0xFB 0xFF.
    ScaleRig rig(faulty({"garble@0x95#1-3"})); // at the first ask and at both asked again
    ready(rig);
    UserSettings s = sample();
    EXPECT_FALSE(GetUserSet(rig.session, s));
    EXPECT_EQ(s, sample()); // untouched on failure
    ASSERT_TRUE(addressScale(rig.session, 1));
    ASSERT_TRUE(GetUserSet(rig.session, s));
    EXPECT_EQ(s.department, 46);
}

TEST(UserSettingsEmu, ShopNameWriteThenReadBack)
{
    ScaleRig rig;
    ready(rig);
    ASSERT_TRUE(SendShop(rig.session, ShopName{cp("Ёлка и ёжик"), std::string(40, 'x')}));
    const emu::ScaleState state = rig.scale.state();
    EXPECT_EQ(state.shop1, emu::scaleName("Ёлка и ёжик"));
    EXPECT_EQ(state.shop2, std::string(28, 'x'));

    ASSERT_TRUE(addressScale(rig.session, 1));
    ShopName back;
    ASSERT_TRUE(GetShop(rig.session, back));
    EXPECT_EQ(back.line1, cp("Ёлка и ёжик") + std::string(17, ' '));
    EXPECT_EQ(back.line2, std::string(28, 'x'));
}

TEST(UserSettingsEmu, ShopNameReadsWholeAt2400Baud)
{
    qmtest::EmuOptions options;
    options.baud = 2400;
    options.stateJson = R"({"shop": ["Спасибо", "за покупку !"]})";
    ScaleRig rig(options);
    ready(rig, "2400");
    ShopName shop;
    // 57 bytes take some 240 ms on this line, longer than the 200 ms window alone.
    ASSERT_TRUE(GetShop(rig.session, shop));
    EXPECT_EQ(shop.line1, cp("Спасибо") + std::string(21, ' '));
    EXPECT_EQ(shop.line2, cp("за покупку !") + std::string(16, ' '));
}

TEST(UserSettingsEmu, ShortShopAnswerFailsAndRefusedShopWriteKeepsTheName)
{
    {
        ScaleRig rig(faulty({"truncate=56@0x98"}));
        ready(rig);
        ShopName shop{"keep", "me"};
        EXPECT_FALSE(GetShop(rig.session, shop));
        EXPECT_EQ(shop.line1, "keep");
    }
    {
        ScaleRig rig(faulty({"nak@0x94"}));
        ready(rig);
        EXPECT_FALSE(SendShop(rig.session, ShopName{"new", "name"}));
        EXPECT_EQ(rig.scale.state().shop1, std::string(28, ' '));
    }
}

// A date and a time sent one after the other: whether the scale takes them and what it holds.
struct ClockCase {
    std::vector<std::string> faults;
    ScaleDate date;
    ScaleTime time;
    bool taken;
    std::optional<emu::ClockFields> heldDate, heldTime; // unset: not asked
};

TEST(UserSettingsEmu, DateAndTimeReachTheScaleOrFail)
{
    const ClockCase cases[] = {
        {{}, {5, 3, 4}, {14, 7, 9}, true, emu::ClockFields{5, 3, 4}, emu::ClockFields{14, 7, 9}},
        // An impossible date or time is refused by the scale, which keeps its own.
        {{}, {31, 2, 5}, {25, 0, 0}, false, emu::ClockFields{1, 1, 0}, emu::ClockFields{0, 0, 0}},
        // A lost or garbled acknowledgement fails.
        {{"silent@0x99", "garble@0x9A"}, {1, 7, 2}, {13, 11, 59}, false, std::nullopt, std::nullopt},
    };
    for (const ClockCase& c : cases) {
        SCOPED_TRACE(c.date.day);
        ScaleRig rig(faulty(c.faults));
        ready(rig);
        EXPECT_EQ(SendDate(rig.session, c.date), c.taken);
        ASSERT_TRUE(addressScale(rig.session, 1));
        EXPECT_EQ(SendTime(rig.session, c.time), c.taken);
        if (!c.heldDate)
            continue;
        const emu::ScaleState state = rig.scale.state();
        EXPECT_EQ(state.date, *c.heldDate);
        EXPECT_EQ(state.time, *c.heldTime);
        if (!c.taken)
            continue;
        EXPECT_EQ(rig.countEvents("date 05.03.04"), 1);
        EXPECT_EQ(rig.countEvents("time 14:07:09"), 1);
        // Exactly the command bytes followed the addressing.
        const auto received = rig.scale.received();
        const std::vector<std::uint8_t> tail(received.end() - 7, received.end());
        EXPECT_EQ(tail, (std::vector<std::uint8_t>{0x9A, 1, 4, 0, 7, 0, 9}));
    }
}
