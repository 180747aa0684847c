#include "ProductWire.h"

namespace emu
{

namespace
{

std::string text(const Bytes& data, std::size_t offset, std::size_t size)
{
    return std::string(data.begin() + static_cast<std::ptrdiff_t>(offset),
                       data.begin() + static_cast<std::ptrdiff_t>(offset + size));
}

void putText(Bytes& out, const std::string& field, std::size_t width)
{
    for (std::size_t i = 0; i < width; ++i)
        out.push_back(i < field.size() ? static_cast<std::uint8_t>(field[i]) : std::uint8_t{' '});
}

} // namespace

std::variant<WrittenRecord, std::string> decodeWrittenRecord(const Bytes& data)
{
    if (data.size() != kWrittenRecordSize)
        return std::string("record of ") + std::to_string(data.size()) + " bytes";
    WrittenRecord out;
    out.plu = getLe(data, 0, 4);
    const auto code = getDigits(data, 4, 6);
    if (!code)
        return std::string("product code digit above 9");
    const auto group = getDigits(data, 75, 6);
    if (!group)
        return std::string("group code digit above 9");
    const auto d = fromBcd(data[70]);
    const auto m = fromBcd(data[71]);
    const auto y = fromBcd(data[72]);
    if (!d || !m || !y)
        return std::string("shelf life byte not packed BCD");
    PluRecord& r = out.record;
    r.code = *code;
    r.name1 = text(data, 10, kNameWidth);
    r.name2 = text(data, 38, kNameWidth);
    r.price = getLe(data, 66, 4);
    r.shelf = *d * 10000 + *m * 100 + *y;
    r.tare = static_cast<std::uint16_t>(getLe(data, 73, 2));
    r.group = *group;
    r.message = static_cast<std::uint16_t>(getLe(data, 81, 2));
    return out;
}

Bytes encodeReadRecord(std::uint32_t plu, const PluRecord& r)
{
    Bytes out;
    out.reserve(kReadRecordSize);
    putLe(out, plu, 4);
    putDigits(out, r.code, 6);
    putText(out, r.name1, kNameWidth);
    putText(out, r.name2, kNameWidth);
    putLe(out, r.price, 4);
    out.push_back(toBcd(r.shelf / 10000));
    out.push_back(toBcd(r.shelf / 100 % 100));
    out.push_back(toBcd(r.shelf % 100));
    putLe(out, r.tare, 2);
    putDigits(out, r.group, 6);
    putLe(out, r.message, 2);
    out.push_back(toBcd(r.resetTime % 100));
    out.push_back(toBcd(r.resetTime / 100 % 100));
    out.push_back(toBcd(r.resetTime / 10000));
    out.push_back(toBcd(r.resetDate / 10000));
    out.push_back(toBcd(r.resetDate / 100 % 100));
    out.push_back(toBcd(r.resetDate % 100));
    putLe(out, r.sum, 4);
    putLe(out, r.weight, 4);
    putLe(out, r.sales, 3);
    return out;
}

} // namespace emu
