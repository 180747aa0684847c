#pragma once
// Sorting a table's rows by the number in column 0 (products, messages, configuration; also run
// by the product transfers and automatic loading). Stable: rows with equal numbers keep their
// order, and the cells move unchanged. The order is the one repeated passes of neighbour
// exchanges give, reached in O(n log n).

#include <optional>

#include "common/Feedback.h"
#include "common/Table.h"

namespace qm
{

struct SortResult {
    bool modified = true; // the sort sets the modified flag whatever follows
    bool ok = true;
    int badRow = 0;                 // the first row whose number is no integer text
    std::optional<Failure> failure; // with !ok: the input error at that row's number
};

inline constexpr const char* kSortInputError = "Ошибка ввода данных в таблице.";

// A number that does not convert ends the sort where the first pass of neighbour exchanges
// would have met it: the exchanges that pass made before it stay made, the message shows and
// the cursor goes to column 0 of that row. `quiet` (auto mode) shows nothing and moves nothing:
// the failure is in the result.
SortResult sortRowsByNumber(Table& table, TableId id, Feedback& feedback, bool quiet = false);

} // namespace qm
