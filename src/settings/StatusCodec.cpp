#include "settings/StatusCodec.h"

#include <tuple>

#include "common/WireFields.h"

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

ScaleStatus decodeStatus(const std::uint8_t* bytes)
{
    const std::uint8_t bits = bytes[1];
    ScaleStatus s;
    s.overload = bits & kOverloadBit;
    s.tareSet = bits & kTareBit;
    s.zeroWeight = bits & kZeroBit;
    s.dualRange = bits & kDualRangeBit;
    s.stable = bits & kStableBit;
    const std::int64_t magnitude = readBinary(bytes + 2, 2);
    s.weight = (bits & kNegativeBit) ? -magnitude : magnitude;
    s.product = readSigned(bytes + 4, 4);
    s.total = readSigned(bytes + 8, 4);
    s.price = readSigned(bytes + 12, 4);
    return s;
}

} // namespace qm
