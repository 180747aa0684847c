#include "common/RangeCheck.h"

#include <utility>

#include "common/IntText.h"

namespace qm
{

RangeCheck checkRange(const RangeRule& rule, std::string_view firstText, std::string_view lastText, int dataRows)
{
    const auto first = intText(firstText);
    const auto last = intText(lastText);
    if (!first || !last)
        return RangeCheck::refuse(rangetext::kNotNumbers);
    NumberRange range{*first, *last};
    if (range.first < rule.lowest || range.last < rule.lowest)
        return RangeCheck::refuse(rule.belowLowest);
    if (range.last < range.first)
        std::swap(range.first, range.last);
    const int highest = rule.highest == kRowsOfTable ? dataRows : rule.highest;
    if (range.last > highest)
        return RangeCheck::refuse(rule.aboveHighest);
    return RangeCheck::accept(range.first, range.last);
}

RangeRule tableRowsRule(TableId table)
{
    const char* const tooMany =
        table == TableId::Messages
            ? "В таблице сообщений нет такого большого количества строк, проверьте правильность ввода параметров."
            : "В таблице товаров нет такого большого количества строк, проверьте правильность ввода параметров.";
    return {1, kRowsOfTable, rangetext::kRowZero, tooMany};
}

RangeRule numbersRule(int highest, const char* message)
{
    return {1, highest, message, message};
}

} // namespace qm
