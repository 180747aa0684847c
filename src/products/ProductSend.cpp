// The send operations of the product tab: the table, a row, a range of rows.
#include "common/Cp1251.h"
#include "common/Feedback.h"
#include "common/TableColumns.h"
#include "link/ScaleSession.h"
#include "operation/OperationTexts.h"
#include "operation/ScaleOperation.h"
#include "products/ProductRanges.h"
#include "products/ProductSteps.h"
#include "products/ProductTexts.h"
#include "products/ProductTransfer.h"

namespace qm
{

namespace
{

using productsteps::endLoop;

// Puts a pass on the row: progress (the rows done before it), counter (its PLU), cursor, stop
// test, events. Stopped (display ended, cursor back on row 1) when the stop flag is set.
OperationResult stepOnto(Feedback& fb, ProgressDisplay& display, const Table& products, int row, int position)
{
    fb.progressPosition(position);
    fb.counterText(cp1251ToUtf8(products.cell(row, plucol::Plu)));
    fb.moveCursor(TableId::Products, row, 0);
    if (fb.stopRequested()) {
        endLoop(display, fb);
        return interrupted(fb);
    }
    fb.processEvents();
    return OperationResult::done();
}

// The check pass over rows first..last, "Проверка…" on its bar. Stopped or failed runs end here
// (a failure leaves the cursor on its cell).
OperationResult checkRows(Feedback& fb, ProgressDisplay& display, const Table& products, int first, int last)
{
    display.phase(operationtext::kCheckPhase, last - first + 1);
    for (int r = first; r <= last; ++r) {
        if (auto stepped = stepOnto(fb, display, products, r, r - first); !stepped)
            return stepped;
        if (auto checked = productsteps::checkRow(fb, products, r); !checked) {
            display.end();
            return checked;
        }
    }
    return OperationResult::done();
}

// The transfer pass: rows first..last, each addressed on an emptied queue, then the bar full and
// "Данные переданы.".
OperationResult sendRows(ScaleSession& session, ProgressDisplay& display, int scaleNumber, const Table& products,
                         int first, int last)
{
    Feedback& fb = session.feedback();
    display.phase(operationtext::kSendPhase, last - first + 1);
    for (int r = first; r <= last; ++r) {
        if (auto stepped = stepOnto(fb, display, products, r, r - first); !stepped)
            return stepped;
        if (auto sent = productsteps::addressAndSend(session, scaleNumber, products, r); !sent) {
            // A row that cannot be sent keeps the cursor on its cell.
            if (sent.failure->namesCellOf(TableId::Products))
                display.end();
            else
                endLoop(display, fb);
            return sent;
        }
    }
    display.complete();
    fb.message(operationtext::kSent);
    endLoop(display, fb);
    return OperationResult::done();
}

} // namespace

OperationResult sendProductTable(const ScaleLink& link, const Table& products, const SendTableOptions& options,
                                 TableSink* sorted)
{
    const std::string startTime = productsteps::timeOfDay();
    Feedback& fb = link.session.feedback();
    const OpenedScale scale = openScale(link, producttext::kChooseToSendTable);
    if (!scale)
        return scale;
    ProgressDisplay display(fb, products.lastRow());
    fb.moveCursor(TableId::Products, 1, 0);
    fb.processEvents();
    fb.clearStop();
    if (options.checkFirst) {
        if (auto checked = checkRows(fb, display, products, 1, products.lastRow()); !checked)
            return checked;
    }
    if (options.virtualSync)
        return productsteps::sendWithVirtualSync(link, scale.target, products, startTime, sorted, display);
    return sendRows(link.session, display, scale.target.number, products, 1, products.lastRow());
}

OperationResult sendProductRow(const ScaleLink& link, const Table& products, int row)
{
    Feedback& fb = link.session.feedback();
    const RangeRule& rows = productRange(ProductRangeKind::RowsToSend);
    NumberRange range;
    if (auto checked = checkedRange(fb, rows, row, row, products.rowCount() - 1, range); !checked)
        return checked;
    if (auto checked = productsteps::checkRow(fb, products, row); !checked)
        return checked;
    const OpenedScale scale = openScale(link, producttext::kChooseToSendRow);
    if (!scale)
        return scale;
    if (auto sent = productsteps::addressAndSend(link.session, scale.target.number, products, row); !sent)
        return sent;
    fb.message(operationtext::kSent);
    return OperationResult::done();
}

OperationResult sendProductRange(const ScaleLink& link, const Table& products, int first, int last)
{
    Feedback& fb = link.session.feedback();
    const RangeRule& rows = productRange(ProductRangeKind::RowsToSend);
    NumberRange range;
    if (auto checked = checkedRange(fb, rows, first, last, products.rowCount() - 1, range); !checked)
        return checked;
    const OpenedScale scale = openScale(link, producttext::kChooseToSendTable);
    if (!scale)
        return scale;
    // A bar of last - first + 1 steps, so that a range of one record still shows its progress.
    ProgressDisplay display(fb, range.last - range.first + 1);
    fb.moveCursor(TableId::Products, 1, 0);
    fb.processEvents();
    fb.clearStop();
    if (auto checked = checkRows(fb, display, products, range.first, range.last); !checked)
        return checked;
    return sendRows(link.session, display, scale.target.number, products, range.first, range.last);
}

} // namespace qm
