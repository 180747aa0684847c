// The clear operations of the report tab: the totals of every PLU, of one PLU, the grand total.
// None of them clears the report table's modified flag (see ReportTransfer.h).
#include <string>

#include "common/Cp1251.h"
#include "common/Feedback.h"
#include "link/ScaleSession.h"
#include "operation/OperationTexts.h"
#include "operation/RecordLoop.h"
#include "products/PluCheck.h"
#include "reports/ReportCommands.h"
#include "reports/ReportSteps.h"
#include "reports/ReportTexts.h"
#include "reports/ReportTransfer.h"

namespace qm
{

namespace
{

OperationResult clearFailure(Feedback& feedback, int plu)
{
    return failed(feedback, Failure::plain(FailureKind::NoAck, reporttext::kClearFailed).forRecord(plu));
}

} // namespace

OperationResult clearAllPluTotals(const ScaleLink& link, const std::string& numberText)
{
    int unused = 0;
    const OpenedScale scale = openWithPlu(link, reporttext::kChooseToClear, numberText, unused);
    if (!scale)
        return scale;
    Feedback& feedback = link.session.feedback();
    if (auto asked = confirmed(feedback, reporttext::kClearAllQuestion); !asked)
        return asked;
    link.session.NewQue();
    feedback.counterText("0");
    feedback.clearStop();
    ProgressDisplay display(feedback, kMaxPlu);
    feedback.processEvents();
    RecordLoop loop;
    loop.first = 1;
    loop.last = kMaxPlu;
    const auto cleared = runRecordLoop(link.session, display, loop, [&](int n) {
        if (auto addressed = addressScale(link.session, scale.target.number, false); !addressed)
            return addressed;
        // A cell without a product has no totals; the scale says so and the loop goes on, so
        // that a partly filled scale is cleared to the end.
        bool emptyCell = false;
        if (!ClearTotalPlu(link.session, n, emptyCell) && !emptyCell)
            return clearFailure(feedback, n);
        return OperationResult::done();
    });
    if (!cleared)
        return cleared;
    display.end();
    feedback.message(reporttext::kClearedAll);
    return OperationResult::done();
}

OperationResult clearOnePluTotals(const ScaleLink& link, const std::string& numberText)
{
    int number = 0;
    const OpenedScale scale = openWithPlu(link, reporttext::kChooseToClearOne, numberText, number);
    if (!scale)
        return scale;
    Feedback& feedback = link.session.feedback();
    const std::string shown = cp1251ToUtf8(numberText);
    if (auto asked = confirmed(feedback, reporttext::kClearOneStart + shown + reporttext::kClearOneEnd); !asked)
        return asked;
    if (auto addressed = addressScale(link.session, scale.target.number, true); !addressed)
        return addressed;
    // Any answer but 0xAA, the empty-cell byte 0xEE included, means the totals were not cleared:
    // the clear failed, whatever the reason the scale gives.
    bool emptyCell = false;
    if (!ClearTotalPlu(link.session, number, emptyCell))
        return clearFailure(feedback, number);
    feedback.message(reporttext::kClearedOneStart + shown + reporttext::kClearedOneEnd);
    return OperationResult::done();
}

OperationResult clearGrandTotal(const ScaleLink& link)
{
    const OpenedScale scale = openScale(link, reporttext::kChooseToClear);
    if (!scale)
        return scale;
    Feedback& feedback = link.session.feedback();
    if (auto asked = confirmed(feedback, reporttext::kClearGrandQuestion); !asked)
        return asked;
    if (auto addressed = addressScale(link.session, scale.target.number, true); !addressed)
        return addressed;
    if (!ClearTotal(link.session))
        return clearFailure(feedback, -1);
    feedback.message(reporttext::kClearedGrand);
    return OperationResult::done();
}

} // namespace qm
