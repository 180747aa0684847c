#pragma once
// The report's "По всем PLU" figures (total sum, number of sales, total weight) taken from the
// report table itself, wherever the table is shown or printed. Kept apart from the table they
// would go stale on any read that fills one and not the other; derived, they always add up to
// the rows beside them.

#include <optional>

#include "common/Table.h"
#include "files/ReportFile.h"

namespace qm
{

// Report table columns whose figures the summary adds up.
inline constexpr int kReportSumColumn = 5;    // roubles
inline constexpr int kReportWeightColumn = 6; // kilograms
inline constexpr int kReportSalesColumn = 7;  // count

struct PluSummary {
    std::string sum; // the field texts, as the scale's own totals are written
    std::string sales;
    std::string weight;
};

// The sums of the rows that hold a PLU number. nullopt when there is no such row (a new table,
// or only the general totals read: the fields keep the scale's or the file's figures) or when a
// figure is no number (a file edited by hand: nothing is made up).
std::optional<PluSummary> pluSummary(const Table& report);

// `totals` with its PluSum, PluCount and PluWeight fields taken from the table where it has them.
ReportTotals withPluSummary(ReportTotals totals, const Table& report);

} // namespace qm
