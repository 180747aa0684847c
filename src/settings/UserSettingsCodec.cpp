#include "settings/UserSettingsCodec.h"

#include <tuple>

#include "common/WireFields.h"

namespace qm
{

namespace
{

auto fields(const UserSettings& s)
{
    return std::tie(s.department, s.labelFormat, s.barcodeFormat, s.printOffset, s.options, s.minWeight);
}

// Tens then units of each of the three fields.
std::optional<Bytes> encodePairs(std::uint8_t command, int first, int second, int third)
{
    Bytes out{command};
    for (const int value : {first, second, third}) {
        if (!fitsDigits(value, 2))
            return std::nullopt;
        appendDigits(out, value, 2, Order::HighFirst);
    }
    return out;
}

} // namespace

bool UserSettings::operator==(const UserSettings& other) const
{
    return fields(*this) == fields(other);
}

std::optional<Bytes> encodeUserSetWrite(const UserSettings& settings)
{
    if (!fitsDigits(settings.department, 3) || !fitsBinary(settings.minWeight, 2))
        return std::nullopt;
    Bytes out{kWriteUserSet};
    appendDigits(out, settings.department, 3);
    // The one-byte fields keep their values' low eight bits.
    for (const int byte : {settings.labelFormat, settings.barcodeFormat, settings.printOffset, settings.options})
        appendBinary(out, byte, 1);
    appendBinary(out, settings.minWeight, 2);
    return out;
}

UserSettings decodeUserSet(const std::uint8_t* bytes)
{
    UserSettings s;
    s.department = static_cast<int>(readDigits(bytes + 1, 3));
    s.labelFormat = bytes[4];
    s.barcodeFormat = bytes[5];
    s.printOffset = bytes[6];
    s.options = bytes[7];
    s.minWeight = static_cast<int>(readBinary(bytes + 8, 2));
    return s;
}

bool isUserSetRecord(const std::uint8_t* bytes)
{
    return areDigitBytes(bytes + 1, 3);
}

Bytes encodeShopWrite(const ShopName& shop)
{
    Bytes out{kWriteShop};
    appendScaleText(out, shop.line1, kShopLineWidth);
    appendScaleText(out, shop.line2, kShopLineWidth);
    return out;
}

ShopName decodeShop(const std::uint8_t* bytes)
{
    return ShopName{readScaleText(bytes + 1, kShopLineWidth, NulByte::Blank),
                    readScaleText(bytes + 1 + kShopLineWidth, kShopLineWidth, NulByte::Blank)};
}

std::optional<Bytes> encodeDate(const ScaleDate& date)
{
    return encodePairs(kWriteDate, date.day, date.month, date.year);
}

std::optional<Bytes> encodeTime(const ScaleTime& time)
{
    return encodePairs(kWriteTime, time.hours, time.minutes, time.seconds);
}

} // namespace qm
