#include "settings/StatusCommands.h"

#include "link/ScaleSession.h"
#include "settings/PriceKeyCodec.h"

namespace qm
{

namespace
{

constexpr int kReadWindowMs = 200;
constexpr int kKeyWriteWindowMs = 500;

} // namespace

bool GetStatus(ScaleSession& session, ScaleStatus& status)
{
    const auto answer = session.askRecord(Bytes{kReadStatus}, kStatusRecordSize, kReadWindowMs);
    if (!answer)
        return false;
    status = decodeStatus(answer->data());
    return true;
}

bool PrSet(ScaleSession& session, int key, std::int64_t& cell)
{
    const auto request = encodePriceKeyRead(key);
    if (!request)
        return false;
    const auto isKey = [](const std::uint8_t* bytes) { return decodePriceKey(bytes).has_value(); };
    const auto answer = session.askRecord(*request, kPriceKeyAnswerSize, kReadWindowMs, isKey);
    if (!answer)
        return false;
    cell = *decodePriceKey(answer->data());
    return true;
}

bool SendPrSet(ScaleSession& session, std::int64_t cell, int key)
{
    const auto request = encodePriceKeyWrite(cell, key);
    if (!request)
        return false;
    session.send(*request);
    return session.acknowledged(kKeyWriteWindowMs);
}

} // namespace qm
