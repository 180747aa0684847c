// The scale's 41-byte general totals record and the twelve fields shown of it.
#include "FuzzRecord.h"
#include "reports/ReportRows.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (const auto record = qm::fuzz::exactRecord(data, size, qm::kGeneralTotalsSize); !record.empty()) {
        (void)qm::totalsFields(qm::decodeGeneralTotals(record.data()));
    }
    return 0;
}
