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

ProductRangeCheck refused(const char* message)
{
    ProductRangeCheck r;
    r.message = message;
    return r;
}
} // namespace

ProductRangeCheck checkProductRange(ProductRangeKind kind, std::string_view firstText, std::string_view lastText,
                                    int dataRows)
{
    const auto first = intText(firstText);
    const auto last = intText(lastText);
    if (!first || !last)
        return refused(kBadInput);
    ProductRangeCheck r;
    r.first = *first;
    r.last = *last;
    switch (kind) {
    case ProductRangeKind::RowsToSend:
        // The dialog refuses row 0; a negative row (pasted text) is no row either.
        if (r.first < 1 || r.last < 1)
            return refused(kZeroRow);
        if (r.last < r.first)
            std::swap(r.first, r.last);
        if (r.last > dataRows)
            return refused(kTooManyRows);
        break;
    case ProductRangeKind::PluToRead:
    case ProductRangeKind::PluToDelete:
        if (r.first < 1 || r.first > kMaxPlu || r.last < 1 || r.last > kMaxPlu)
            return refused(kind == ProductRangeKind::PluToRead ? kBadRowToRead : kBadCellToDelete);
        if (r.last < r.first)
            std::swap(r.first, r.last);
        break;
    }
    r.ok = true;
    return r;
}

} // namespace qm
