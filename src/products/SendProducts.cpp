#include "common/Feedback.h"
#include "link/ScaleSession.h"
#include "operation/OperationTexts.h"
#include "products/ProductMessages.h"
#include "products/ProductRanges.h"
#include "products/ProductTransfer.h"
#include "products/TransferSteps.h"

namespace qm
{

namespace
{

// Checks rows first..last with the progress bar at row - first + base. Stopped or failed runs
// end here (a failure leaves the cursor on its cell).
std::optional<TransferOutcome> checkRows(Feedback& fb, const Table& products, int first, int last, int base)
{
    for (int r = first; r <= last; ++r) {
        fb.progressPosition(r - first + base);
        fb.moveCursor(TableId::Products, r, 0);
        if (fb.stopRequested()) {
            steps::endLoop(fb);
            return TransferOutcome::Stopped;
        }
        fb.processEvents();
        if (!steps::checkRow(fb, products, r)) {
            fb.progressEnd();
            return TransferOutcome::Failed;
        }
    }
    return std::nullopt;
}

// Sends rows first..last, each addressed on an emptied queue, then "Данные переданы.".
TransferOutcome sendRows(ScaleSession& session, int scaleNumber, const Table& products, int first, int last, int base)
{
    Feedback& fb = session.feedback();
    fb.progressPosition(0);
    for (int r = first; r <= last; ++r) {
        fb.progressPosition(r - first + base);
        fb.moveCursor(TableId::Products, r, 0);
        if (fb.stopRequested()) {
            steps::endLoop(fb);
            return TransferOutcome::Stopped;
        }
        fb.processEvents();
        const auto sent = steps::addressAndSend(session, scaleNumber, products, r);
        if (sent == steps::RowSend::BadRow) {
            fb.progressEnd();
            return TransferOutcome::Failed;
        }
        if (sent != steps::RowSend::Sent) {
            steps::endLoop(fb);
            return TransferOutcome::Failed;
        }
    }
    fb.message(pmsg::kSent);
    steps::endLoop(fb);
    return TransferOutcome::Done;
}

} // namespace

TransferOutcome sendProductTable(const ProductLink& link, const Table& products, const SendTableOptions& options,
                                 TableSink* sorted)
{
    const std::string startTime = steps::timeOfDay();
    Feedback& fb = link.session.feedback();
    const auto target = openProductScale(link, ProductOperation::SendTable);
    if (!target)
        return TransferOutcome::Failed;
    fb.progressStart(products.rowCount() - 1, 0);
    fb.moveCursor(TableId::Products, 1, 0);
    fb.processEvents();
    fb.clearStop();
    if (options.checkFirst) {
        if (const auto end = checkRows(fb, products, 1, products.lastRow(), 0))
            return *end;
    }
    if (options.virtualSync)
        return steps::sendWithVirtualSync(link, *target, products, startTime, sorted);
    return sendRows(link.session, target->number, products, 1, products.lastRow(), 0);
}

TransferOutcome sendProductRow(const ProductLink& link, const Table& products, int row)
{
    Feedback& fb = link.session.feedback();
    const auto range = checkProductRange(ProductRangeKind::RowsToSend, std::to_string(row), std::to_string(row),
                                         products.rowCount() - 1);
    if (!range.range) {
        fb.message(range.message);
        return TransferOutcome::Failed;
    }
    if (!steps::checkRow(fb, products, row))
        return TransferOutcome::Failed;
    const auto target = openProductScale(link, ProductOperation::SendRow);
    if (!target)
        return TransferOutcome::Failed;
    if (steps::addressAndSend(link.session, target->number, products, row) != steps::RowSend::Sent)
        return TransferOutcome::Failed;
    fb.message(pmsg::kSent);
    return TransferOutcome::Done;
}

TransferOutcome sendProductRange(const ProductLink& link, const Table& products, int first, int last)
{
    Feedback& fb = link.session.feedback();
    const auto range = checkProductRange(ProductRangeKind::RowsToSend, std::to_string(first), std::to_string(last),
                                         products.rowCount() - 1);
    if (!range.range) {
        fb.message(range.message);
        return TransferOutcome::Failed;
    }
    const auto target = openProductScale(link, ProductOperation::SendRange);
    if (!target)
        return TransferOutcome::Failed;
    // A bar of last - first + 1 steps, so that a range of one record still shows its progress.
    fb.progressStart(range.range->last - range.range->first + 1, 0);
    fb.moveCursor(TableId::Products, 1, 0);
    fb.processEvents();
    fb.clearStop();
    if (const auto end = checkRows(fb, products, range.range->first, range.range->last, 1))
        return *end;
    return sendRows(link.session, target->number, products, range.range->first, range.range->last, 1);
}

} // namespace qm
