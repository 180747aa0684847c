// The emulated scale's totals commands: the general totals record byte for byte, clearing one
// product's totals (and the answer for a cell without a product), clearing the grand total, and
// the state file's "totals" member.
#include <gtest/gtest.h>

#include "ScaleLine.h"
#include "StateBuilder.h"
#include "StateFile.h"

using namespace emutest;

namespace
{

// Two products with totals, one message, a clock of 31.12.03 09:05:07.
std::string filledScale()
{
    return R"({"plu": {"3": {"name1": "Хлеб", "sum": 12345, "weight": 1500, "sales": 7},
                       "9": {"name1": "Чай", "sum": 100, "weight": 250, "sales": 2}},
               "messages": {"1": ["м"]},
               "date": [31, 12, 3], "time": [9, 5, 7],
               "totals": {"runMm": 70000, "labels": -2, "grandSum": 99999, "grandCount": 65537,
                          "grandWeight": 3000, "clearedHour": 23, "clearedMinute": 59, "clearedSecond": 58,
                          "clearedDay": 1, "clearedMonth": 2, "clearedYear": 26}})";
}

} // namespace

TEST(EmuTotals, GeneralTotalsRecordSumsTheProductsAndCountsFreeCells)
{
    ScaleLine line(withState(1, filledScale()));
    const Bytes expected{
        0x00,                   // ignored
        0x70, 0x11, 0x01, 0x00, // run counter 70000 mm
        0xFE, 0xFF, 0xFF, 0xFF, // label counter -2
        0x9F, 0x86, 0x01, 0x00, // grand sum 99999 kopecks
        0x01, 0x00, 0x01,       // grand count 65537
        0xB8, 0x0B, 0x00, 0x00, // grand weight 3000 g
        0x9D, 0x30, 0x00, 0x00, // sum over the products 12445
        0x09, 0x00, 0x00,       // sales over the products 9
        0xD6, 0x06, 0x00, 0x00, // weight over the products 1750 g
        0x23, 0x59, 0x58,       // cleared at 23:59:58
        0x26, 0x02, 0x01,       // on year 26, month 2, day 1
        0x9E, 0x0F,             // 3998 free PLU cells
        0xE7, 0x03,             // 999 free message cells
    };
    EXPECT_EQ(line.command({0x85}, 41), expected);
}

TEST(EmuTotals, ClearingOneProductStampsTheClockAndAnEmptyCellAnswersNotFound)
{
    ScaleLine line(withState(1, filledScale()));
    EXPECT_EQ(line.command({0x92, 0x03, 0x00, 0x00, 0x00}, 1), (Bytes{0xAA}));
    EXPECT_EQ(line.command({0x92, 0x04, 0x00, 0x00, 0x00}, 1), (Bytes{0xEE}));
    const emu::ScaleState state = line.scale.state();
    const emu::PluRecord& cleared = state.plu.at(3);
    EXPECT_EQ(cleared.sum, 0u);
    EXPECT_EQ(cleared.weight, 0u);
    EXPECT_EQ(cleared.sales, 0u);
    EXPECT_EQ(state.plu.at(9).sum, 100u) << "the other product keeps its totals";
    EXPECT_EQ(state.plu.count(4), 0u) << "clearing creates no product";
    EXPECT_EQ(state.totals.grandSum, 99999) << "the grand total stays";

    // The record carries the clock as hours, minutes, seconds, then year, month, day.
    const Bytes record = line.command({0x81, 0x03, 0x00, 0x00, 0x00}, 101);
    ASSERT_EQ(record.size(), 101u);
    EXPECT_EQ(Bytes(record.begin() + 84, record.begin() + 90), (Bytes{0x09, 0x05, 0x07, 0x03, 0x12, 0x31}));
}

TEST(EmuTotals, ClearingTheGrandTotalKeepsTheProductsAndANakLeavesItAsItWas)
{
    {
        ScaleLine line(withState(1, filledScale()));
        EXPECT_EQ(line.command({0x86}, 1), (Bytes{0xAA}));
        const emu::ScaleState state = line.scale.state();
        EXPECT_EQ(state.totals.grandSum, 0);
        EXPECT_EQ(state.totals.grandCount, 0u);
        EXPECT_EQ(state.totals.grandWeight, 0);
        EXPECT_EQ(state.totals.runMm, 70000) << "the counters are no totals";
        EXPECT_EQ(state.totals.clearedHour, 9);
        EXPECT_EQ(state.totals.clearedYear, 3);
        EXPECT_EQ(state.plu.at(3).sum, 12345u);
    }
    {
        qmtest::EmuOptions options = withState(1, filledScale());
        options.faults = {"nak@0x86"};
        ScaleLine line(options);
        EXPECT_EQ(line.command({0x86}, 1), (Bytes{0x00}));
        EXPECT_EQ(line.scale.state().totals.grandSum, 99999);
    }
}

TEST(EmuTotals, StateFileKeepsTheTotalsAndRefusesValuesOutOfRange)
{
    emu::ScaleState state;
    state.totals.grandSum = -5;
    state.totals.clearedMonth = 12;
    const auto back = emu::stateFromJson(emu::stateToJson(state));
    ASSERT_TRUE(std::holds_alternative<emu::ScaleState>(back));
    EXPECT_TRUE(std::get<emu::ScaleState>(back).totals == state.totals);
    EXPECT_TRUE(std::holds_alternative<std::string>(emu::stateFromJson(R"({"totals": {"grandCount": 16777216}})")));
    EXPECT_TRUE(std::holds_alternative<std::string>(emu::stateFromJson(R"({"totals": {"clearedHour": 100}})")));
}

TEST(EmuTotals, ErasedMemorySendsItsFieldsAsFFThroughAClearAndTheStateFile)
{
    const std::string erased = R"({"plu": {"3": {"sum": 5}}, "erased": ["productClock", "totalsClock", "freeCells"]})";
    ScaleLine line(withState(1, erased));
    const Bytes totals = line.command({0x85}, 41);
    ASSERT_EQ(totals.size(), 41u);
    EXPECT_EQ(Bytes(totals.begin() + 31, totals.end()), Bytes(10, 0xFF)) << "clock 31..36, free cells 37..40";
    EXPECT_EQ(line.command({0x92, 0x03, 0x00, 0x00, 0x00}, 1), (Bytes{0xAA}));
    const Bytes record = line.command({0x81, 0x03, 0x00, 0x00, 0x00}, 101);
    ASSERT_EQ(record.size(), 101u);
    EXPECT_EQ(Bytes(record.begin() + 84, record.begin() + 90), Bytes(6, 0xFF)) << "the reset clock, 83..88";
    EXPECT_EQ(record[90], 0x00) << "the sum after it is cleared";

    const emu::ScaleState state = line.scale.state();
    EXPECT_TRUE(state.erased.productClock && state.erased.totalsClock && state.erased.freeCells);
    EXPECT_TRUE(std::holds_alternative<std::string>(emu::stateFromJson(R"({"erased": ["clock"]})")));
    EXPECT_TRUE(std::holds_alternative<std::string>(emu::stateFromJson(R"({"erased": "freeCells"})")));
}
