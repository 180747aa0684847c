// The read operations of the product tab: every PLU, one, a range.
#include "common/TableSink.h"
#include "link/ScaleSession.h"
#include "operation/OperationTexts.h"
#include "operation/RecordLoop.h"
#include "operation/ScaleFrame.h"
#include "products/PluCheck.h"
#include "products/ProductCommands.h"
#include "products/ProductRanges.h"
#include "products/ProductRows.h"
#include "products/ProductSteps.h"
#include "products/ProductTexts.h"

namespace qm
{

namespace
{

// Frame, save-first question and the emptied table: the opening of every read.
OpenedScale openRead(const ScaleLink& link, const char* noScaleMessage, TableSink& table, const SaveCommand& save)
{
    return openForRead(link, noScaleMessage, table, save, producttext::kSaveFirst, TableId::Products);
}

// The opening of a read, then PLU numbers first..last.
OperationResult readNumbers(const ScaleLink& link, const char* noScaleMessage, int first, int last, TableSink& table,
                            const SaveCommand& save)
{
    const OpenedScale scale = openRead(link, noScaleMessage, table, save);
    if (!scale)
        return scale;
    return productsteps::readRecords(link.session, scale.target.number, first, last, table, true);
}

} // namespace

OperationResult productsteps::readRecords(ScaleSession& session, int scaleNumber, int first, int last, TableSink& table,
                                          bool sayReceived)
{
    Feedback& fb = session.feedback();
    RecordLoop loop;
    loop.show = [&](int n) {
        fb.counterText(std::to_string(n));
        fb.moveCursor(TableId::Products, table.rowCount() - 1, 0);
    };
    const auto step = [&](int n) {
        if (auto addressed = addressScale(session, scaleNumber, false); !addressed)
            return addressed;
        PluRecord record;
        if (GetPlu(session, n, record)) {
            table.setRow(table.rowCount() - 1, rowFromRecord(record));
            fb.processEvents();
            table.setModified();
            table.appendRow();
        } else if (record.price != -1) {
            return failed(fb, Failure::plain(FailureKind::ReadFailed, operationtext::kReadFailed).forRecord(n));
        }
        return OperationResult::done();
    };
    return productsteps::walkNumbers(session, first, last, loop, step, [&](const OperationResult& read) {
        // The rows read so far stay, a stopped read's too; the empty row kept for the next goes.
        if (read || read == TransferOutcome::Stopped)
            table.removeLastRow();
        if (read && sayReceived)
            fb.message(operationtext::kReceived);
    });
}

OperationResult readAllProducts(const ScaleLink& link, TableSink& table, const SaveCommand& save)
{
    return readNumbers(link, producttext::kChooseToReadOne, 1, kMaxPlu, table, save);
}

OperationResult readProductRange(const ScaleLink& link, int first, int last, TableSink& table, const SaveCommand& save)
{
    const RangeRule& numbers = productRange(ProductRangeKind::PluToRead);
    NumberRange range;
    if (auto checked = checkedRange(link.session.feedback(), numbers, first, last, 0, range); !checked)
        return checked;
    return readNumbers(link, producttext::kChooseToReadRange, range.first, range.last, table, save);
}

OperationResult readOneProduct(const ScaleLink& link, const std::string& pluText, TableSink& table,
                               const SaveCommand& save)
{
    Feedback& fb = link.session.feedback();
    const OpenedScale scale = openRead(link, producttext::kChooseToReadOne, table, save);
    if (!scale)
        return scale;
    int plu = 0;
    if (auto entered = numberField(fb, pluText, kMaxPlu, producttext::kBadPluToRead, plu); !entered)
        return entered;
    if (auto addressed = addressScale(link.session, scale.target.number); !addressed)
        return addressed;
    PluRecord record;
    if (GetPlu(link.session, plu, record)) {
        table.setRow(1, rowFromRecord(record));
        table.setModified();
        fb.message(operationtext::kReceived);
        return OperationResult::done();
    }
    if (record.price == -1)
        return failed(fb, Failure::plain(FailureKind::NotFound, producttext::kMissingOrFailed).forRecord(plu));
    return failed(fb, Failure::plain(FailureKind::ReadFailed, operationtext::kReadFailed).forRecord(plu));
}

} // namespace qm
