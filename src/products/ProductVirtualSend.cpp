// Sending the product table with virtual synchronisation: the scale is told the range of PLU
// numbers about to come and paces the transfer itself, answering each poll with "ready for the
// next record" or with the PLU number of a record it wants now.

#include "common/Cp1251.h"
#include "common/IntText.h"
#include "common/RowSort.h"
#include "common/TableColumns.h"
#include "common/TableSink.h"
#include "common/WireFields.h"
#include "link/ScaleSession.h"
#include "operation/OperationTexts.h"
#include "operation/ScaleFrame.h"
#include "products/ProductCommands.h"
#include "products/ProductRows.h"
#include "products/ProductSteps.h"
#include "products/ProductTexts.h"
#include "products/VirtualLoop.h"

namespace qm
{

namespace
{

void writeBack(TableSink& sink, const Table& table)
{
    sink.clear();
    for (int r = 1; r < table.rowCount(); ++r) {
        if (r > 1)
            sink.appendRow();
        sink.setRow(r, table.row(r));
    }
    sink.setModified();
}

} // namespace

namespace productsteps
{

OperationResult sendWithVirtualSync(const ScaleLink& link, const ScaleTarget& target, const Table& snapshot,
                                    const std::string& startTime, TableSink* sortedOut, ProgressDisplay& display)
{
    ScaleSession& session = link.session;
    Feedback& fb = session.feedback();

    Table products = snapshot;
    const SortResult sort = sortRowsByNumber(products, TableId::Products, fb);
    if (sortedOut)
        writeBack(*sortedOut, products);
    if (!sort.ok) {
        // The sort has reported its failure; the rows written back must not take the cursor
        // from the row at fault.
        fb.moveCursor(TableId::Products, sort.badRow, plucol::Plu);
        display.end();
        return OperationResult::failed(*sort.failure);
    }
    // The bounds go out in 4 bytes each: a number that is no number (a single row escapes the
    // sort's test) or does not fit stops here, before any byte.
    for (int r : {1, products.lastRow()}) {
        const auto number = intText(products.cell(r, plucol::Plu));
        if (!number || !fitsBinary(*number, 4)) {
            PreparedRow bad;
            bad.problem = number ? RowProblem::DoesNotFit : RowProblem::NotInteger;
            bad.column = plucol::Plu;
            const Failure failure = reportRowProblem(fb, products, r, bad);
            display.end();
            return OperationResult::failed(failure);
        }
    }
    const std::int64_t first = intTextValue(products.cell(1, plucol::Plu));
    const std::int64_t last = intTextValue(products.cell(products.lastRow(), plucol::Plu));

    // A range left set by an earlier transfer is cancelled first: the scale may be polling for it.
    session.NewQue();
    session.send(static_cast<std::uint8_t>(target.number));
    session.pause(50);
    cancelPluRange(session, false);
    session.pause(100);

    if (auto addressed = addressScale(session, target.number); !addressed) {
        endLoop(display, fb);
        return addressed;
    }
    if (!setPluRange(session, first, last)) {
        const auto result = failed(fb, Failure::plain(FailureKind::ExchangeFailed, producttext::kExchangeFailed));
        endLoop(display, fb);
        return result;
    }
    session.NewQue();
    display.phase(operationtext::kSendPhase, products.rowCount() - 1);

    const OperationResult result = runVirtualLoop(session, target.number, products, VirtualPacing{});
    if (result == TransferOutcome::Stopped) {
        cancelVirtualRange(link);
        endLoop(display, fb);
        return result;
    }
    if (!result) {
        // The failure has been reported; a range left set would keep the scale waiting for
        // records (or asking for them), so it goes without a second message.
        cancelRangeSilently(session, target.number);
        // A row that cannot be sent keeps the cursor on its cell.
        if (result.failure->namesCellOf(TableId::Products))
            display.end();
        else
            endLoop(display, fb);
        return result;
    }
    display.complete();
    fb.message(std::string(producttext::kStartOfTransfer) + startTime + "\r\n" + producttext::kEndOfTransfer +
               timeOfDay());
    const OperationResult cancel = cancelVirtualRange(link);
    endLoop(display, fb);
    // A range left set in the scale keeps it waiting for records: the run is not a success then.
    return cancel;
}

} // namespace productsteps
} // namespace qm
