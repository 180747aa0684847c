// The scale's user settings record (10 bytes) and shop name record (57 bytes).
#include "FuzzRecord.h"
#include "settings/UserSettingsCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (const auto record = qm::fuzz::exactRecord(data, size, qm::kUserSetRecordSize); !record.empty()) {
        (void)qm::isUserSetRecord(record.data());
        const qm::UserSettings settings = qm::decodeUserSet(record.data());
        (void)qm::encodeUserSetWrite(settings);
    }
    if (const auto record = qm::fuzz::exactRecord(data, size, qm::kShopRecordSize); !record.empty()) {
        const qm::ShopName shop = qm::decodeShop(record.data());
        (void)qm::encodeShopWrite(shop);
    }
    return 0;
}
