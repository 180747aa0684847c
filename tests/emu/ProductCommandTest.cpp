// The product commands of the emulated scale, byte for byte against the record layout.
#include <gtest/gtest.h>

#include "ScaleLine.h"
#include "StateBuilder.h"
#include "StateFile.h"

using emutest::Bytes;
using emutest::concat;
using emutest::ScaleLine;
using emutest::withState;

namespace
{

Bytes blanks(std::size_t n)
{
    return Bytes(n, 0x20);
}

// PLU 3, product code 123456, name 1 "Молоко 3,2%", name 2 "Ёлка ёжик", price 4550, expiry date
// 311225, tare 20, group 7, message 12, logo 2 with the certification code "AB12" in positions
// 25..28 of the names, all in the scale's code page.
const Bytes kWriteRecord = concat({
    {0x82},
    {0x03, 0x00, 0x00, 0x00},
    {0x06, 0x05, 0x04, 0x03, 0x02, 0x01},
    {0x8C, 0xAE, 0xAB, 0xAE, 0xAA, 0xAE, 0x20, 0x33, 0x2C, 0x32, 0x25},
    blanks(13),
    {0x00, 0x02, 0x42, 0x32},
    {0xF0, 0xAB, 0xAA, 0xA0, 0x20, 0xF1, 0xA6, 0xA8, 0xAA},
    blanks(15),
    {0x00, 0x02, 0x41, 0x31},
    {0xC6, 0x11, 0x00, 0x00},
    {0x31, 0x12, 0x25},
    {0x14, 0x00},
    {0x07, 0x00, 0x00, 0x00, 0x00, 0x00},
    {0x0C, 0x00},
});

Bytes withPlu(Bytes record, std::uint8_t plu)
{
    record[1] = plu;
    return record;
}

} // namespace

TEST(EmuProducts, WriteThenReadGivesTheRecordBackByteForByte)
{
    ScaleLine line(withState(5, ""));
    ASSERT_EQ(kWriteRecord.size(), 84u);
    EXPECT_EQ(line.command(kWriteRecord, 1), (Bytes{0xAA}));

    const Bytes expected = concat({{0x00}, Bytes(kWriteRecord.begin() + 1, kWriteRecord.end()), Bytes(17, 0x00)});
    EXPECT_EQ(line.command({0x81, 0x03, 0x00, 0x00, 0x00}, 101), expected);
    EXPECT_TRUE(line.port.readFor(50).empty());

    const emu::ScaleState state = line.scale.state();
    ASSERT_EQ(state.plu.count(3), 1u);
    const emu::PluRecord& r = state.plu.at(3);
    EXPECT_EQ(r.code, 123456u);
    EXPECT_EQ(r.price, 4550u);
    EXPECT_EQ(r.shelf, 311225u);
    EXPECT_EQ(r.tare, 20u);
    EXPECT_EQ(r.group, 7u);
    EXPECT_EQ(r.message, 12u);
    // The file shows the names readable, the logo bytes escaped.
    const std::string json = emu::stateToJson(state);
    EXPECT_NE(json.find("\"name1\": \"Молоко 3,2%             \\u0000\\u0002B2\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"name2\": \"Ёлка ёжик               \\u0000\\u0002A1\""), std::string::npos) << json;
}

TEST(EmuProducts, ReadSendsTotalsAndDatesOfTheStateAndAWriteKeepsTheTotals)
{
    ScaleLine line(withState(1, R"({"plu": {"12": {"code": 5, "name1": "Сыр", "shelf": 10525,
        "resetTime": 143005, "resetDate": 311225, "sum": 123456, "weight": 987654, "sales": 70000}}})"));
    const Bytes totals{0x05, 0x30, 0x14, 0x31, 0x12, 0x25, 0x40, 0xE2, 0x01,
                       0x00, 0x06, 0x12, 0x0F, 0x00, 0x70, 0x11, 0x01};
    const Bytes expected = concat({{0x00},
                                   {0x0C, 0x00, 0x00, 0x00},
                                   {0x05, 0x00, 0x00, 0x00, 0x00, 0x00},
                                   {0x91, 0xEB, 0xE0},
                                   blanks(25),
                                   blanks(28),
                                   {0x00, 0x00, 0x00, 0x00},
                                   {0x01, 0x05, 0x25},
                                   {0x00, 0x00},
                                   Bytes(6, 0x00),
                                   {0x00, 0x00},
                                   totals});
    EXPECT_EQ(line.command({0x81, 0x0C, 0x00, 0x00, 0x00}, 101), expected);

    const Bytes record12 = withPlu(kWriteRecord, 12);
    EXPECT_EQ(line.command(record12, 1), (Bytes{0xAA}));
    const Bytes reread = line.command({0x81, 0x0C, 0x00, 0x00, 0x00}, 101);
    ASSERT_EQ(reread.size(), 101u);
    EXPECT_EQ(Bytes(reread.begin() + 1, reread.begin() + 84), Bytes(record12.begin() + 1, record12.end()));
    EXPECT_EQ(Bytes(reread.begin() + 84, reread.end()), totals);
}

TEST(EmuProducts, MissingRecordReadsAsNotFoundAndDeleteAcknowledgesEmptyCells)
{
    ScaleLine line(withState(1, emu::StateBuilder().plu(3, "Хлеб", 3200).plu(7, "Чай", 9900).json()));
    EXPECT_EQ(line.command({0x81, 0x04, 0x00, 0x00, 0x00}, 1), (Bytes{0xEE}));
    EXPECT_TRUE(line.port.readFor(50).empty());

    EXPECT_EQ(line.command({0x8D, 0x03, 0x00, 0x00, 0x00}, 1), (Bytes{0xAA}));
    EXPECT_EQ(line.command({0x8D, 0x04, 0x00, 0x00, 0x00}, 1), (Bytes{0xAA}));
    EXPECT_EQ(line.command({0x8D, 0x00, 0x00, 0x00, 0x00}, 1), (Bytes{0x00}));
    EXPECT_EQ(line.command({0x81, 0x03, 0x00, 0x00, 0x00}, 1), (Bytes{0xEE}));

    const auto state = line.scale.state();
    ASSERT_EQ(state.plu.size(), 1u);
    EXPECT_EQ(state.plu.begin()->first, 7u);
    EXPECT_EQ(state.plu.begin()->second.price, 9900u);
}

TEST(EmuProducts, RefusesRecordsThatNoCorrectEncoderSends)
{
    ScaleLine line;
    Bytes badDigit = kWriteRecord;
    badDigit[5] = 0x0A; // product code digit
    EXPECT_EQ(line.command(badDigit, 1), (Bytes{0x00}));
    Bytes badShelf = kWriteRecord;
    badShelf[71] = 0x1A; // not packed BCD
    EXPECT_EQ(line.command(badShelf, 1), (Bytes{0x00}));
    Bytes beyond = kWriteRecord;
    beyond[1] = 0xA1; // PLU 4001
    beyond[2] = 0x0F;
    EXPECT_EQ(line.command(beyond, 1), (Bytes{0x00}));
    EXPECT_TRUE(line.scale.state().plu.empty());
}

TEST(EmuProducts, VirtualRangeIsSetCancelledAndChecked)
{
    ScaleLine line;
    EXPECT_EQ(line.command({0x87, 0x01, 0x00, 0x00, 0x00, 0xA0, 0x0F, 0x00, 0x00}, 1), (Bytes{0xAA}));
    auto state = line.scale.state();
    ASSERT_TRUE(state.range.has_value());
    EXPECT_EQ(*state.range, std::make_pair(1u, 4000u));

    // With the range set the number byte is a poll; the default plan answers ready.
    line.port.write({1});
    EXPECT_EQ(line.port.read(2), (Bytes{1, 0x80}));
    EXPECT_EQ(line.port.exchange({0x88}, 1), (Bytes{0xAA}));
    EXPECT_FALSE(line.scale.state().range.has_value());

    EXPECT_EQ(line.command({0x87, 0x0A, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00}, 1), (Bytes{0x00}));
    EXPECT_FALSE(line.scale.state().range.has_value());
}
