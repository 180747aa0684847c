#include "products/PluCodec.h"

#include "common/ScaleCodePage.h"
#include "common/TableColumns.h"

namespace qm
{

namespace
{

// Positions 25..28 of a name (from 1) carry the logo marker.
constexpr size_t kMarker = 24;

} // namespace

std::optional<int> pluUnfitColumn(const PluRecord& r)
{
    if (!fitsBinary(r.plu, 4))
        return plucol::Plu;
    if (!fitsBinary(r.price, 4))
        return plucol::Price;
    if (!fitsDigits(r.shelf, 6))
        return plucol::Shelf;
    if (!fitsBinary(r.tare, 2))
        return plucol::Tare;
    if (!fitsDigits(r.code, 6))
        return plucol::Code;
    if (!fitsDigits(r.group, 6))
        return plucol::Group;
    if (!fitsBinary(r.message, 2))
        return plucol::Message;
    // The logo byte goes through the code page conversion with the names: only a byte that the
    // conversion leaves alone arrives as itself.
    if (!fitsBinary(r.logo, 1) || toScaleByte(static_cast<std::uint8_t>(r.logo)) != r.logo)
        return plucol::Logo;
    return std::nullopt;
}

Bytes encodeName(const std::string& name, std::int64_t logo, const std::string& cert, bool second)
{
    std::string field = fieldText(name, kNameWidth);
    if (logo != 0) {
        const std::string c = fieldText(cert, kCertWidth);
        field[kMarker] = '\0';
        field[kMarker + 1] = static_cast<char>(logo);
        field[kMarker + 2] = second ? c[0] : c[1];
        field[kMarker + 3] = second ? c[2] : c[3];
    }
    Bytes out;
    appendScaleText(out, field, kNameWidth);
    return out;
}

Bytes encodeShelfLife(std::int64_t v)
{
    Bytes out;
    appendBcd(out, v, 3, Order::HighFirst);
    return out;
}

std::optional<Bytes> encodePluWrite(const PluRecord& r)
{
    if (pluUnfitColumn(r))
        return std::nullopt;
    Bytes out{kWritePlu};
    out.reserve(1 + kWrittenRecordSize);
    appendBinary(out, r.plu, 4);
    appendDigits(out, r.code, 6);
    const Bytes n1 = encodeName(r.name1, r.logo, r.cert, false);
    const Bytes n2 = encodeName(r.name2, r.logo, r.cert, true);
    out.insert(out.end(), n1.begin(), n1.end());
    out.insert(out.end(), n2.begin(), n2.end());
    appendBinary(out, r.price, 4);
    appendBcd(out, r.shelf, 3, Order::HighFirst);
    appendBinary(out, r.tare, 2);
    appendDigits(out, r.group, 6);
    appendBinary(out, r.message, 2);
    return out;
}

std::optional<Bytes> encodePluCommand(std::uint8_t command, std::int64_t plu)
{
    if (!fitsBinary(plu, 4))
        return std::nullopt;
    Bytes out{command};
    appendBinary(out, plu, 4);
    return out;
}

std::optional<Bytes> encodeSetRange(std::int64_t first, std::int64_t last)
{
    if (!fitsBinary(first, 4) || !fitsBinary(last, 4))
        return std::nullopt;
    Bytes out{kSetRange};
    appendBinary(out, first, 4);
    appendBinary(out, last, 4);
    return out;
}

void decodeShelfLife(const std::uint8_t* b, std::int64_t& value, bool& isDate)
{
    isDate = b[0] != 0x00;
    if (isDate)
        value = readBcd(b, 3, Order::HighFirst);
    else
        value = 100 * b[1] + bcdValue(b[2]);
}

bool isPluRecordOf(const std::uint8_t* b, std::int64_t plu)
{
    if (readBinary(b, 4) != plu)
        return false;
    // A shelf life starting 0x00 is a count whose middle byte is a plain number (see decodeShelfLife).
    const bool shelf = isBcdByte(b[72]) && (b[70] == 0x00 || (isBcdByte(b[70]) && isBcdByte(b[71])));
    return areDigitBytes(b + 4, 6) && areDigitBytes(b + 75, 6) && shelf;
}

PluRecord decodePluRecord(const std::uint8_t* b)
{
    PluRecord r;
    r.plu = readBinary(b, 4);
    r.code = readDigits(b + 4, 6);
    r.name1 = readScaleText(b + 10, kNameWidth, NulByte::Keep);
    r.name2 = readScaleText(b + 38, kNameWidth, NulByte::Keep);
    r.price = readBinary(b + 66, 4);
    decodeShelfLife(b + 70, r.shelf, r.shelfIsDate);
    r.tare = readBinary(b + 73, 2);
    r.group = readDigits(b + 75, 6);
    r.message = readBinary(b + 81, 2);
    r.totals.resetTime = readBcd(b + 83, 3, Order::LowFirst);
    r.totals.resetDate = readBcd(b + 86, 3, Order::HighFirst);
    r.totals.resetTimeBcd = {b[83], b[84], b[85]};
    r.totals.resetDateBcd = {b[86], b[87], b[88]};
    r.totals.sum = readBinary(b + 89, 4);
    r.totals.weight = readBinary(b + 93, 4);
    r.totals.sales = readBinary(b + 97, 3);

    if (r.name1[kMarker] == '\0' && r.name2[kMarker] == '\0') {
        r.logo = static_cast<std::uint8_t>(r.name1[kMarker + 1]);
        r.cert = {r.name2[kMarker + 2], r.name1[kMarker + 2], r.name2[kMarker + 3], r.name1[kMarker + 3]};
        r.name1.replace(kMarker, 4, 4, ' ');
        r.name2.replace(kMarker, 4, 4, ' ');
    }
    return r;
}

} // namespace qm
