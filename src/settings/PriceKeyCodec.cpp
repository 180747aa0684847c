#include "settings/PriceKeyCodec.h"

#include "settings/StatusCodec.h"

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
    if (!validKey(key) || cell < 0 || cell > 0xFFFFFFFFLL)
        return std::nullopt;
    Bytes out{kWritePriceKey};
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(cell >> (8 * i)));
    out.push_back(static_cast<std::uint8_t>(key));
    return out;
}

std::optional<std::int64_t> decodePriceKey(const std::uint8_t* bytes)
{
    const std::int64_t cell = readSigned32(bytes + 1);
    if (cell == kFailedKeyRead)
        return std::nullopt;
    return cell;
}

} // namespace qm
