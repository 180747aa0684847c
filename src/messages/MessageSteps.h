#pragma once
// Steps the message operations share (internal to messages/).

#include "operation/ScaleOperation.h"

namespace qm
{

class ScaleSession;
class TableSink;

namespace messagesteps
{

// Reads numbers first..last into the table's last row, one message after another; the progress
// bar shows n - first + 1 and empty messages are skipped. A lost answer is asked again (GetMsg);
// Stop keeps the rows read.
OperationResult readRecords(ScaleSession& session, int scaleNumber, TableSink& table, int first, int last);

} // namespace messagesteps
} // namespace qm
