// The send operations of the product tab: the table, a row, a range of rows.
#include "common/Feedback.h"
#include "common/TableColumns.h"
#include "link/ScaleSession.h"
#include "operation/OperationTexts.h"
#include "operation/RecordLoop.h"
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

// The check pass over rows first..last, "Проверка…" on its bar. A stop brings the cursor back to
// row 1; a failing row keeps it on its cell.
OperationResult checkRows(ScaleSession& session, ProgressDisplay& display, const Table& products, int first, int last)
{
    Feedback& fb = session.feedback();
    const auto checked =
        runRecordLoop(session, display,
                      rowPass(fb, products, TableId::Products, plucol::Plu, first, last, operationtext::kCheckPhase),
                      [&](int row) { return productsteps::checkRow(fb, products, row); });
    if (checked == TransferOutcome::Stopped)
        fb.moveCursor(TableId::Products, 1, 0);
    return checked;
}

// The transfer pass: rows first..last, each addressed on an emptied queue, then the bar full and
// "Данные переданы.".
OperationResult sendRows(ScaleSession& session, ProgressDisplay& display, int scaleNumber, const Table& products,
                         int first, int last)
{
    Feedback& fb = session.feedback();
    const auto sent = runRecordLoop(
        session, display, rowPass(fb, products, TableId::Products, plucol::Plu, first, last, operationtext::kSendPhase),
        [&](int row) { return productsteps::addressAndSend(session, scaleNumber, products, row); });
    if (sent) {
        display.complete();
        fb.message(operationtext::kSent);
    }
    // A row that cannot be sent keeps the cursor on its cell.
    if (sent || !sent.failure || !sent.failure->namesCellOf(TableId::Products))
        endLoop(display, fb);
    return sent;
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
        if (auto checked = checkRows(link.session, display, products, 1, products.lastRow()); !checked)
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
    if (auto checked = checkRows(link.session, display, products, range.first, range.last); !checked)
        return checked;
    return sendRows(link.session, display, scale.target.number, products, range.first, range.last);
}

} // namespace qm
