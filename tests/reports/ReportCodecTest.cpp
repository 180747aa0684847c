// The report's number and clock texts at their edges, the general totals record byte for byte,
// and a report row from a product record.
#include <gtest/gtest.h>

#include <limits>

#include "common/Cp1251.h"
#include "products/PluCodec.h"
#include "reports/ReportCodec.h"
#include "reports/ReportRows.h"

using namespace qm;

TEST(ReportFormats, SumsAndWeightsAreExactDecimalsWithoutTrailingZeros)
{
    EXPECT_EQ(roublesText(12345), "123,45");
    EXPECT_EQ(roublesText(150), "1,5");
    EXPECT_EQ(roublesText(100), "1");
    EXPECT_EQ(roublesText(0), "0");
    EXPECT_EQ(roublesText(5), "0,05");
    EXPECT_EQ(roublesText(-5), "-0,05");
    EXPECT_EQ(roublesText(-100), "-1");
    EXPECT_EQ(kilogramsText(1500), "1,5");
    EXPECT_EQ(kilogramsText(1), "0,001");
    EXPECT_EQ(kilogramsText(1010), "1,01");
    // No floating point: the largest sums keep every kopeck.
    EXPECT_EQ(roublesText(std::numeric_limits<std::int32_t>::max()), "21474836,47");
    EXPECT_EQ(roublesText(std::numeric_limits<std::int32_t>::min()), "-21474836,48");
    EXPECT_EQ(kilogramsText(std::numeric_limits<std::int64_t>::min()), "-9223372036854775,808");
    EXPECT_EQ(roublesText(999999999999999999), "9999999999999999,99");
}

TEST(ReportFormats, ClockBytesShowAsDigitPairsAndABadNibbleKeepsTheWidth)
{
    EXPECT_EQ(clockTimeText({0x09, 0x05, 0x07}), "09:05:07");
    EXPECT_EQ(clockDateText({0x03, 0x12, 0x31}), "31.12.03");
    EXPECT_EQ(clockDateText({0x00, 0x00, 0x00}), "00.00.00");
    EXPECT_EQ(clockTimeText({0x23, 0x59, 0x59}), "23:59:59");
    EXPECT_EQ(bcdPairText(0x99), "99");
    EXPECT_EQ(bcdPairText(0x1A), "1?");
    EXPECT_EQ(bcdPairText(0xF3), "?3");
    EXPECT_EQ(clockTimeText({0xFF, 0x00, 0x00}), "??:00:00");
}

TEST(ReportCodec, GeneralTotalsDecodeFieldByField)
{
    const Bytes record{
        0x55,                   // 0: ignored
        0x70, 0x11, 0x01, 0x00, // 1..4: run counter 70000 mm
        0x07, 0x00, 0x00, 0x00, // 5..8: label counter 7
        0xFB, 0xFF, 0xFF, 0xFF, // 9..12: grand sum -5 kopecks (32 bits signed)
        0x01, 0x00, 0x01,       // 13..15: grand count 65537 (24 bits)
        0xDC, 0x05, 0x00, 0x00, // 16..19: grand weight 1500 g
        0x39, 0x30, 0x00, 0x00, // 20..23: sum over all PLU 12345 kopecks
        0xFF, 0xFF, 0xFF,       // 24..26: sales over all PLU 16777215 (unsigned)
        0x96, 0x00, 0x00, 0x00, // 27..30: weight over all PLU 150 g
        0x09, 0x05, 0x07,       // 31..33: cleared at 09:05:07
        0x03, 0x12, 0x31,       // 34..36: year 03, month 12, day 31
        0xA0, 0x0F,             // 37..38: 4000 free PLU
        0xFF, 0xFF,             // 39..40: 65535 free MSG (16 bits unsigned)
    };
    ASSERT_EQ(record.size(), static_cast<size_t>(kGeneralTotalsSize));
    const GeneralTotals t = decodeGeneralTotals(record.data());
    EXPECT_EQ(t.runMm, 70000);
    EXPECT_EQ(t.labels, 7);
    EXPECT_EQ(t.grandSum, -5);
    EXPECT_EQ(t.grandCount, 65537u);
    EXPECT_EQ(t.grandWeight, 1500);
    EXPECT_EQ(t.pluSum, 12345);
    EXPECT_EQ(t.pluCount, 16777215u);
    EXPECT_EQ(t.pluWeight, 150);
    EXPECT_EQ(t.freePlu, 4000);
    EXPECT_EQ(t.freeMsg, 65535);

    const ReportTotals fields = totalsFields(t);
    const ReportTotals expected{"70000", "7",     "31.12.03", "09:05:07", "123,45", "16777215",
                                "0,15",  "-0,05", "65537",    "1,5",      "4000",   "65535"};
    EXPECT_EQ(fields, expected);
}

namespace
{

// A general totals record with every free field at its extreme, written from the byte table.
Bytes totalsRecord()
{
    return {
        0xFF,                   // 0: ignored
        0xFF, 0xFF, 0xFF, 0xFF, // 1..4: run counter, free
        0xFF, 0xFF, 0xFF, 0xFF, // 5..8: label counter, free
        0xFF, 0xFF, 0xFF, 0xFF, // 9..12: grand sum, free
        0xFF, 0xFF, 0xFF,       // 13..15: grand count, free
        0xFF, 0xFF, 0xFF, 0xFF, // 16..19: grand weight, free
        0xFF, 0xFF, 0xFF, 0xFF, // 20..23: sum over all PLU, free
        0xFF, 0xFF, 0xFF,       // 24..26: sales over all PLU, free
        0xFF, 0xFF, 0xFF, 0xFF, // 27..30: weight over all PLU, free
        0x99, 0x99, 0x99,       // 31..33: the largest BCD time bytes
        0x99, 0x99, 0x99,       // 34..36: and date bytes
        0xA0, 0x0F,             // 37..38: 4000 free PLU, all of them
        0xE8, 0x03,             // 39..40: 1000 free MSG, all of them
    };
}

} // namespace

TEST(ReportCodec, TotalsClockNibblesOverNineAndManyFreeCellsAreShownAsSent)
{
    Bytes record = totalsRecord();
    record[31] = 0x9A; // hours
    record[34] = 0xA9; // year
    record[37] = 0xA1; // 4001 free PLU
    record[39] = 0xE9; // 1001 free MSG
    const ReportTotals fields = totalsFields(decodeGeneralTotals(record.data()));
    EXPECT_EQ(fields[totalsfield::ClearedTime], "9?:99:99");
    EXPECT_EQ(fields[totalsfield::ClearedDate], "99.99.?9");
    EXPECT_EQ(fields[totalsfield::FreePlu], "4001");
    EXPECT_EQ(fields[totalsfield::FreeMsg], "1001");
}

TEST(ReportCodec, TotalsGarbledOnTheLineCannotBeTold)
{
    // The emulator's garble fault turns every bit: 3997 free PLU arrive as 61538, which a scale
    // with erased memory may send as well.
    Bytes garbled = totalsRecord();
    garbled[37] = 0x9D;
    garbled[38] = 0x0F;
    for (auto& b : garbled)
        b = static_cast<std::uint8_t>(b ^ 0xFF);
    EXPECT_EQ(decodeGeneralTotals(garbled.data()).freePlu, 61538);
}

TEST(ReportCodec, ReportRowFromTheProductRecord)
{
    Bytes record(kReadRecordSize, 0x00);
    record[0] = 0x2A;                  // PLU 42
    const std::string name = "Молоко"; // in the scale's code page
    const Bytes scaleName{0x8C, 0xAE, 0xAB, 0xAE, 0xAA, 0xAE};
    std::copy(scaleName.begin(), scaleName.end(), record.begin() + 10);
    std::fill(record.begin() + 10 + 6, record.begin() + 38, 0x20);
    std::fill(record.begin() + 38, record.begin() + 66, 0x20);
    const Bytes totals{
        0x09, 0x05, 0x07,       // 83..85: hours, minutes, seconds
        0x03, 0x12, 0x31,       // 86..88: year, month, day
        0x39, 0x30, 0x00, 0x00, // 89..92: sum 12345 kopecks
        0xDC, 0x05, 0x00, 0x00, // 93..96: weight 1500 g
        0x07, 0x00, 0x00,       // 97..99: 7 sales
    };
    std::copy(totals.begin(), totals.end(), record.begin() + 83);
    const Row row = reportRow(decodePluRecord(record.data()));
    ASSERT_EQ(row.size(), 8u);
    EXPECT_EQ(row[0], "42");
    EXPECT_EQ(row[1], cp(name) + std::string(22, ' '));
    EXPECT_EQ(row[2], std::string(28, ' '));
    EXPECT_EQ(row[3], "31.12.03");
    EXPECT_EQ(row[4], "09:05:07");
    EXPECT_EQ(row[5], "123,45");
    EXPECT_EQ(row[6], "1,5");
    EXPECT_EQ(row[7], "7");

    // A negative sum (a return) prints with its sign.
    record[89] = 0xFB, record[90] = 0xFF, record[91] = 0xFF, record[92] = 0xFF;
    EXPECT_EQ(reportRow(decodePluRecord(record.data()))[5], "-0,05");
}

TEST(ReportCodec, ClearOneProductBytes)
{
    EXPECT_EQ(encodeClearTotalPlu(4000), (Bytes{0x92, 0xA0, 0x0F, 0x00, 0x00}));
}
