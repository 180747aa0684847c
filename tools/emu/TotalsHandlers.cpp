#include "TotalsHandlers.h"

namespace emu
{

namespace
{

void putSigned(Bytes& out, std::int32_t value)
{
    putLe(out, static_cast<std::uint32_t>(value), 4);
}

} // namespace

CommandResult readTotals(CommandContext& context, const Bytes&)
{
    const ScaleState& s = context.state;
    const TotalsValues& t = s.totals;
    // The sums over all products are what the product cells hold now, wrapped as the scale's
    // 32- and 24-bit counters wrap.
    std::uint32_t pluSum = 0, pluWeight = 0, pluCount = 0;
    for (const auto& [number, record] : s.plu) {
        pluSum += record.sum;
        pluWeight += record.weight;
        pluCount += record.sales;
    }
    Bytes answer{0x00};
    putSigned(answer, t.runMm);
    putSigned(answer, t.labels);
    putSigned(answer, t.grandSum);
    putLe(answer, t.grandCount, 3);
    putSigned(answer, t.grandWeight);
    putLe(answer, pluSum, 4);
    putLe(answer, pluCount & 0xFFFFFF, 3);
    putLe(answer, pluWeight, 4);
    if (s.erased.totalsClock) {
        answer.insert(answer.end(), 6, kErasedByte);
    } else {
        answer.insert(answer.end(), {toBcd(t.clearedHour), toBcd(t.clearedMinute), toBcd(t.clearedSecond)});
        answer.insert(answer.end(), {toBcd(t.clearedYear), toBcd(t.clearedMonth), toBcd(t.clearedDay)});
    }
    if (s.erased.freeCells) {
        answer.insert(answer.end(), 4, kErasedByte);
    } else {
        putLe(answer, kMaxPlu - static_cast<std::uint32_t>(s.plu.size()), 2);
        putLe(answer, kMaxMessage - static_cast<std::uint32_t>(s.messages.size()), 2);
    }
    context.event("general totals read");
    return {answer, false};
}

CommandResult clearTotalPlu(CommandContext& context, const Bytes& data)
{
    const std::uint32_t plu = getLe(data, 0, 4);
    const auto found = context.state.plu.find(plu);
    // A cell without a product has no totals to clear: the scale says so with the not-found byte.
    if (found == context.state.plu.end()) {
        context.event("PLU " + std::to_string(plu) + " totals: no such product");
        return {{kNotFound}, false};
    }
    PluRecord& r = found->second;
    const ClockFields& date = context.state.date; // day, month, year
    const ClockFields& time = context.state.time; // hours, minutes, seconds
    r.sum = r.weight = r.sales = 0;
    r.resetTime = time[0] + 100u * time[1] + 10000u * time[2];
    r.resetDate = 10000u * date[2] + 100u * date[1] + date[0];
    context.event("PLU " + std::to_string(plu) + " totals cleared");
    return {{kAck}, true};
}

CommandResult clearTotal(CommandContext& context, const Bytes&)
{
    TotalsValues& t = context.state.totals;
    t.grandSum = t.grandWeight = 0;
    t.grandCount = 0;
    t.clearedHour = context.state.time[0];
    t.clearedMinute = context.state.time[1];
    t.clearedSecond = context.state.time[2];
    t.clearedDay = context.state.date[0];
    t.clearedMonth = context.state.date[1];
    t.clearedYear = context.state.date[2];
    context.event("grand total cleared");
    return {{kAck}, true};
}

} // namespace emu
