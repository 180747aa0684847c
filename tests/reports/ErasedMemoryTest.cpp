// A scale with erased memory sends 0xFF in the fields the program only shows: the reset clock of a
// product, the clearing clock and free-cell counts of the general totals, the selected product of
// the status. Such answers are records, and each field is shown as it came (a BCD nibble above 9
// as "?", a signed number with its sign).
#include <gtest/gtest.h>

#include <algorithm>

#include "common/TableLayouts.h"
#include "common/TableSink.h"
#include "products/PluCodec.h"
#include "reports/ReportCommands.h"
#include "reports/ReportRows.h"
#include "reports/ReportTransfer.h"
#include "settings/StatusRig.h"
#include "settings/StatusTransfer.h"

using namespace qm;

namespace
{

enum class Answer { Product, Totals, Status };

// One field: the answer it lies in, its bytes, and where it is shown (a report column or a
// totals field).
struct ErasedField {
    const char* name;
    Answer answer;
    size_t from;
    size_t count;
    int shownAt;
    std::string expected;
};

[[maybe_unused]] void PrintTo(const ErasedField& f, std::ostream* os)
{
    *os << f.name;
}

// Whether the answer is a record, and the field's text, for a PLU 42 record, zero totals or a
// zero status with the field's bytes erased.
std::pair<bool, std::string> readErased(const ErasedField& f)
{
    PluRecord plu;
    plu.plu = 42;
    plu.shelf = 365;
    const Bytes written = *encodePluWrite(plu);
    Bytes b(f.answer == Answer::Product  ? kReadRecordSize
            : f.answer == Answer::Totals ? kGeneralTotalsSize
                                         : kStatusRecordSize,
            0x00);
    if (f.answer == Answer::Product)
        std::copy(written.begin() + 1, written.end(), b.begin());
    std::fill_n(b.begin() + static_cast<std::ptrdiff_t>(f.from), f.count, std::uint8_t{0xFF});
    const auto at = static_cast<size_t>(f.shownAt);
    switch (f.answer) {
    case Answer::Product:
        return {isPluRecordOf(b.data(), 42), reportRow(decodePluRecord(b.data()))[at]};
    case Answer::Totals:
        return {true, totalsFields(decodeGeneralTotals(b.data()))[at]};
    case Answer::Status:
        return {true, std::to_string(decodeStatus(b.data()).product)};
    }
    return {};
}

class Erased : public testing::TestWithParam<ErasedField>
{
};

TEST_P(Erased, IsARecordShownAsSent)
{
    EXPECT_EQ(readErased(GetParam()), std::make_pair(true, GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, Erased,
    testing::Values(ErasedField{"ProductResetTime", Answer::Product, 83, 3, 4, "??:??:??"},
                    ErasedField{"ProductResetDate", Answer::Product, 86, 3, 3, "??.??.??"},
                    ErasedField{"TotalsTime", Answer::Totals, 31, 3, totalsfield::ClearedTime, "??:??:??"},
                    ErasedField{"TotalsDate", Answer::Totals, 34, 3, totalsfield::ClearedDate, "??.??.??"},
                    ErasedField{"FreeProducts", Answer::Totals, 37, 2, totalsfield::FreePlu, "65535"},
                    ErasedField{"FreeMessages", Answer::Totals, 39, 2, totalsfield::FreeMsg, "65535"},
                    ErasedField{"SelectedProduct", Answer::Status, 4, 4, 0, "-1"}),
    [](const testing::TestParamInfo<ErasedField>& param) { return std::string(param.param.name); });

TEST(ErasedScale, ReadsReportsAndShowsNormally)
{
    emu::ScaleState state;
    state.plu[3] = emu::PluRecord{};
    state.erased = {true, true, true};
    state.status.product = 0xFFFFFFFF;
    qmtest::StatusRig rig(qmtest::withState(state));

    Table table = makeTable(reportLayout());
    TableWriter sink(table);
    ASSERT_TRUE(readReportOne(rig.link, "3", sink, [] { return true; }));
    EXPECT_EQ(table.cell(1, 3) + " " + table.cell(1, 4), "??.??.?? ??:??:??");
    GeneralTotals totals;
    ASSERT_TRUE(GetTotal(rig.addressed(), totals));
    const ReportTotals f = totalsFields(totals);
    EXPECT_EQ(f[totalsfield::ClearedDate] + " " + f[totalsfield::ClearedTime], "??.??.?? ??:??:??");
    EXPECT_EQ(f[totalsfield::FreePlu] + " " + f[totalsfield::FreeMsg], "65535 65535");
    ValueHolder<ScaleStatus> status;
    ASSERT_TRUE(readScaleStatus(rig.link, status));
    EXPECT_EQ(status.value().product, -1);
    EXPECT_TRUE(rig.fb.failures.empty());
}

} // namespace
