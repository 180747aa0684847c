// The read operations of the report tab: every PLU, one PLU, the general totals.
#include <string>

#include "common/Feedback.h"
#include "common/TableSink.h"
#include "link/ScaleSession.h"
#include "operation/OperationTexts.h"
#include "operation/RecordLoop.h"
#include "products/PluCheck.h"
#include "products/ProductCommands.h"
#include "reports/ReportCommands.h"
#include "reports/ReportRows.h"
#include "reports/ReportSteps.h"
#include "reports/ReportTexts.h"
#include "reports/ReportTransfer.h"

namespace qm
{

namespace
{

constexpr int kPluColumn = 0;

void closeTable(Feedback& feedback, TableSink& table)
{
    if (table.rowCount() > 2)
        table.removeLastRow();
    feedback.moveCursor(TableId::Reports, 1, kPluColumn);
}

OperationResult readFailure(Feedback& feedback, int plu)
{
    return failed(feedback, Failure::plain(FailureKind::ReadFailed, operationtext::kReadFailed).forRecord(plu));
}

// The save-first question: false when it ends the operation (Cancelled).
OperationResult savedFirst(Feedback& feedback, TableSink& table, const SaveCommand& save)
{
    return saveFirst(feedback, table, save, reporttext::kSaveFirst) ? OperationResult::done()
                                                                    : OperationResult::cancelled();
}

} // namespace

OperationResult readReportTable(const ScaleLink& link, TableSink& table, ValueSink<ShownTotals>& sums,
                                const SaveCommand& save)
{
    const OpenedScale scale =
        openForRead(link, reporttext::kChooseToRead, table, save, reporttext::kSaveFirst, TableId::Reports);
    if (!scale)
        return scale;
    Feedback& feedback = link.session.feedback();
    link.session.NewQue();
    feedback.clearStop();
    ProgressDisplay display(feedback, kMaxPlu);
    sums.deliver(ShownTotals{});
    ShownTotals overAll; // "По всем PLU" once every cell is read: the sums of the records
    RecordLoop loop;
    loop.first = 1;
    loop.last = kMaxPlu;
    loop.show = [&](int n) {
        feedback.counterText(std::to_string(n));
        feedback.moveCursor(TableId::Reports, table.rowCount() - 1, kPluColumn);
    };
    const auto read = runRecordLoop(link.session, display, loop, [&](int n) {
        if (auto addressed = addressScale(link.session, scale.target.number, false); !addressed)
            return addressed;
        PluRecord record;
        if (!GetPlu(link.session, n, record)) {
            if (record.price == -1)
                return OperationResult::done(); // an empty cell
            return readFailure(feedback, n);
        }
        table.setRow(table.rowCount() - 1, reportRow(record));
        const ShownTotals shown = shownTotals(record);
        overAll.kopecks += shown.kopecks;
        overAll.grams += shown.grams;
        overAll.sales += shown.sales;
        table.appendRow();
        feedback.processEvents();
        table.setModified();
        return OperationResult::done();
    });
    if (read == TransferOutcome::Stopped)
        closeTable(feedback, table);
    if (!read)
        return read;
    display.end();
    closeTable(feedback, table);
    sums.deliver(overAll);
    feedback.message(operationtext::kReceived);
    return OperationResult::done();
}

OperationResult readReportOne(const ScaleLink& link, const std::string& numberText, TableSink& table,
                              const SaveCommand& save)
{
    // A wrong number changes nothing: it is refused before the question and the emptied table.
    int number = 0;
    const OpenedScale scale = openWithPlu(link, reporttext::kChooseToReadOne, numberText, number);
    if (!scale)
        return scale;
    Feedback& feedback = link.session.feedback();
    if (auto asked = savedFirst(feedback, table, save); !asked)
        return asked;
    emptyTable(feedback, table, TableId::Reports);
    if (auto addressed = addressScale(link.session, scale.target.number, true); !addressed)
        return addressed;
    PluRecord record;
    if (!GetPlu(link.session, number, record)) {
        if (record.price == -1)
            return failed(feedback, Failure::plain(FailureKind::NotFound, reporttext::kNoData).forRecord(number));
        return readFailure(feedback, number);
    }
    table.setRow(1, reportRow(record));
    table.setModified();
    feedback.message(operationtext::kReceived);
    return OperationResult::done();
}

OperationResult readGeneralTotals(const ScaleLink& link, TableSink& table, ValueSink<GeneralTotals>& sink,
                                  const SaveCommand& /*save: nothing is replaced, nothing is asked*/)
{
    const OpenedScale scale = openScale(link, reporttext::kChooseToReadOne);
    if (!scale)
        return scale;
    Feedback& feedback = link.session.feedback();
    if (auto addressed = addressScale(link.session, scale.target.number, true); !addressed)
        return addressed;
    GeneralTotals totals;
    if (!GetTotal(link.session, totals)) {
        feedback.message(reporttext::kCheckScale);
        return readFailure(feedback, -1);
    }
    sink.deliver(totals);
    table.setModified();
    feedback.message(operationtext::kReceived);
    return OperationResult::done();
}

} // namespace qm
