#include "files/ReportSummary.h"

#include "common/DecimalText.h"

namespace qm
{

namespace
{

// A figure no scale can hold (its fields are 32 bits): a hand-edited file's. Below it, 4000
// rows add up well inside 64 bits.
constexpr std::int64_t kLargest = 1'000'000'000'000'000;

bool plausible(const std::optional<std::int64_t>& value)
{
    return value && *value<kLargest&& * value> - kLargest;
}

} // namespace

std::optional<PluSummary> pluSummary(const Table& report)
{
    if (report.columnCount() <= kReportSalesColumn)
        return std::nullopt;
    std::int64_t kopecks = 0, grams = 0, sales = 0;
    bool any = false;
    for (int r = 1; r <= report.lastRow(); ++r) {
        if (report.cell(r, 0).empty())
            continue; // the empty row a read leaves behind
        const auto sum = decimalValue(report.cell(r, kReportSumColumn), kKopecksPerRouble);
        const auto weight = decimalValue(report.cell(r, kReportWeightColumn), kGramsPerKilogram);
        const auto count = decimalValue(report.cell(r, kReportSalesColumn), 1);
        if (!plausible(sum) || !plausible(weight) || !plausible(count))
            return std::nullopt;
        kopecks += *sum;
        grams += *weight;
        sales += *count;
        any = true;
    }
    if (!any)
        return std::nullopt;
    return PluSummary{roublesText(kopecks), std::to_string(sales), kilogramsText(grams)};
}

ReportTotals withPluSummary(ReportTotals totals, const Table& report)
{
    if (const auto summary = pluSummary(report)) {
        totals[totalsfield::PluSum] = summary->sum;
        totals[totalsfield::PluCount] = summary->sales;
        totals[totalsfield::PluWeight] = summary->weight;
    }
    return totals;
}

} // namespace qm
