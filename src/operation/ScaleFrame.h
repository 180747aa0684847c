#pragma once
// The opening of every scale operation: find the scale row named by the tab's chooser, check
// it, and open its port; then the addressing of the scale before each exchange. Each failing
// step reports its failure and ends the operation with it.

#include <string>

#include "common/Failure.h"
#include "common/Table.h"
#include "link/ScaleSession.h"
#include "operation/ScaleOperation.h"

namespace qm
{

struct ScaleTarget {
    int row = -1;     // row of the configuration table
    int number = 0;   // scale number on the line, 1..99
    std::string name; // code page 1251, as in the table
    std::string port;
    std::string speed;
};

// The scale an opening found (its target), or the failure that ended the operation.
struct OpenedScale : OperationResult {
    ScaleTarget target;
};

// Steps 1 and 2: the scale row by name, checked. A chooser naming no scale fails with
// noScaleMessage (the text of the kind of work), a wrong row with operationtext::kCheckConfig and
// the cursor on its cell.
OpenedScale findScale(Feedback& feedback, const Table& config, const std::string& chooserText,
                      const std::string& noScaleMessage);

// Step 2 alone, for the walks over every row of the configuration: row `row` checked.
OpenedScale checkScaleRow(Feedback& feedback, const Table& config, int row);

// Steps 1 to 3: the above, then Connection with the row's port and speed. A port that cannot be
// opened fails with operationtext::kPortBusy.
OpenedScale openScale(const ScaleLink& link, const std::string& noScaleMessage);

// The opening of every read: the frame, the save-first question (a No or Cancel ends the read
// Cancelled), then the table emptied with the cursor on its first cell.
OpenedScale openForRead(const ScaleLink& link, const std::string& noScaleMessage, TableSink& table,
                        const SaveCommand& save, const std::string& saveQuestion, TableId id);

// Addresses the scale; a scale that does not answer fails with operationtext::kNoLink, one that answers
// but is not ready with operationtext::kNotReady.
OperationResult addressScale(ScaleSession& session, int scaleNumber, bool emptyQueueFirst = true,
                             int windowMs = kAddressWindowMs);

} // namespace qm
