#include "reports/TotalsWriter.h"

#include "common/DecimalText.h"

namespace qm
{

void setPluSums(ReportTotals& fields, const ShownTotals& sums)
{
    fields[totalsfield::PluSum] = roublesText(sums.kopecks);
    fields[totalsfield::PluCount] = std::to_string(sums.sales);
    fields[totalsfield::PluWeight] = kilogramsText(sums.grams);
}

} // namespace qm
