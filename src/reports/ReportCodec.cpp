#include "reports/ReportCodec.h"

namespace qm
{

GeneralTotals decodeGeneralTotals(const std::uint8_t* b)
{
    GeneralTotals t;
    t.runMm = static_cast<std::int32_t>(readSigned(b + 1, 4));
    t.labels = static_cast<std::int32_t>(readSigned(b + 5, 4));
    t.grandSum = static_cast<std::int32_t>(readSigned(b + 9, 4));
    t.grandCount = static_cast<std::uint32_t>(readBinary(b + 13, 3));
    t.grandWeight = static_cast<std::int32_t>(readSigned(b + 16, 4));
    t.pluSum = static_cast<std::int32_t>(readSigned(b + 20, 4));
    t.pluCount = static_cast<std::uint32_t>(readBinary(b + 24, 3));
    t.pluWeight = static_cast<std::int32_t>(readSigned(b + 27, 4));
    t.clearedTime = {b[31], b[32], b[33]};
    t.clearedDate = {b[34], b[35], b[36]};
    t.freePlu = static_cast<std::uint16_t>(readBinary(b + 37, 2));
    t.freeMsg = static_cast<std::uint16_t>(readBinary(b + 39, 2));
    return t;
}

Bytes encodeClearTotalPlu(std::int64_t plu)
{
    Bytes out{kClearTotalPlu};
    appendBinary(out, plu, 4);
    return out;
}

} // namespace qm
