#include "common/Feedback.h"
#include "link/ScaleSession.h"
#include "operation/OperationTexts.h"
#include "products/ProductMessages.h"
#include "products/ProductTransfer.h"
#include "products/TransferSteps.h"

namespace qm
{

namespace
{

// Checks rows first..last with the progress bar at row - first + base. Stopped or failed runs
// end here (a failure leaves the cursor on its cell).
OperationResult checkRows(Feedback& fb, const Table& products, int first, int last, int base)
{
    for (int r = first; r <= last; ++r) {
        fb.progressPosition(r - first + base);
        fb.moveCursor(TableId::Products, r, 0);
        if (fb.stopRequested()) {
            steps::endLoop(fb);
            return OperationResult::stopped();
        }
        fb.processEvents();
        if (auto checked = steps::checkRow(fb, products, r); !checked) {
            fb.progressEnd();
            return checked;
        }
    }
    return OperationResult::done();
}

// Sends rows first..last, each addressed on an emptied queue, then "Данные переданы.".
OperationResult sendRows(ScaleSession& session, int scaleNumber, const Table& products, int first, int last, int base)
{
    Feedback& fb = session.feedback();
    fb.progressPosition(0);
    for (int r = first; r <= last; ++r) {
        fb.progressPosition(r - first + base);
        fb.moveCursor(TableId::Products, r, 0);
        if (fb.stopRequested()) {
            steps::endLoop(fb);
            return OperationResult::stopped();
        }
        fb.processEvents();
        if (auto sent = steps::addressAndSend(session, scaleNumber, products, r); !sent) {
            // A row that cannot be sent keeps the cursor on its cell.
            if (sent.failure->namesCellOf(TableId::Products))
                fb.progressEnd();
            else
                steps::endLoop(fb);
            return sent;
        }
    }
    fb.message(pmsg::kSent);
    steps::endLoop(fb);
    return OperationResult::done();
}

} // namespace

OperationResult sendProductTable(const ProductLink& link, const Table& products, const SendTableOptions& options,
                                 TableSink* sorted)
{
    const std::string startTime = steps::timeOfDay();
    Feedback& fb = link.session.feedback();
    const OpenedScale scale = openScale(link, chooseScaleMessage(ProductOperation::SendTable));
    if (!scale)
        return scale;
    fb.progressStart(products.rowCount() - 1, 0);
    fb.moveCursor(TableId::Products, 1, 0);
    fb.processEvents();
    fb.clearStop();
    if (options.checkFirst) {
        if (auto checked = checkRows(fb, products, 1, products.lastRow(), 0); !checked)
            return checked;
    }
    if (options.virtualSync)
        return steps::sendWithVirtualSync(link, scale.target, products, startTime, sorted);
    return sendRows(link.session, scale.target.number, products, 1, products.lastRow(), 0);
}

OperationResult sendProductRow(const ProductLink& link, const Table& products, int row)
{
    Feedback& fb = link.session.feedback();
    NumberRange range;
    if (auto checked = steps::checkedRange(fb, ProductRangeKind::RowsToSend, row, row, products.rowCount() - 1, range);
        !checked)
        return checked;
    if (auto checked = steps::checkRow(fb, products, row); !checked)
        return checked;
    const OpenedScale scale = openScale(link, chooseScaleMessage(ProductOperation::SendRow));
    if (!scale)
        return scale;
    if (auto sent = steps::addressAndSend(link.session, scale.target.number, products, row); !sent)
        return sent;
    fb.message(pmsg::kSent);
    return OperationResult::done();
}

OperationResult sendProductRange(const ProductLink& link, const Table& products, int first, int last)
{
    Feedback& fb = link.session.feedback();
    NumberRange range;
    if (auto checked =
            steps::checkedRange(fb, ProductRangeKind::RowsToSend, first, last, products.rowCount() - 1, range);
        !checked)
        return checked;
    const OpenedScale scale = openScale(link, chooseScaleMessage(ProductOperation::SendRange));
    if (!scale)
        return scale;
    // A bar of last - first + 1 steps, so that a range of one record still shows its progress.
    fb.progressStart(range.last - range.first + 1, 0);
    fb.moveCursor(TableId::Products, 1, 0);
    fb.processEvents();
    fb.clearStop();
    if (auto checked = checkRows(fb, products, range.first, range.last, 1); !checked)
        return checked;
    return sendRows(link.session, scale.target.number, products, range.first, range.last, 1);
}

} // namespace qm
