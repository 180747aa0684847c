#include "products/ProductRanges.h"

#include <utility>

#include "common/IntText.h"
#include "products/ProductColumns.h"

namespace qm
{

namespace
{
const char* const kBadInput = "Проверьте правильность ввода параметров.";
const char* const kZeroRow = "Номер строки не может быть нулевым. Проверьте правильность ввода параметров.";
const char* const kTooManyRows =
    "В таблице товаров нет такого большого количества строк, проверьте правильность ввода параметров.";
const char* const kBadRowToRead =
    "Номер строки не может быть нулевым или больше 4000. Проверьте правильность ввода параметров.";
const char* const kBadCellToDelete =
    "Номер ячейки не может быть нулевым или больше 4000. Проверьте правильность ввода параметров.";

} // namespace

RangeCheck checkProductRange(ProductRangeKind kind, std::string_view firstText, std::string_view lastText, int dataRows)
{
    const auto first = intText(firstText);
    const auto last = intText(lastText);
    if (!first || !last)
        return RangeCheck::refuse(kBadInput);
    NumberRange r{*first, *last};
    switch (kind) {
    case ProductRangeKind::RowsToSend:
        // The dialog refuses row 0; a negative row (pasted text) is no row either.
        if (r.first < 1 || r.last < 1)
            return RangeCheck::refuse(kZeroRow);
        if (r.last < r.first)
            std::swap(r.first, r.last);
        if (r.last > dataRows)
            return RangeCheck::refuse(kTooManyRows);
        break;
    case ProductRangeKind::PluToRead:
    case ProductRangeKind::PluToDelete:
        if (r.first < 1 || r.first > kMaxPlu || r.last < 1 || r.last > kMaxPlu)
            return RangeCheck::refuse(kind == ProductRangeKind::PluToRead ? kBadRowToRead : kBadCellToDelete);
        if (r.last < r.first)
            std::swap(r.first, r.last);
        break;
    }
    return RangeCheck::accept(r.first, r.last);
}

} // namespace qm
