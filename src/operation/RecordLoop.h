#pragma once
// The one loop of every operation that walks records on a scale (PLU or message numbers, rows of
// a table, price keys): before each record the stop flag, the pause where the scale needs one,
// the bar, the counter and the cursor, a point for the window's events; then the record's step.
// A stop ends the loop as a Stopped failure (interrupted, or the operation's own words); the
// first step that does not succeed ends it with its failure, which carries the record. The loop
// hides the bar on every end but success: what a finished loop shows next is the operation's.

#include <functional>

#include "common/Failure.h"
#include "common/Feedback.h"
#include "common/Table.h"

namespace qm
{

class ScaleSession;

struct RecordLoop {
    int first = 1;
    int last = 0;
    // Numbers: a failure gets the record number. Rows: a failure that names no cell gets the row
    // of `table`.
    enum class Records { Numbers, Rows } records = Records::Numbers;
    TableId table = TableId::Products;
    // The bar before a record: the records done before it (a send), or this one counted too.
    enum class Bar { Done, Counted } bar = Bar::Counted;
    ProgressDisplay::Counter counter = ProgressDisplay::Counter::Shown;
    // The pass's name on the bar ("Передача…"); the display given is started again for it.
    const char* phase = nullptr;
    // Counter and cursor on the record; without it the counter shows the number.
    std::function<void(int record)> show;
    // The pause the scale needs between records (price keys: 210 ms), before or after each.
    int pauseMs = 0;
    enum class Pause { BeforeEach, AfterEach } pause = Pause::BeforeEach;
    // The stop in the operation's own words; "Действие прервано." without them.
    const char* stopText = nullptr;
};

using RecordStep = std::function<OperationResult(int record)>;

// The loop on the operation's display (its phase started when the loop names one).
OperationResult runRecordLoop(ScaleSession& session, ProgressDisplay& display, const RecordLoop& loop,
                              const RecordStep& step);
// A pass over data rows first..last of a table (a check, a send): the bar counts the rows done,
// the counter shows the row's number cell and the cursor stands on it.
RecordLoop rowPass(Feedback& feedback, const Table& table, TableId id, int numberColumn, int first, int last,
                   const char* phase);

// The loop on a display of its own, shown for last - first + 1 records and hidden at its end.
OperationResult runRecordLoop(ScaleSession& session, const RecordLoop& loop, const RecordStep& step);

} // namespace qm
