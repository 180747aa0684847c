#include "settings/FactoryCodec.h"

#include <tuple>

#include "common/WireFields.h"

namespace qm
{

namespace
{

int read16(const std::uint8_t* at)
{
    return static_cast<int>(readBinary(at, 2));
}

auto fields(const FactorySettings& f)
{
    return std::tie(f.capacity, f.weightPoint, f.pricePoint, f.totalPoint, f.dualRange, f.upperDivision,
                    f.lowerDivision, f.priceWeight, f.rounding, f.tareLimit);
}

} // namespace

bool FactorySettings::operator==(const FactorySettings& other) const
{
    return fields(*this) == fields(other);
}

FactorySettings decodeFactory(const std::uint8_t* bytes)
{
    FactorySettings f;
    f.capacity = read16(bytes + 1);
    f.weightPoint = bytes[3];
    f.pricePoint = bytes[4];
    f.totalPoint = bytes[5];
    f.dualRange = bytes[6] != 0;
    f.upperDivision = bytes[7];
    f.lowerDivision = bytes[8];
    f.priceWeight = read16(bytes + 9);
    f.rounding = bytes[11];
    f.tareLimit = read16(bytes + 12);
    return f;
}

} // namespace qm
