#pragma once
// Steps the product transfer operations share (internal to products/). The steps every subject
// shares are in operation/.

#include <functional>
#include <string>

#include "common/Feedback.h"
#include "common/Table.h"
#include "operation/RecordLoop.h"
#include "products/ProductTransfer.h"

namespace qm
{

class TableSink;

namespace productsteps
{

// The end of a long operation: progress controls hidden, the cursor back on row 1.
void endLoop(ProgressDisplay& display, Feedback& feedback);

// PLU numbers first..last walked with `step` (the loop's other settings from `loop`): the queue
// emptied and Stop cleared first, the bar shown for the numbers. `close` gets the outcome while
// the bar still shows; then the bar goes and the cursor is back on row 1.
OperationResult walkNumbers(ScaleSession& session, int first, int last, RecordLoop loop, const RecordStep& step,
                            const std::function<void(const OperationResult&)>& close);

// Row check with the cursor on the failing cell and its failure reported; Done when the row passed.
OperationResult checkRow(Feedback& feedback, const Table& products, int row);

// Prepares the row and sends it with SendPlu, the queue emptied and the scale addressed first.
// Every failure is reported; a row that cannot be sent fails naming its cell, with the cursor on it.
OperationResult addressAndSend(ScaleSession& session, int scaleNumber, const Table& products, int row);

// The rest of the send-table operation under virtual synchronisation, after the rows were
// checked (when asked): sort, cancel and set the range, then the paced loop, with the display
// the operation showed.
OperationResult sendWithVirtualSync(const ScaleLink& link, const ScaleTarget& target, const Table& products,
                                    const std::string& startTime, TableSink* sorted, ProgressDisplay& display);

// PLU numbers first..last into the table's last row, which grows by one row per record read.
// Records the scale does not hold are skipped; the progress bar shows n - first + 1. A lost
// answer is asked again (GetPlu); Stop keeps the rows read. sayReceived: "Данные приняты." when
// the read ran to its end (a stopped read says only that it stopped).
OperationResult readRecords(ScaleSession& session, int scaleNumber, int first, int last, TableSink& table,
                            bool sayReceived);

// The time of day, hours, minutes and seconds ("14:05:09").
std::string timeOfDay();

} // namespace productsteps
} // namespace qm
