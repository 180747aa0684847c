#pragma once
// The checks of the product range dialogs ("Ввод параметров"): the rows of the table to send,
// and the PLU numbers to read or to delete in the scale. The window's dialogs and the command
// line share them.

#include <optional>
#include <string>
#include <string_view>

#include "common/RangeCheck.h"

namespace qm
{

enum class ProductRangeKind {
    RowsToSend,  // rows of the product table: 1..number of data rows
    PluToRead,   // PLU numbers 1..4000
    PluToDelete, // PLU numbers 1..4000
};

// Both texts are read as integer texts, then the dialog's bounds are checked in its order; a last
// number below the first is swapped with it. dataRows is the product table's number of data rows
// (only RowsToSend uses it).
RangeCheck checkProductRange(ProductRangeKind kind, std::string_view firstText, std::string_view lastText,
                             int dataRows = 0);

} // namespace qm
