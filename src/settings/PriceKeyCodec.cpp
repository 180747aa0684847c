#include "settings/PriceKeyCodec.h"

#include "common/WireFields.h"

namespace qm
{

namespace
{

bool validKey(int key)
{
    return key >= 1 && key <= kPriceKeys;
}

} // namespace

std::optional<Bytes> encodePriceKeyRead(int key)
{
    if (!validKey(key))
        return std::nullopt;
    return Bytes{kReadPriceKey, static_cast<std::uint8_t>(key)};
}

std::optional<Bytes> encodePriceKeyWrite(std::int64_t cell, int key)
{
    if (!validKey(key) || !fitsBinary(cell, 4))
        return std::nullopt;
    Bytes out{kWritePriceKey};
    appendBinary(out, cell, 4);
    appendBinary(out, key, 1);
    return out;
}

std::optional<std::int64_t> decodePriceKey(const std::uint8_t* bytes)
{
    const std::int64_t cell = readSigned(bytes + 1, 4);
    if (cell == kFailedKeyRead)
        return std::nullopt;
    return cell;
}

} // namespace qm
