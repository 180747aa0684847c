// A scale with erased memory sends 0xFF in the fields the program only shows: the reset clock of a
// product, the clearing clock and free-cell counts of the general totals, the selected product of
// the status. Such answers are records, and each field is shown as it came (a BCD nibble above 9
// as "?", a signed number with its sign): byte for byte, and read from the emulated scale.
#include <gtest/gtest.h>

#include <functional>

#include "common/TableLayouts.h"
#include "common/TableSink.h"
#include "products/PluCodec.h"
#include "products/ProductCommands.h"
#include "reports/ReportCodec.h"
#include "reports/ReportCommands.h"
#include "reports/ReportTransfer.h"
#include "settings/StatusCommands.h"
#include "settings/StatusRig.h"
#include "settings/StatusTransfer.h"

using namespace qm;

namespace
{

template <typename Case> std::string caseName(const testing::TestParamInfo<Case>& info)
{
    return info.param.name;
}

// A product record of PLU 42 as the scale sends it: the written record, then zero totals.
Bytes productRecord()
{
    PluRecord r;
    r.plu = 42;
    r.name1 = "Tea";
    r.code = 123;
    r.group = 7;
    r.shelf = 365;
    const Bytes written = *encodePluWrite(r);
    Bytes record(written.begin() + 1, written.end());
    record.resize(kReadRecordSize, 0x00);
    return record;
}

std::string reportCell(const Bytes& b, int column)
{
    return reportRow(decodePluRecord(b.data()))[static_cast<size_t>(column)];
}

std::string totalsField(const Bytes& b, int field)
{
    return totalsFields(decodeGeneralTotals(b.data()))[static_cast<size_t>(field)];
}

struct ErasedBytes {
    const char* name;
    Bytes record;
    size_t from;
    size_t count;
    std::function<bool(const Bytes&)> isRecord;
    std::function<std::string(const Bytes&)> shown;
    std::string expected;
};

[[maybe_unused]] void PrintTo(const ErasedBytes& c, std::ostream* os)
{
    *os << c.name;
}

const std::vector<ErasedBytes>& erasedBytes()
{
    const auto plu = [](const Bytes& b) { return isPluRecordOf(b.data(), 42); };
    const auto totals = [](const Bytes& b) { return isGeneralTotalsRecord(b.data()); };
    const Bytes zeroTotals(kGeneralTotalsSize, 0x00);
    static const std::vector<ErasedBytes> cases{
        {"ProductResetTime", productRecord(), 83, 3, plu, [](const Bytes& b) { return reportCell(b, 4); }, "??:??:??"},
        {"ProductResetDate", productRecord(), 86, 3, plu, [](const Bytes& b) { return reportCell(b, 3); }, "??.??.??"},
        {"TotalsClearedTime", zeroTotals, 31, 3, totals,
         [](const Bytes& b) { return totalsField(b, totalsfield::ClearedTime); }, "??:??:??"},
        {"TotalsClearedDate", zeroTotals, 34, 3, totals,
         [](const Bytes& b) { return totalsField(b, totalsfield::ClearedDate); }, "??.??.??"},
        {"FreeProductCells", zeroTotals, 37, 2, totals,
         [](const Bytes& b) { return totalsField(b, totalsfield::FreePlu); }, "65535"},
        {"FreeMessageCells", zeroTotals, 39, 2, totals,
         [](const Bytes& b) { return totalsField(b, totalsfield::FreeMsg); }, "65535"},
        {"SelectedProduct", Bytes(kStatusRecordSize, 0x00), 4, 4,
         [](const Bytes& b) { return isStatusRecord(b.data()); },
         [](const Bytes& b) { return std::to_string(decodeStatus(b.data()).product); }, "-1"},
    };
    return cases;
}

class ErasedField : public testing::TestWithParam<ErasedBytes>
{
};

TEST_P(ErasedField, IsARecordAndShownAsSent)
{
    const ErasedBytes& c = GetParam();
    Bytes erased = c.record;
    ASSERT_TRUE(c.isRecord(erased));
    ASSERT_NE(c.shown(erased), c.expected);
    std::fill_n(erased.begin() + static_cast<std::ptrdiff_t>(c.from), c.count, std::uint8_t{0xFF});
    EXPECT_TRUE(c.isRecord(erased));
    EXPECT_EQ(c.shown(erased), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Answers, ErasedField, testing::ValuesIn(erasedBytes()), caseName<ErasedBytes>);

// The same fields erased in the emulated scale, read by the operations that show them.
struct ErasedScale {
    const char* name;
    std::function<void(emu::ScaleState&)> erase;
    std::function<std::string(qmtest::StatusRig&)> read; // what is shown, or "failed"
    std::string expected;
};

[[maybe_unused]] void PrintTo(const ErasedScale& c, std::ostream* os)
{
    *os << c.name;
}

std::string reportRowRead(qmtest::StatusRig& rig)
{
    Table table = makeTable(reportLayout());
    TableWriter sink(table);
    if (!readReportOne(rig.link(), "3", sink, [] { return true; }))
        return "failed";
    return table.cell(1, 3) + " " + table.cell(1, 4);
}

std::string totalsRead(qmtest::StatusRig& rig)
{
    GeneralTotals totals;
    if (!GetTotal(rig.addressed(), totals))
        return "failed";
    const ReportTotals f = totalsFields(totals);
    return f[totalsfield::ClearedDate] + " " + f[totalsfield::ClearedTime] + " " + f[totalsfield::FreePlu] + " " +
           f[totalsfield::FreeMsg];
}

std::string statusRead(qmtest::StatusRig& rig)
{
    ScaleStatus status;
    if (!readScaleStatus(rig.link(), status))
        return "failed";
    return std::to_string(status.product);
}

const std::vector<ErasedScale>& erasedScales()
{
    static const std::vector<ErasedScale> cases{
        {"ProductClock", [](emu::ScaleState& s) { s.erased.productClock = true; }, reportRowRead, "??.??.?? ??:??:??"},
        {"TotalsClock", [](emu::ScaleState& s) { s.erased.totalsClock = true; }, totalsRead,
         "??.??.?? ??:??:?? 3999 1000"},
        {"FreeCells", [](emu::ScaleState& s) { s.erased.freeCells = true; }, totalsRead,
         "01.01.00 00:00:00 65535 65535"},
        {"SelectedProduct", [](emu::ScaleState& s) { s.status.product = 0xFFFFFFFF; }, statusRead, "-1"},
    };
    return cases;
}

class ErasedScaleField : public testing::TestWithParam<ErasedScale>
{
};

TEST_P(ErasedScaleField, ReadsAndShowsAsSent)
{
    const ErasedScale& c = GetParam();
    emu::ScaleState state;
    state.plu[3] = emu::PluRecord{};
    c.erase(state);
    qmtest::StatusRig rig(qmtest::withState(state));
    EXPECT_EQ(c.read(rig), c.expected);
    EXPECT_TRUE(rig.fb.failures.empty());
}

INSTANTIATE_TEST_SUITE_P(Emulator, ErasedScaleField, testing::ValuesIn(erasedScales()), caseName<ErasedScale>);

} // namespace
