#pragma once
// What a compare of a table with a scale finds: the numbers only the table holds, the numbers
// only the scale holds, and the fields that differ. Both sides are rows of the table's layout
// keyed by their number (column 0), the table's rows already in the form the scale would store
// them, so that a table just sent compares equal. Texts are code page 1251, the column titles UTF-8.

#include <map>
#include <string>
#include <vector>

#include "common/Table.h"
#include "common/TableLayouts.h"

namespace qm
{

struct FieldDifference {
    int number = 0;
    std::string field;      // the column's title, UTF-8
    std::string tableValue; // code page 1251
    std::string scaleValue;
};

struct TableComparison {
    std::vector<int> onlyInTable;
    std::vector<int> onlyInScale;
    std::vector<FieldDifference> fields;

    bool equal() const { return onlyInTable.empty() && onlyInScale.empty() && fields.empty(); }
};

// Compares cell by cell from column 1 on; numbers ascending, fields in column order.
TableComparison compareRows(const TableLayout& layout, const std::map<int, Row>& table,
                            const std::map<int, Row>& scale);

} // namespace qm
