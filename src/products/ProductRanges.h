#pragma once
// The ranges of the product tab's dialogs ("Ввод параметров"), as rules of the one range check
// (common/RangeCheck.h): the rows of the table to send, and the PLU numbers to read or to delete
// in the scale. The window's dialogs, the operations and the command line share them.

#include "common/RangeCheck.h"

namespace qm
{

// The kinds in the order of productRange's table.
enum class ProductRangeKind {
    RowsToSend,  // rows of the product table: 1..number of data rows
    PluToRead,   // PLU numbers 1..4000
    PluToDelete, // PLU numbers 1..4000
};

const RangeRule& productRange(ProductRangeKind kind);

} // namespace qm
