#include <optional>

#include "common/TableSink.h"
#include "link/ScaleSession.h"
#include "operation/OperationTexts.h"
#include "operation/ScaleFrame.h"
#include "products/ProductColumns.h"
#include "products/ProductCommands.h"
#include "products/ProductMessages.h"
#include "products/ProductRanges.h"
#include "products/ProductRows.h"
#include "products/TransferSteps.h"

namespace qm
{

namespace
{

// Frame, save-first question and the emptied table: the opening of every read.
std::optional<ScaleTarget> openRead(const ProductLink& link, ProductOperation operation, TableSink& table,
                                    const SaveCommand& save, TransferOutcome& outcome)
{
    Feedback& fb = link.session.feedback();
    auto target = openProductScale(link, operation);
    if (!target) {
        outcome = TransferOutcome::Failed;
        return std::nullopt;
    }
    if (!saveFirst(fb, table, save, pmsg::kSaveFirst)) {
        outcome = TransferOutcome::Cancelled;
        return std::nullopt;
    }
    steps::clearTable(fb, table);
    return target;
}

// PLU numbers first..last into the table's last row, which grows by one row per record read.
// Records the scale does not hold are skipped; the progress bar shows n - first + 1.
TransferOutcome readLoop(ScaleSession& session, int scaleNumber, int first, int last, TableSink& table)
{
    Feedback& fb = session.feedback();
    session.NewQue();
    fb.clearStop();
    fb.progressStart(last - first + 1, 0);
    fb.counterShow(true);
    for (int n = first; n <= last; ++n) {
        if (fb.stopRequested()) {
            fb.message(pmsg::kReceived);
            table.removeLastRow();
            steps::endLoop(fb);
            return TransferOutcome::Stopped;
        }
        fb.progressPosition(n - first + 1);
        fb.counterText(std::to_string(n));
        fb.moveCursor(TableId::Products, table.rowCount() - 1, 0);
        fb.processEvents();
        if (!addressScale(session, scaleNumber, false)) {
            steps::endLoop(fb);
            return TransferOutcome::Failed;
        }
        PluRecord record;
        if (GetPlu(session, n, record)) {
            table.setRow(table.rowCount() - 1, rowFromRecord(record));
            fb.processEvents();
            table.setModified();
            table.appendRow();
        } else if (record.price != -1) {
            fb.message(msg::kReadFailed);
            steps::endLoop(fb);
            return TransferOutcome::Failed;
        }
    }
    table.removeLastRow();
    fb.message(pmsg::kReceived);
    steps::endLoop(fb);
    return TransferOutcome::Done;
}

} // namespace

TransferOutcome readAllProducts(const ProductLink& link, TableSink& table, const SaveCommand& save)
{
    TransferOutcome outcome = TransferOutcome::Failed;
    const auto target = openRead(link, ProductOperation::ReadAll, table, save, outcome);
    if (!target)
        return outcome;
    return readLoop(link.session, target->number, 1, kMaxPlu, table);
}

TransferOutcome readProductRange(const ProductLink& link, int first, int last, TableSink& table,
                                 const SaveCommand& save)
{
    const auto range = checkProductRange(ProductRangeKind::PluToRead, std::to_string(first), std::to_string(last));
    if (!range.range) {
        link.session.feedback().message(range.message);
        return TransferOutcome::Failed;
    }
    TransferOutcome outcome = TransferOutcome::Failed;
    const auto target = openRead(link, ProductOperation::ReadRange, table, save, outcome);
    if (!target)
        return outcome;
    return readLoop(link.session, target->number, range.range->first, range.range->last, table);
}

TransferOutcome readOneProduct(const ProductLink& link, const std::string& pluText, TableSink& table,
                               const SaveCommand& save)
{
    Feedback& fb = link.session.feedback();
    TransferOutcome outcome = TransferOutcome::Failed;
    const auto target = openRead(link, ProductOperation::ReadOne, table, save, outcome);
    if (!target)
        return outcome;
    int plu = 0;
    if (!steps::pluNumber(pluText, plu)) {
        fb.message(pmsg::kBadPluToRead);
        return TransferOutcome::Failed;
    }
    if (!addressScale(link.session, target->number))
        return TransferOutcome::Failed;
    PluRecord record;
    if (GetPlu(link.session, plu, record)) {
        table.setRow(1, rowFromRecord(record));
        table.setModified();
        fb.message(pmsg::kReceived);
        return TransferOutcome::Done;
    }
    fb.message(record.price == -1 ? pmsg::kMissingOrFailed : msg::kReadFailed);
    return TransferOutcome::Failed;
}

} // namespace qm
