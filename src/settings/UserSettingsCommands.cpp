#include "settings/UserSettingsCommands.h"

#include "link/ScaleSession.h"

namespace qm
{

namespace
{
constexpr int kReadWindowMs = 200;
constexpr int kWriteWindowMs = 500;

bool sendForAck(ScaleSession& session, const std::optional<Bytes>& request)
{
    if (!request)
        return false;
    session.send(*request);
    return session.acknowledged(kWriteWindowMs);
}

} // namespace

bool GetUserSet(ScaleSession& session, UserSettings& settings)
{
    const auto record = session.askRecord(Bytes{kReadUserSet}, kUserSetRecordSize, kReadWindowMs, isUserSetRecord);
    if (!record)
        return false;
    settings = decodeUserSet(record->data());
    return true;
}

bool SendUserSet(ScaleSession& session, const UserSettings& settings)
{
    return sendForAck(session, encodeUserSetWrite(settings));
}

bool GetShop(ScaleSession& session, ShopName& shop)
{
    const auto record = session.askRecord(Bytes{kReadShop}, kShopRecordSize, kReadWindowMs);
    if (!record)
        return false;
    shop = decodeShop(record->data());
    return true;
}

bool SendShop(ScaleSession& session, const ShopName& shop)
{
    return sendForAck(session, encodeShopWrite(shop));
}

bool SendDate(ScaleSession& session, const ScaleDate& date)
{
    return sendForAck(session, encodeDate(date));
}

bool SendTime(ScaleSession& session, const ScaleTime& time)
{
    return sendForAck(session, encodeTime(time));
}

} // namespace qm
