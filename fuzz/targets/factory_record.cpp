// The scale's 14-byte factory settings record, with the decimal point patterns it names.
#include "FuzzRecord.h"
#include "settings/FactoryCodec.h"
#include "settings/SettingsShown.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto record = qm::fuzz::exactRecord(data, size, qm::kFactoryRecordSize);
    if (record.empty())
        return 0;
    const qm::FactorySettings factory = qm::decodeFactory(record.data());
    (void)qm::decimalPointPattern(factory.weightPoint);
    (void)qm::decimalPointPattern(factory.pricePoint);
    (void)qm::decimalPointPattern(factory.totalPoint);
    return 0;
}
