#pragma once
// Row editing of the product, message and configuration tables: add, copy, insert, delete and
// renumber. `current` is the row of the table's cursor (1..last). Each returns true when the
// caller sets the table's modified flag; a current row outside the data rows changes nothing.

#include "common/Feedback.h"
#include "common/Table.h"

namespace qm
{

// An empty row at the end.
bool addRow(Table& table);
// The current row stands twice: at its place and just below.
bool copyRow(Table& table, int current);
// An empty row just below the current row.
bool insertRow(Table& table, int current);
// The only data row is emptied instead of removed.
bool deleteRow(Table& table, int current);

// Column 0 of each data row gets its row number, after the "ВНИМАНИЕ !" question (Yes/No) of
// the product or message table. `table` is TableId::Products or TableId::Messages.
bool renumberRows(Table& table, TableId id, Feedback& feedback);

} // namespace qm
