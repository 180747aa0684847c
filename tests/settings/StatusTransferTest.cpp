// The status and price-key loops and the factory read against the emulated scale: what the
// tab's table gets, where the current cell moves, the check of every cell before the first key is
// written, a stop between keys, and a key table read and written back unchanged.
#include <gtest/gtest.h>

#include "StatusRig.h"
#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "common/TableSink.h"
#include "operation/OperationTexts.h"
#include "settings/FactoryTransfer.h"
#include "settings/SettingsTexts.h"
#include "settings/StatusTransfer.h"

using namespace qm;
using qmtest::Cursor;
using qmtest::StatusRig;
using qmtest::withState;

namespace
{

std::vector<std::string> cellsOf(const Table& keys)
{
    std::vector<std::string> cells;
    for (int row = 1; row <= 54; ++row)
        cells.push_back(keys.cell(row, 1));
    return cells;
}

emu::ScaleState keyedState()
{
    emu::ScaleState s;
    s.priceKeys[0] = 4000;
    s.priceKeys[11] = 300;
    s.priceKeys[53] = 1;
    s.status.flags = 0x41;
    s.status.weight = -1000;
    s.status.price = 12345;
    return s;
}

} // namespace

TEST(PriceKeys, ReadThenWrittenToAnotherScaleGivesTheSameTable)
{
    Table keys = makePriceKeyTable();
    {
        StatusRig rig(withState(keyedState()));
        ValueHolder<ScaleStatus> shown;
        TableWriter sink(keys);
        ASSERT_TRUE(readStatusAndKeys(rig.link, shown, sink));
        ASSERT_TRUE(shown.holds());
        EXPECT_TRUE(shown.value().overload);
        EXPECT_TRUE(shown.value().stable);
        EXPECT_EQ(shown.value().weight, -1000);
        EXPECT_EQ(shown.value().price, 12345);
        EXPECT_EQ(keys.cell(1, 1), "4000");
        EXPECT_EQ(keys.cell(12, 1), "300");
        EXPECT_EQ(keys.cell(54, 1), "1");
        EXPECT_EQ(keys.cell(2, 1), "0"); // the key calls up nothing: written back as it came
        EXPECT_EQ(keys.cell(2, 0), "2");
        EXPECT_EQ(rig.fb.messages, std::vector<std::string>{settingstext::kStatusDone});
        // The current cell walks key by key and comes back to the first.
        ASSERT_GE(rig.fb.cursor.size(), 55u);
        EXPECT_EQ(rig.fb.cursor[0], (Cursor{TableId::PriceKeys, 1, 1}));
        EXPECT_EQ(rig.fb.cursor[53], (Cursor{TableId::PriceKeys, 54, 1}));
        EXPECT_EQ(rig.fb.cursor.back(), (Cursor{TableId::PriceKeys, 1, 1}));
        EXPECT_EQ(rig.fb.progressMaximum, 54);
        EXPECT_FALSE(rig.fb.progressVisible);
    }
    emu::ScaleState other;
    other.priceKeys.fill(7);
    StatusRig rig(withState(other));
    ASSERT_TRUE(writePriceKeys(rig.link, cellsOf(keys)));
    EXPECT_EQ(rig.fb.messages, std::vector<std::string>{settingstext::kKeysWritten});
    EXPECT_EQ(rig.scale.state().priceKeys, keyedState().priceKeys);
    EXPECT_EQ(rig.fb.cursor.back(), (Cursor{TableId::PriceKeys, 1, 1}));
}

TEST(PriceKeys, AnEmptyRowIsOnlyAddressedAndCellZeroIsWritten)
{
    emu::ScaleState full;
    full.priceKeys.fill(7);
    StatusRig rig(withState(full));
    std::vector<std::string> cells(54);
    cells[4] = "0";   // key 5: calls up nothing, as a read shows it
    cells[8] = "300"; // key 9
    ASSERT_TRUE(writePriceKeys(rig.link, cells));
    std::vector<std::uint8_t> expected;
    for (std::uint8_t key = 1; key <= 54; ++key) {
        expected.push_back(0x01); // the addressing of scale 1, every key
        if (key == 5)
            expected.insert(expected.end(), {0x8B, 0x00, 0x00, 0x00, 0x00, 5});
        if (key == 9)
            expected.insert(expected.end(), {0x8B, 0x2C, 0x01, 0x00, 0x00, 9});
    }
    EXPECT_EQ(rig.scale.received(), expected);
    auto keys = full.priceKeys;
    keys[4] = 0;
    keys[8] = 300;
    EXPECT_EQ(rig.scale.state().priceKeys, keys);
}

TEST(PriceKeys, EveryCellIsCheckedBeforeTheFirstKeyIsWritten)
{
    for (const char* bad : {"4001", "12a", "-5", "-1"}) {
        StatusRig rig;
        std::vector<std::string> cells = defaultPriceKeys();
        cells[29] = bad;
        const auto result = writePriceKeys(rig.link, cells);
        ASSERT_FALSE(result) << bad;
        EXPECT_EQ(result.failure->kind, FailureKind::BadNumber);
        EXPECT_EQ(result.failure->row, 30);
        EXPECT_EQ(rig.fb.messages, std::vector<std::string>{settingstext::kBadKeyCell});
        EXPECT_EQ(rig.fb.cursor.back(), (Cursor{TableId::PriceKeys, 30, 1}));
        EXPECT_TRUE(rig.scale.received().empty());
    }
}

TEST(PriceKeys, RefusedKeyEndsTheWriteAndEarlierKeysStay)
{
    StatusRig rig(withState(emu::ScaleState{}, {"nak@0x8B#3"}));
    const auto result = writePriceKeys(rig.link, defaultPriceKeys());
    ASSERT_FALSE(result);
    EXPECT_EQ(result.failure->kind, FailureKind::NoAck);
    EXPECT_EQ(result.failure->row, 3);
    EXPECT_EQ(rig.fb.messages, std::vector<std::string>{settingstext::kKeyWriteFailed});
    const auto keys = rig.scale.state().priceKeys;
    EXPECT_EQ(keys[0], 1u);
    EXPECT_EQ(keys[1], 2u);
    EXPECT_EQ(keys[2], 0u);
}

TEST(PriceKeys, StopEndsTheLoopBetweenKeys)
{
    StatusRig rig;
    rig.fb.onEvents = [](qmtest::ScriptedFeedback& fb) {
        if (fb.progress.size() > 3)
            fb.stop = true;
    };
    const auto result = writePriceKeys(rig.link, defaultPriceKeys());
    EXPECT_EQ(result, TransferOutcome::Stopped);
    EXPECT_EQ(rig.fb.messages, std::vector<std::string>{operationtext::kStopped});
    const auto keys = rig.scale.state().priceKeys;
    EXPECT_EQ(keys[2], 3u);
    EXPECT_EQ(keys[3], 0u);
    EXPECT_FALSE(rig.fb.progressVisible);
}

TEST(PriceKeys, ShortStatusOrKeyAnswer)
{
    {
        StatusRig rig(withState(keyedState(), {"truncate=15@0x89"}));
        Table keys = makePriceKeyTable();
        TableWriter sink(keys);
        ValueHolder<ScaleStatus> shown;
        const auto result = readStatusAndKeys(rig.link, shown, sink);
        ASSERT_FALSE(result);
        EXPECT_EQ(result.failure->kind, FailureKind::ReadFailed);
        EXPECT_FALSE(shown.holds());
    }
    {
        StatusRig rig(withState(keyedState(), {"truncate=4@0x96#2-4"}));
        Table keys = makePriceKeyTable();
        TableWriter sink(keys);
        ValueHolder<ScaleStatus> shown;
        EXPECT_FALSE(readStatusAndKeys(rig.link, shown, sink));
        EXPECT_EQ(keys.cell(1, 1), "4000"); // the key read before the failure keeps its cell
        EXPECT_EQ(rig.fb.messages, std::vector<std::string>{settingstext::kKeyReadFailed});
    }
}

TEST(Factory, ReadsOrKeepsTheFields)
{
    {
        StatusRig rig;
        ValueHolder<FactorySettings> f;
        ASSERT_TRUE(readFactory(rig.link, f));
        EXPECT_EQ(f.value().capacity, 15000);
        EXPECT_EQ(f.value().weightPoint, 4);
        EXPECT_TRUE(rig.fb.messages.empty());
    }
    {
        StatusRig rig(withState(emu::ScaleState{}, {"truncate=13@0x9B"}));
        ValueHolder<FactorySettings> f;
        const auto result = readFactory(rig.link, f);
        ASSERT_FALSE(result);
        EXPECT_FALSE(f.holds());
        EXPECT_EQ(rig.fb.messages, std::vector<std::string>{settingstext::kFactoryReadFailed});
    }
    {
        StatusRig rig;
        ValueHolder<FactorySettings> f;
        EXPECT_FALSE(readFactory(ScaleLink{rig.session, rig.config, cp("Нет")}, f));
        EXPECT_EQ(rig.fb.messages, std::vector<std::string>{settingstext::kNoScaleFactory});
    }
}
