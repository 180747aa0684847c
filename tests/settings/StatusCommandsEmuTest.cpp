// The status, price-key and factory commands against the emulated scale: the bytes it got,
// what it holds afterwards, and short, garbled or refused answers failing.

#include <gtest/gtest.h>

#include "StatusRig.h"
#include "operation/ScaleFrame.h"
#include "settings/FactoryCommands.h"
#include "settings/StatusCommands.h"

using namespace qm;
using qmtest::StatusRig;
using qmtest::withState;

namespace
{

emu::ScaleState statusState()
{
    emu::ScaleState s;
    s.status.flags = 0x45; // overload, tare set, stable
    s.status.weight = -1250;
    s.status.product = 37;
    s.status.total = 12345;
    s.status.price = 9876;
    return s;
}

} // namespace

TEST(StatusCommands, GetStatusDecodesWhatTheScaleShows)
{
    StatusRig rig(withState(statusState()));
    ScaleStatus status;
    ASSERT_TRUE(GetStatus(rig.addressed(1), status));
    EXPECT_TRUE(status.overload);
    EXPECT_TRUE(status.tareSet);
    EXPECT_FALSE(status.zeroWeight);
    EXPECT_FALSE(status.dualRange);
    EXPECT_TRUE(status.stable);
    EXPECT_EQ(status.weight, -1250);
    EXPECT_EQ(status.product, 37);
    EXPECT_EQ(status.total, 12345);
    EXPECT_EQ(status.price, 9876);
    EXPECT_EQ(rig.scale.received(), (Bytes{0x01, 0x89}));
    EXPECT_TRUE(rig.fb.messages.empty());
}

TEST(StatusCommands, ShortStatusFailsAndLeavesTheValues)
{
    StatusRig rig(withState(statusState(), {"truncate=15@0x89"}));
    ScaleStatus status;
    status.price = 77;
    const bool result = GetStatus(rig.addressed(1), status);
    EXPECT_FALSE(result);
    EXPECT_EQ(status.price, 77);
    EXPECT_TRUE(rig.fb.messages.empty());
}

TEST(StatusCommands, KeyWrittenThenReadBack)
{
    StatusRig rig;
    ASSERT_TRUE(SendPrSet(rig.addressed(1), 300, 12));
    std::int64_t cell = -5;
    ASSERT_TRUE(PrSet(rig.addressed(1), 12, cell));
    EXPECT_EQ(cell, 300);
    EXPECT_EQ(rig.scale.received(), (Bytes{0x01, 0x8B, 0x2C, 0x01, 0x00, 0x00, 0x0C, // write cell 300 to key 12
                                           0x01, 0x96, 0x0C}));                      // read key 12
    const auto state = rig.scale.state();
    EXPECT_EQ(state.priceKeys[11], 300u);
    EXPECT_EQ(state.priceKeys[10], 0u);
    EXPECT_EQ(state.priceKeys[12], 0u);
}

TEST(StatusCommands, KeysReadWhatTheScaleHoldsAndUnassignedAsZero)
{
    emu::ScaleState s;
    s.priceKeys[0] = 4000;
    s.priceKeys[53] = 1;
    StatusRig rig(withState(s));
    std::int64_t cell = -5;
    ASSERT_TRUE(PrSet(rig.addressed(1), 1, cell));
    EXPECT_EQ(cell, 4000);
    ASSERT_TRUE(PrSet(rig.addressed(1), 54, cell));
    EXPECT_EQ(cell, 1);
    ASSERT_TRUE(PrSet(rig.addressed(1), 2, cell));
    EXPECT_EQ(cell, 0);
}

TEST(StatusCommands, ShortOrAllOnesKeyAnswerFailsAndKeepsTheCell)
{
    // Garbling the cell 0 answer with 0xFF turns it into 0xFF 0xFF 0xFF 0xFF 0xFF.
    for (const char* fault : {"truncate=4@0x96", "garble@0x96"}) {
        StatusRig rig(withState(emu::ScaleState{}, {fault}));
        std::int64_t cell = 9;
        EXPECT_FALSE(PrSet(rig.addressed(1), 3, cell)) << fault;
        EXPECT_EQ(cell, 9) << fault;
    }
}

TEST(StatusCommands, GarbledKeyAnswerOfMinusOneIsAFailure)
{
    // Cell 0 garbled with 0xFF arrives as -1, the answer of a failed read.
    emu::ScaleState s;
    s.priceKeys[3] = 300;
    // Key 3 at the first ask and both asked again, then key 4.
    StatusRig rig(withState(s, {"garble@0x96#1-4"}));
    std::int64_t cell = 9;
    EXPECT_FALSE(PrSet(rig.addressed(1), 3, cell));
    EXPECT_EQ(cell, 9);
    // Any other cell is the scale's to show: 300 garbled arrives as -301.
    ASSERT_TRUE(PrSet(rig.addressed(1), 4, cell));
    EXPECT_EQ(cell, -301);
    // Only the answers were garbled: the next read takes the cell.
    ASSERT_TRUE(PrSet(rig.addressed(1), 3, cell));
    EXPECT_EQ(cell, 0);
}

TEST(StatusCommands, GarbledStatusCannotBeToldAndIsShownAsSent)
{
    // Nothing in the status can be checked: product 37 garbled with 0xFF arrives as -38, as a
    // scale may send it.
    StatusRig rig(withState(statusState(), {"garble@0x89#1"}));
    ScaleStatus status;
    ASSERT_TRUE(GetStatus(rig.addressed(1), status));
    EXPECT_EQ(status.product, -38);
    ASSERT_TRUE(GetStatus(rig.addressed(1), status));
    EXPECT_EQ(status.product, 37);
    EXPECT_TRUE(rig.fb.messages.empty());
}

TEST(StatusCommands, RefusedKeyWriteFailsAndKeepsTheKey)
{
    emu::ScaleState s;
    s.priceKeys[4] = 44;
    StatusRig rig(withState(s, {"nak@0x8B"}));
    const bool result = SendPrSet(rig.addressed(1), 300, 5);
    EXPECT_FALSE(result);
    EXPECT_EQ(rig.scale.state().priceKeys[4], 44u);
}

TEST(StatusCommands, SilentKeyWriteFails)
{
    StatusRig rig(withState(emu::ScaleState{}, {"silent@0x8B"}));
    const bool result = SendPrSet(rig.addressed(1), 300, 5);
    EXPECT_FALSE(result);
}

TEST(StatusCommands, FactorySettingsAsTheScaleHoldsThem)
{
    emu::ScaleState s;
    s.factory.capacity = 30000;
    s.factory.weightPoint = 7;
    s.factory.pricePoint = 2;
    s.factory.totalPoint = 5;
    s.factory.dualRange = 0;
    s.factory.upperDivision = 10;
    s.factory.lowerDivision = 20;
    s.factory.priceWeight = 100;
    s.factory.rounding = 50;
    s.factory.tareLimit = 9999;
    StatusRig rig(withState(s));
    FactorySettings f;
    ASSERT_TRUE(ReadFactorySettings(rig.addressed(1), f));
    EXPECT_EQ(f.capacity, 30000);
    EXPECT_EQ(f.weightPoint, 7);
    EXPECT_EQ(f.pricePoint, 2);
    EXPECT_EQ(f.totalPoint, 5);
    EXPECT_FALSE(f.dualRange);
    EXPECT_EQ(f.upperDivision, 10);
    EXPECT_EQ(f.lowerDivision, 20);
    EXPECT_EQ(f.priceWeight, 100);
    EXPECT_EQ(f.rounding, 50);
    EXPECT_EQ(f.tareLimit, 9999);
    EXPECT_EQ(rig.scale.received(), (Bytes{0x01, 0x9B}));
}

TEST(StatusCommands, ShortFactoryAnswerFails)
{
    StatusRig rig(withState(emu::ScaleState{}, {"truncate=13@0x9B"}));
    FactorySettings f;
    f.capacity = 123;
    const bool result = ReadFactorySettings(rig.addressed(1), f);
    EXPECT_FALSE(result);
    EXPECT_EQ(f.capacity, 123);
}
