#pragma once
// Steps the product transfer operations share (internal to products/).

#include <string>

#include "common/Feedback.h"
#include "common/Table.h"
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

// Row check with the cursor on the failing cell and its message; true when the row passed.
bool checkRow(Feedback& feedback, const Table& products, int row);

// Prepares the row and sends it with SendPlu, the queue emptied and the scale addressed first.
// Every failure shows its message; the cursor stays on a cell that cannot be sent.
enum class RowSend { Sent, BadRow, NoScale, NoAck };
RowSend addressAndSend(ScaleSession& session, int scaleNumber, const Table& products, int row);

// A PLU number text of `Edit35`, 1..4000.
bool pluNumber(const std::string& text, int& plu);

// The rest of the send-table operation under virtual synchronisation, after the rows were
// checked (when asked): sort, cancel and set the range, then the paced loop.
TransferOutcome sendWithVirtualSync(const ProductLink& link, const ScaleTarget& target, const Table& products,
                                    const std::string& startTime, TableSink* sorted);

// The time of day, hours, minutes and seconds ("14:05:09").
std::string timeOfDay();

} // namespace steps
} // namespace qm
