#pragma once
// The paced loop of virtual synchronisation, shared by the product tab and automatic loading:
// with the range set, the scale is polled with its number and answers "ready for the next
// record" (0x80) or asks for one record by PLU number (0xDD and 4 bytes). Failed polls and
// unacknowledged records are counted; more than 100 end the loop. The whole transfer is bounded
// too: a pass that sends no record in sequence (a request, a failed pass) spends the transfer's
// budget of one such pass per record plus the 100, so a scale that asks for records for ever
// ends the loop as failed polls do.

#include "common/Failure.h"
#include "common/Table.h"

namespace qm
{

class ScaleSession;

namespace productsteps
{

struct VirtualPacing {
    // The pause before every poll: the product tab gives the scale 210 ms, automatic loading
    // none.
    int passPauseMs = 210;
    // Where a requested PLU number is looked for: every data row (the first holding it), or the
    // rows from the last one sent on (the last holding it), as automatic loading does.
    enum class Lookup { AllRows, FromLastSent } lookup = Lookup::AllRows;
};

// Runs the passes until every row of `products` (sorted by PLU number) has gone. Stopped
// ("Действие прервано." reported) when the stop flag is seen before a pass, Failed with producttext::kReloadFailed when
// the error budget or the transfer's budget is spent or the line is lost, or with the row's failure when a row cannot
// be prepared. A record the scale did not acknowledge is never counted as sent, the last row included: the scale keeps
// nothing it did not acknowledge, so the row goes again. The range stays set: the caller cancels it.
OperationResult runVirtualLoop(ScaleSession& session, int scaleNumber, const Table& products,
                               const VirtualPacing& pacing);

// Cancels the virtual range without a word: the scale may be polling for it still, so its
// answer to the number byte is dropped before 0x88 goes out. The outcome is not reported; a
// range left set is cancelled again before the next virtual transfer sets a new one.
void cancelRangeSilently(ScaleSession& session, int scaleNumber);

} // namespace productsteps
} // namespace qm
