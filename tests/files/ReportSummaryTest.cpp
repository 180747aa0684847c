// The report's "По всем PLU" figures added up from its table, and the decimal texts they are
// read from and written as.
#include <gtest/gtest.h>

#include "common/DecimalText.h"
#include "common/TableLayouts.h"
#include "files/ReportSummary.h"

using namespace qm;

TEST(DecimalText, ReadBackAsWrittenAndNothingElse)
{
    const struct {
        const char* text;
        std::int64_t divisor;
        std::optional<std::int64_t> value;
    } cases[] = {
        {"123,45", 100, 12345},
        {"1,5", 1000, 1500},
        {"0", 100, 0},
        {"-0,05", 100, -5},
        {"7", 1, 7},
        {"2.5", 100, 250},
        {",5", 100, 50},
        {"", 100, std::nullopt},
        {"-", 100, std::nullopt},
        {"1,234", 100, std::nullopt}, // finer than a kopeck
        {"1,5", 1, std::nullopt},
        {"12a", 100, std::nullopt},
        {"1,2,3", 100, std::nullopt},
        {"99999999999999999999", 100, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decimalValue(c.text, c.divisor), c.value) << c.text;
    for (const std::int64_t v : {std::int64_t{0}, std::int64_t{5}, std::int64_t{-2147483648}, std::int64_t{99999}})
        EXPECT_EQ(decimalValue(roublesText(v), kKopecksPerRouble), v);
}

TEST(ReportSummary, AddsUpTheRowsWithANumberAndMakesNothingUp)
{
    Table report = makeTable(reportLayout());
    EXPECT_FALSE(pluSummary(report)) << "no product row: the fields keep their figures";
    report.setDataRows({{"3", "", "", "", "", "123,45", "1,5", "7"},
                        {"12", "", "", "", "", "0,55", "0,002", "1"},
                        Row(kReportColumns)}); // the empty row a read leaves
    const auto summary = pluSummary(report);
    ASSERT_TRUE(summary);
    EXPECT_EQ(summary->sum, "124");
    EXPECT_EQ(summary->sales, "8");
    EXPECT_EQ(summary->weight, "1,502");

    ReportTotals fields{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};
    const ReportTotals derived = withPluSummary(fields, report);
    EXPECT_EQ(derived[totalsfield::PluSum], "124");
    EXPECT_EQ(derived[totalsfield::PluCount], "8");
    EXPECT_EQ(derived[totalsfield::PluWeight], "1,502");
    EXPECT_EQ(derived[totalsfield::GrandSum], "8") << "the scale's grand total stays";

    report.setCell(2, kReportSalesColumn, "много"); // a file edited by hand
    EXPECT_FALSE(pluSummary(report));
    EXPECT_EQ(withPluSummary(fields, report), fields);
}
