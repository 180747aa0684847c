#include "reports/ReportRows.h"

#include "common/WireFields.h"

namespace qm
{

std::string bcdPairText(std::uint8_t byte)
{
    auto digit = [](int nibble) { return nibble <= 9 ? static_cast<char>('0' + nibble) : '?'; };
    const BcdNibbles n = bcdNibbles(byte);
    return {digit(n.high), digit(n.low)};
}

std::string clockTimeText(const std::array<std::uint8_t, 3>& hms)
{
    return bcdPairText(hms[0]) + ":" + bcdPairText(hms[1]) + ":" + bcdPairText(hms[2]);
}

std::string clockDateText(const std::array<std::uint8_t, 3>& ymd)
{
    return bcdPairText(ymd[2]) + "." + bcdPairText(ymd[1]) + "." + bcdPairText(ymd[0]);
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

} // namespace qm
