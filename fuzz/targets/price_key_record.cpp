// The scale's 5-byte answer to a price key read.
#include "FuzzRecord.h"
#include "settings/PriceKeyCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (const auto record = qm::fuzz::exactRecord(data, size, qm::kPriceKeyAnswerSize); !record.empty())
        (void)qm::decodePriceKey(record.data());
    return 0;
}
