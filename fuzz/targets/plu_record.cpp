// The scale's 100-byte product record (read answer), its check, and the report row made of it.
#include "FuzzRecord.h"
#include "products/PluCodec.h"
#include "reports/ReportRows.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto record = qm::fuzz::exactRecord(data, size, qm::kReadRecordSize);
    if (record.empty())
        return 0;
    // Asked for the number it carries, so that the check goes past the number into every field.
    (void)qm::isPluRecordOf(record.data(), qm::readBinary(record.data(), 4));
    const qm::PluRecord plu = qm::decodePluRecord(record.data());
    (void)qm::reportRow(plu);
    (void)qm::pluUnfitColumn(plu);
    return 0;
}
