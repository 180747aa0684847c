#include "reports/ReportCodec.h"

#include <string>

#include "reports/ReportFormats.h"

namespace qm
{

namespace
{

std::int32_t signed32(const std::uint8_t* at)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(readBinary(at, 4)));
}

std::uint32_t unsigned24(const std::uint8_t* at)
{
    return static_cast<std::uint32_t>(readBinary(at, 3));
}

} // namespace

GeneralTotals decodeGeneralTotals(const std::uint8_t* b)
{
    GeneralTotals t;
    t.runMm = signed32(b + 1);
    t.labels = signed32(b + 5);
    t.grandSum = signed32(b + 9);
    t.grandCount = unsigned24(b + 13);
    t.grandWeight = signed32(b + 16);
    t.pluSum = signed32(b + 20);
    t.pluCount = unsigned24(b + 24);
    t.pluWeight = signed32(b + 27);
    t.clearedTime = {b[31], b[32], b[33]};
    t.clearedDate = {b[34], b[35], b[36]};
    t.freePlu = static_cast<std::uint16_t>(readBinary(b + 37, 2));
    t.freeMsg = static_cast<std::uint16_t>(readBinary(b + 39, 2));
    return t;
}

ReportTotals totalsFields(const GeneralTotals& t)
{
    ReportTotals f;
    f[totalsfield::RunMm] = std::to_string(t.runMm);
    f[totalsfield::Labels] = std::to_string(t.labels);
    f[totalsfield::ClearedDate] = clockDateText(t.clearedDate);
    f[totalsfield::ClearedTime] = clockTimeText(t.clearedTime);
    f[totalsfield::PluSum] = roublesText(t.pluSum);
    f[totalsfield::PluCount] = std::to_string(t.pluCount);
    f[totalsfield::PluWeight] = kilogramsText(t.pluWeight);
    f[totalsfield::GrandSum] = roublesText(t.grandSum);
    f[totalsfield::GrandCount] = std::to_string(t.grandCount);
    f[totalsfield::GrandWeight] = kilogramsText(t.grandWeight);
    f[totalsfield::FreePlu] = std::to_string(t.freePlu);
    f[totalsfield::FreeMsg] = std::to_string(t.freeMsg);
    return f;
}

ShownTotals shownTotals(const PluRecord& r)
{
    return {static_cast<std::int32_t>(static_cast<std::uint32_t>(r.totals.sum)),
            static_cast<std::int32_t>(static_cast<std::uint32_t>(r.totals.weight)), r.totals.sales};
}

Row reportRow(const PluRecord& r)
{
    const ShownTotals shown = shownTotals(r);
    return {std::to_string(r.plu),
            r.name1,
            r.name2,
            clockDateText(r.totals.resetDateBcd),
            clockTimeText(r.totals.resetTimeBcd),
            roublesText(shown.kopecks),
            kilogramsText(shown.grams),
            std::to_string(r.totals.sales)};
}

Bytes encodeClearTotalPlu(std::int64_t plu)
{
    Bytes out{kClearTotalPlu};
    appendBinary(out, plu, 4);
    return out;
}

} // namespace qm
