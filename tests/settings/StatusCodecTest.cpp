// The status record, one price key and the factory settings record, byte for byte.

#include <gtest/gtest.h>

#include "settings/FactoryCodec.h"
#include "settings/PriceKeyCodec.h"
#include "settings/StatusCodec.h"

using namespace qm;

TEST(StatusCodec, OverloadWithNegativeWeight)
{
    const Bytes record{0x00,                   // ignored
                       0x81,                   // overload, weight negative
                       0xE8, 0x03,             // weight 1000
                       0x00, 0x00, 0x00, 0x00, // product 0
                       0x00, 0x00, 0x00, 0x00, // total 0
                       0x00, 0x00, 0x00, 0x00};
    ScaleStatus expected;
    expected.overload = true;
    expected.weight = -1000;
    EXPECT_EQ(decodeStatus(record.data()), expected);
}

TEST(StatusCodec, StableZeroWeightShowsOnlyStable)
{
    Bytes record(kStatusRecordSize, 0x00);
    record[1] = 0x40; // weight stable
    ScaleStatus expected;
    expected.stable = true;
    EXPECT_EQ(decodeStatus(record.data()), expected);
}

TEST(StatusCodec, EveryFieldInItsPlace)
{
    const Bytes record{0xFF,                    // ignored
                       0x7F,                    // every flag, unused bits 1 and 4 too, weight positive
                       0x34, 0x12,              // weight 0x1234
                       0xA0, 0x0F, 0x00, 0x00,  // product 4000
                       0x15, 0xCD, 0x5B, 0x07,  // total 123456789
                       0xFE, 0xFF, 0xFF, 0xFF}; // price -2 (taken as signed)
    const ScaleStatus s = decodeStatus(record.data());
    EXPECT_TRUE(s.overload);
    EXPECT_TRUE(s.tareSet);
    EXPECT_TRUE(s.zeroWeight);
    EXPECT_TRUE(s.dualRange);
    EXPECT_TRUE(s.stable);
    EXPECT_EQ(s.weight, 0x1234);
    EXPECT_EQ(s.product, 4000);
    EXPECT_EQ(s.total, 123456789);
    EXPECT_EQ(s.price, -2);
}

TEST(StatusCodec, EachFlagFromItsOwnBit)
{
    Bytes record(kStatusRecordSize, 0x00);
    record[1] = 0x04; // tare set
    EXPECT_TRUE(decodeStatus(record.data()).tareSet);
    EXPECT_FALSE(decodeStatus(record.data()).zeroWeight);
    record[1] = 0x08; // zero weight
    EXPECT_TRUE(decodeStatus(record.data()).zeroWeight);
    EXPECT_FALSE(decodeStatus(record.data()).tareSet);
    record[1] = 0x20; // dual range
    EXPECT_TRUE(decodeStatus(record.data()).dualRange);
    record[1] = 0x12; // the unused bits alone
    EXPECT_EQ(decodeStatus(record.data()), ScaleStatus{});
}

TEST(PriceKeyCodec, WriteCell300ForKey12)
{
    EXPECT_EQ(encodePriceKeyWrite(300, 12), (Bytes{0x8B,                   // write price key
                                                   0x2C, 0x01, 0x00, 0x00, // cell 300
                                                   0x0C}));                // key 12
    EXPECT_EQ(encodePriceKeyWrite(0x01020304, 54), (Bytes{0x8B, 0x04, 0x03, 0x02, 0x01, 0x36}));
}

TEST(PriceKeyCodec, ReadRequest)
{
    EXPECT_EQ(encodePriceKeyRead(1), (Bytes{0x96, 0x01}));
    EXPECT_EQ(encodePriceKeyRead(54), (Bytes{0x96, 0x36}));
}

TEST(PriceKeyCodec, KeysAndCellsOutsideTheirFieldsAreNotEncoded)
{
    EXPECT_FALSE(encodePriceKeyRead(0));
    EXPECT_FALSE(encodePriceKeyRead(55));
    EXPECT_FALSE(encodePriceKeyWrite(1, 0));
    EXPECT_FALSE(encodePriceKeyWrite(1, 55));
    EXPECT_FALSE(encodePriceKeyWrite(-1, 1));
    EXPECT_FALSE(encodePriceKeyWrite(0x100000000LL, 1));
}

TEST(PriceKeyCodec, AnswerDecodes)
{
    const Bytes answer{0x00,                    // ignored
                       0xA0, 0x0F, 0x00, 0x00}; // cell 4000
    EXPECT_EQ(decodePriceKey(answer.data()), 4000);
    const Bytes zero{0x55, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(decodePriceKey(zero.data()), 0);
}

TEST(PriceKeyCodec, MinusOneStandsForFailure)
{
    const Bytes answer{0x00, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_FALSE(decodePriceKey(answer.data()));
}

TEST(PriceKeyCodec, ACellNoKeyCanCallUpIsShownAsSent)
{
    // Only -1 stands for a failure: any other cell is the scale's, shown as it came.
    const Bytes minusTwo{0x00, 0xFE, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(decodePriceKey(minusTwo.data()), -2);
    const Bytes over{0x00, 0xA1, 0x0F, 0x00, 0x00}; // 4001
    EXPECT_EQ(decodePriceKey(over.data()), 4001);
    const Bytes high{0x00, 0x01, 0x00, 0x00, 0x01}; // 0x01000001
    EXPECT_EQ(decodePriceKey(high.data()), 0x01000001);
    const Bytes one{0xFF, 0x01, 0x00, 0x00, 0x00}; // the first byte is not looked at
    EXPECT_EQ(decodePriceKey(one.data()), 1);
}

TEST(StatusCodec, SelectedProductOutsideTheCellsIsShownAsSent)
{
    Bytes record{0xFF,                    // ignored
                 0xFF,                    // every flag bit: free
                 0xFF, 0xFF,              // weight magnitude 65535: free
                 0xA0, 0x0F, 0x00, 0x00,  // product 4000
                 0xFE, 0xFF, 0xFF, 0xFF,  // total -2: free (signed)
                 0xFE, 0xFF, 0xFF, 0xFF}; // price -2: free (signed)
    record[4] = 0x00;
    record[5] = 0x00; // product 0: nothing selected
    record[4] = 0xA1;
    record[5] = 0x0F; // 4001
    EXPECT_EQ(decodeStatus(record.data()).product, 4001);
    // Erased memory, or product 0 garbled on the line: 0xFFFFFFFF, shown as -1.
    const Bytes erased(kStatusRecordSize, 0xFF);
    EXPECT_EQ(decodeStatus(erased.data()).product, -1);
}

TEST(FactoryCodec, RecordByteForByte)
{
    const Bytes record{0x00,        // ignored
                       0x30, 0x75,  // capacity 30000
                       0x03,        // weight point code
                       0x03,        // price point code
                       0x03,        // total point code
                       0x01,        // dual range on
                       0x05,        // upper division 5
                       0x02,        // lower division 2
                       0xE8, 0x03,  // price weight 1000
                       0x01,        // rounding 1
                       0x10, 0x27}; // tare limit 10000
    FactorySettings expected;
    expected.capacity = 30000;
    expected.weightPoint = 3;
    expected.pricePoint = 3;
    expected.totalPoint = 3;
    expected.dualRange = true;
    expected.upperDivision = 5;
    expected.lowerDivision = 2;
    expected.priceWeight = 1000;
    expected.rounding = 1;
    expected.tareLimit = 10000;
    EXPECT_EQ(decodeFactory(record.data()), expected);
}

TEST(FactoryCodec, DistinctValuesLandInTheirFields)
{
    const Bytes record{0x99, 0xFF, 0xFF, 0x00, 0x04, 0x05, 0x07, 0x0A, 0x14, 0x34, 0x12, 0x32, 0x01, 0x80};
    const FactorySettings f = decodeFactory(record.data());
    EXPECT_EQ(f.capacity, 65535);
    EXPECT_EQ(f.weightPoint, 0);
    EXPECT_EQ(f.pricePoint, 4);
    EXPECT_EQ(f.totalPoint, 5);
    EXPECT_TRUE(f.dualRange); // any value but 0
    EXPECT_EQ(f.upperDivision, 10);
    EXPECT_EQ(f.lowerDivision, 20);
    EXPECT_EQ(f.priceWeight, 0x1234);
    EXPECT_EQ(f.rounding, 50);
    EXPECT_EQ(f.tareLimit, 0x8001);
}
