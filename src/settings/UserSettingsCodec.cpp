#include "settings/UserSettingsCodec.h"

#include <tuple>

#include "common/ScaleCodePage.h"

namespace qm
{

namespace
{

auto fields(const UserSettings& s)
{
    return std::tie(s.department, s.labelFormat, s.barcodeFormat, s.printOffset, s.options, s.minWeight);
}

std::uint8_t lowByte(int value)
{
    return static_cast<std::uint8_t>(value & 0xFF);
}

void appendLine(Bytes& out, const std::string& line)
{
    std::string field = line.substr(0, kShopLineWidth);
    field.resize(kShopLineWidth, ' ');
    for (const char c : toScale(field))
        out.push_back(static_cast<std::uint8_t>(c));
}

std::string readLine(const std::uint8_t* at)
{
    std::string line;
    for (int i = 0; i < kShopLineWidth; ++i)
        line.push_back(static_cast<char>(at[i] == 0x00 ? ' ' : fromScaleByte(at[i])));
    return line;
}

// Tens then units of each of the three fields.
std::optional<Bytes> encodePairs(std::uint8_t command, int first, int second, int third)
{
    Bytes out{command};
    for (const int value : {first, second, third}) {
        if (value < 0 || value > 99)
            return std::nullopt;
        out.push_back(static_cast<std::uint8_t>(value / 10));
        out.push_back(static_cast<std::uint8_t>(value % 10));
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
    if (settings.department < 0 || settings.department > 999 || settings.minWeight < 0 || settings.minWeight > 0xFFFF)
        return std::nullopt;
    return Bytes{kWriteUserSet,
                 static_cast<std::uint8_t>(settings.department % 10),
                 static_cast<std::uint8_t>(settings.department / 10 % 10),
                 static_cast<std::uint8_t>(settings.department / 100),
                 lowByte(settings.labelFormat),
                 lowByte(settings.barcodeFormat),
                 lowByte(settings.printOffset),
                 lowByte(settings.options),
                 lowByte(settings.minWeight),
                 lowByte(settings.minWeight >> 8)};
}

UserSettings decodeUserSet(const std::uint8_t* bytes)
{
    UserSettings s;
    s.department = bytes[3] * 100 + bytes[2] * 10 + bytes[1];
    s.labelFormat = bytes[4];
    s.barcodeFormat = bytes[5];
    s.printOffset = bytes[6];
    s.options = bytes[7];
    s.minWeight = bytes[9] * 256 + bytes[8];
    return s;
}

bool isUserSetRecord(const std::uint8_t* bytes)
{
    return bytes[1] <= 9 && bytes[2] <= 9 && bytes[3] <= 9;
}

Bytes encodeShopWrite(const ShopName& shop)
{
    Bytes out{kWriteShop};
    appendLine(out, shop.line1);
    appendLine(out, shop.line2);
    return out;
}

std::string shownShopLine(const std::string& line)
{
    std::string shown = line.substr(0, kShopLineWidth);
    shown.erase(shown.find_last_not_of(' ') + 1);
    return shown;
}

ShopName decodeShop(const std::uint8_t* bytes)
{
    return ShopName{readLine(bytes + 1), readLine(bytes + 1 + kShopLineWidth)};
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
