#pragma once
// What a compare of a table with a scale finds: the numbers only the table holds, the numbers
// only the scale holds, and the fields that differ. Both sides are rows of the table's layout
// keyed by their number (column 0), the table's rows already in the form the scale would store
// them, so that a table just sent compares equal. Texts are code page 1251, the column titles UTF-8.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/Table.h"
#include "common/TableLayouts.h"
#include "operation/ScaleOperation.h"

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

// The records a scale holds, read into `rows` (a table of the compare's layout) over `session`.
using ScaleRecordsRead = std::function<OperationResult(ScaleSession& session, int scaleNumber, TableSink& rows)>;

// The scale's side of a compare, then the compare: the frame (noScaleMessage when no scale is
// chosen), the records read by `read` over a session of its own on the line just opened, whose
// feedback keeps the person's cursor where it is, then compared with `table`. `result` is set
// only when the read ran to its end.
OperationResult compareWithScale(const ScaleLink& link, const std::string& noScaleMessage, const TableLayout& layout,
                                 const std::map<int, Row>& table, const ScaleRecordsRead& read,
                                 TableComparison& result);

} // namespace qm
