#include "settings/StatusCodec.h"

#include <tuple>

namespace qm
{

namespace
{

// Bits of the status byte; bits 1 and 4 are not used.
constexpr std::uint8_t kOverloadBit = 0x01;
constexpr std::uint8_t kTareBit = 0x04;
constexpr std::uint8_t kZeroBit = 0x08;
constexpr std::uint8_t kDualRangeBit = 0x20;
constexpr std::uint8_t kStableBit = 0x40;
constexpr std::uint8_t kNegativeBit = 0x80;

auto fields(const ScaleStatus& s)
{
    return std::tie(s.overload, s.tareSet, s.zeroWeight, s.dualRange, s.stable, s.weight, s.product, s.total, s.price);
}

} // namespace

bool ScaleStatus::operator==(const ScaleStatus& other) const
{
    return fields(*this) == fields(other);
}

std::int64_t readSigned32(const std::uint8_t* at)
{
    const std::uint32_t raw = static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
                              static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
    return static_cast<std::int32_t>(raw);
}

ScaleStatus decodeStatus(const std::uint8_t* bytes)
{
    const std::uint8_t bits = bytes[1];
    ScaleStatus s;
    s.overload = bits & kOverloadBit;
    s.tareSet = bits & kTareBit;
    s.zeroWeight = bits & kZeroBit;
    s.dualRange = bits & kDualRangeBit;
    s.stable = bits & kStableBit;
    const std::int64_t magnitude = bytes[2] | bytes[3] << 8;
    s.weight = (bits & kNegativeBit) ? -magnitude : magnitude;
    s.product = readSigned32(bytes + 4);
    s.total = readSigned32(bytes + 8);
    s.price = readSigned32(bytes + 12);
    return s;
}

} // namespace qm
