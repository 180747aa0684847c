#include "common/TableSink.h"
#include "link/ScaleSession.h"
#include "operation/OperationTexts.h"
#include "operation/ScaleFrame.h"
#include "products/ProductColumns.h"
#include "products/ProductCommands.h"
#include "products/ProductMessages.h"
#include "products/ProductRows.h"
#include "products/TransferSteps.h"

namespace qm
{

namespace
{

// Frame, save-first question and the emptied table: the opening of every read.
OpenedScale openRead(const ProductLink& link, ProductOperation operation, TableSink& table, const SaveCommand& save)
{
    Feedback& fb = link.session.feedback();
    OpenedScale scale = openScale(link, chooseScaleMessage(operation));
    if (!scale)
        return scale;
    if (!saveFirst(fb, table, save, pmsg::kSaveFirst)) {
        scale.outcome = TransferOutcome::Cancelled;
        return scale;
    }
    steps::clearTable(fb, table);
    return scale;
}

// PLU numbers first..last into the table's last row, which grows by one row per record read.
// Records the scale does not hold are skipped; the progress bar shows n - first + 1.
OperationResult readLoop(ScaleSession& session, int scaleNumber, int first, int last, TableSink& table)
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
            return OperationResult::stopped();
        }
        fb.progressPosition(n - first + 1);
        fb.counterText(std::to_string(n));
        fb.moveCursor(TableId::Products, table.rowCount() - 1, 0);
        fb.processEvents();
        if (auto addressed = addressScale(session, scaleNumber, false); !addressed) {
            steps::endLoop(fb);
            return addressed;
        }
        PluRecord record;
        if (GetPlu(session, n, record)) {
            table.setRow(table.rowCount() - 1, rowFromRecord(record));
            fb.processEvents();
            table.setModified();
            table.appendRow();
        } else if (record.price != -1) {
            const auto result = failed(fb, Failure::plain(FailureKind::ReadFailed, msg::kReadFailed).forRecord(n));
            steps::endLoop(fb);
            return result;
        }
    }
    table.removeLastRow();
    fb.message(pmsg::kReceived);
    steps::endLoop(fb);
    return OperationResult::done();
}

} // namespace

OperationResult readAllProducts(const ProductLink& link, TableSink& table, const SaveCommand& save)
{
    const OpenedScale scale = openRead(link, ProductOperation::ReadAll, table, save);
    if (!scale)
        return scale;
    return readLoop(link.session, scale.target.number, 1, kMaxPlu, table);
}

OperationResult readProductRange(const ProductLink& link, int first, int last, TableSink& table,
                                 const SaveCommand& save)
{
    NumberRange range;
    if (auto checked = steps::checkedRange(link.session.feedback(), ProductRangeKind::PluToRead, first, last, 0, range);
        !checked)
        return checked;
    const OpenedScale scale = openRead(link, ProductOperation::ReadRange, table, save);
    if (!scale)
        return scale;
    return readLoop(link.session, scale.target.number, range.first, range.last, table);
}

OperationResult readOneProduct(const ProductLink& link, const std::string& pluText, TableSink& table,
                               const SaveCommand& save)
{
    Feedback& fb = link.session.feedback();
    const OpenedScale scale = openRead(link, ProductOperation::ReadOne, table, save);
    if (!scale)
        return scale;
    int plu = 0;
    if (!steps::pluNumber(pluText, plu))
        return failed(fb, Failure::plain(FailureKind::BadNumber, pmsg::kBadPluToRead));
    if (auto addressed = addressScale(link.session, scale.target.number); !addressed)
        return addressed;
    PluRecord record;
    if (GetPlu(link.session, plu, record)) {
        table.setRow(1, rowFromRecord(record));
        table.setModified();
        fb.message(pmsg::kReceived);
        return OperationResult::done();
    }
    if (record.price == -1)
        return failed(fb, Failure::plain(FailureKind::NotFound, pmsg::kMissingOrFailed).forRecord(plu));
    return failed(fb, Failure::plain(FailureKind::ReadFailed, msg::kReadFailed).forRecord(plu));
}

} // namespace qm
