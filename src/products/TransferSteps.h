#pragma once
// Steps the product transfer operations share (internal to products/).

#include <string>

#include "common/Feedback.h"
#include "common/Table.h"
#include "products/ProductRanges.h"
#include "products/ProductTransfer.h"

namespace qm
{

class TableSink;

namespace steps
{

// The end of a long operation: progress controls hidden, the cursor back on row 1.
void endLoop(Feedback& feedback);

// One empty data row, cursor on its first cell.
void clearTable(Feedback& feedback, TableSink& table);

// Row check with the cursor on the failing cell and its failure reported; Done when the row passed.
OperationResult checkRow(Feedback& feedback, const Table& products, int row);

// Prepares the row and sends it with SendPlu, the queue emptied and the scale addressed first.
// Every failure is reported; a row that cannot be sent fails naming its cell, with the cursor on it.
OperationResult addressAndSend(ScaleSession& session, int scaleNumber, const Table& products, int row);

// A range handed to a range operation, checked again as its dialog checks it: the table may
// have changed since. A refused range fails with the dialog's message.
OperationResult checkedRange(Feedback& feedback, ProductRangeKind kind, int first, int last, int dataRows,
                             NumberRange& range);

// A PLU number text of `Edit35`, 1..4000.
bool pluNumber(const std::string& text, int& plu);

// The rest of the send-table operation under virtual synchronisation, after the rows were
// checked (when asked): sort, cancel and set the range, then the paced loop.
OperationResult sendWithVirtualSync(const ProductLink& link, const ScaleTarget& target, const Table& products,
                                    const std::string& startTime, TableSink* sorted);

// The time of day, hours, minutes and seconds ("14:05:09").
std::string timeOfDay();

} // namespace steps
} // namespace qm
