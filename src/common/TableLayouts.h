#pragma once
// The six tables of the window: header texts (blanks are part of them), column widths in
// pixels, and the empty tables as the program starts with them. The columns by name are in
// common/TableColumns.h.

#include <string>
#include <vector>

#include "common/Table.h"
#include "common/TableColumns.h"

namespace qm
{

struct TableLayout {
    std::vector<std::string> headers; // UTF-8
    std::vector<int> widths;
    bool editable;
    int fixedColumns;
    // The most data rows the table can ever need (kMaxProductRows …): a file of the table holds
    // no more, and its readers stop there.
    int maxRows;
};

const TableLayout& productLayout();
const TableLayout& messageLayout();
const TableLayout& priceKeyLayout();
const TableLayout& configLayout();
const TableLayout& reportLayout();
const TableLayout& testLayout();

// The header of a column without its blanks ("№ PLU"), UTF-8.
std::string columnTitle(const TableLayout& layout, int column);

// An empty table of the layout (one empty data row), headers in code page 1251.
Table makeTable(const TableLayout& layout);
// The maxRows of the layout whose headers the table has; kMaxProductRows, the largest, for a
// table of headers of its own.
int maxRowsOf(const Table& table);
// The price-key table: 54 data rows with the key numbers "1".."54" in column 0.
Table makePriceKeyTable();

} // namespace qm
