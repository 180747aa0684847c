#include "ScaleState.h"

#include <tuple>

namespace emu
{

namespace
{

auto fields(const PluRecord& r)
{
    return std::tie(r.code, r.name1, r.name2, r.price, r.shelf, r.tare, r.group, r.message, r.resetTime, r.resetDate,
                    r.sum, r.weight, r.sales);
}

} // namespace

bool PluRecord::operator==(const PluRecord& other) const
{
    return fields(*this) == fields(other);
}

bool UserSettings::operator==(const UserSettings& other) const
{
    return std::tie(department, labelFormat, barcodeFormat, printOffset, options, minWeight) ==
           std::tie(other.department, other.labelFormat, other.barcodeFormat, other.printOffset, other.options,
                    other.minWeight);
}

MessageLines blankMessage()
{
    MessageLines lines;
    lines.fill(std::string(kLineWidth, ' '));
    return lines;
}

bool ScaleState::operator==(const ScaleState& other) const
{
    return number == other.number && plu == other.plu && messages == other.messages && range == other.range &&
           user == other.user && shop1 == other.shop1 && shop2 == other.shop2 && date == other.date &&
           time == other.time && status == other.status && priceKeys == other.priceKeys && factory == other.factory &&
           logo == other.logo && totals == other.totals && erased == other.erased;
}

bool ErasedMemory::operator==(const ErasedMemory& other) const
{
    return std::tie(productClock, totalsClock, freeCells) ==
           std::tie(other.productClock, other.totalsClock, other.freeCells);
}

bool StatusValues::operator==(const StatusValues& other) const
{
    return std::tie(flags, weight, product, total, price) ==
           std::tie(other.flags, other.weight, other.product, other.total, other.price);
}

namespace
{

auto fields(const FactoryValues& f)
{
    return std::tie(f.capacity, f.weightPoint, f.pricePoint, f.totalPoint, f.dualRange, f.upperDivision,
                    f.lowerDivision, f.priceWeight, f.rounding, f.tareLimit);
}

} // namespace

bool FactoryValues::operator==(const FactoryValues& other) const
{
    return fields(*this) == fields(other);
}

namespace
{

auto fields(const TotalsValues& t)
{
    return std::tie(t.runMm, t.labels, t.grandSum, t.grandCount, t.grandWeight, t.clearedHour, t.clearedMinute,
                    t.clearedSecond, t.clearedDay, t.clearedMonth, t.clearedYear);
}

} // namespace

bool TotalsValues::operator==(const TotalsValues& other) const
{
    return fields(*this) == fields(other);
}

} // namespace emu
