// The scale's 16-byte state record.
#include "FuzzRecord.h"
#include "settings/StatusCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (const auto record = qm::fuzz::exactRecord(data, size, qm::kStatusRecordSize); !record.empty()) {
        (void)qm::decodeStatus(record.data());
    }
    return 0;
}
