#include "common/Cp1251.h"
#include "link/ScaleSession.h"
#include "operation/OperationTexts.h"
#include "operation/ScaleFrame.h"
#include "products/ProductColumns.h"
#include "products/ProductCommands.h"
#include "products/ProductMessages.h"
#include "products/ProductRanges.h"
#include "products/TransferSteps.h"

namespace qm
{

namespace
{

// PLU numbers first..last deleted one by one; the first one not acknowledged ends the run.
TransferOutcome deleteLoop(ScaleSession& session, int scaleNumber, int first, int last)
{
    Feedback& fb = session.feedback();
    session.NewQue();
    fb.clearStop();
    fb.progressStart(last - first + 1, 0);
    fb.counterShow(true);
    for (int n = first; n <= last; ++n) {
        if (fb.stopRequested()) {
            fb.message(pmsg::kDeleteStopped);
            steps::endLoop(fb);
            return TransferOutcome::Stopped;
        }
        fb.counterText(std::to_string(n));
        fb.progressPosition(n - first + 1);
        fb.processEvents();
        if (!addressScale(session, scaleNumber, false)) {
            steps::endLoop(fb);
            return TransferOutcome::Failed;
        }
        if (!DeletePlu(session, n)) {
            fb.message(pmsg::kDeleteFailed);
            steps::endLoop(fb);
            return TransferOutcome::Failed;
        }
    }
    fb.message(pmsg::kTableDeleted);
    steps::endLoop(fb);
    return TransferOutcome::Done;
}

// The frame, then the Yes/No question; nullopt when the run ends there (outcome says why).
std::optional<ScaleTarget> openDelete(const ProductLink& link, ProductOperation operation, const char* question,
                                      TransferOutcome& outcome)
{
    auto target = openProductScale(link, operation);
    if (!target) {
        outcome = TransferOutcome::Failed;
        return std::nullopt;
    }
    if (link.session.feedback().ask(question, Buttons::YesNo) != Answer::Yes) {
        outcome = TransferOutcome::Cancelled;
        return std::nullopt;
    }
    return target;
}

} // namespace

TransferOutcome deleteAllProducts(const ProductLink& link)
{
    TransferOutcome outcome = TransferOutcome::Failed;
    const auto target = openDelete(link, ProductOperation::DeleteAll, pmsg::kDeleteAllQuestion, outcome);
    if (!target)
        return outcome;
    return deleteLoop(link.session, target->number, 1, kMaxPlu);
}

TransferOutcome deleteProductRange(const ProductLink& link, int first, int last)
{
    const auto range = checkProductRange(ProductRangeKind::PluToDelete, std::to_string(first), std::to_string(last));
    if (!range.range) {
        link.session.feedback().message(range.message);
        return TransferOutcome::Failed;
    }
    TransferOutcome outcome = TransferOutcome::Failed;
    const auto target = openDelete(link, ProductOperation::DeleteRange, pmsg::kDeleteRangeQuestion, outcome);
    if (!target)
        return outcome;
    return deleteLoop(link.session, target->number, range.range->first, range.range->last);
}

TransferOutcome deleteOneProduct(const ProductLink& link, const std::string& pluText)
{
    Feedback& fb = link.session.feedback();
    const auto target = openProductScale(link, ProductOperation::DeleteOne);
    if (!target)
        return TransferOutcome::Failed;
    int plu = 0;
    if (!steps::pluNumber(pluText, plu)) {
        fb.message(pmsg::kBadPluToDelete);
        return TransferOutcome::Failed;
    }
    const std::string question = std::string(pmsg::kDeleteOneStart) + cp1251ToUtf8(pluText) + pmsg::kDeleteOneEnd;
    if (fb.ask(question, Buttons::YesNo) != Answer::Yes)
        return TransferOutcome::Cancelled;
    if (!addressScale(link.session, target->number))
        return TransferOutcome::Failed;
    if (!DeletePlu(link.session, plu)) {
        fb.message(pmsg::kNotDeleted);
        return TransferOutcome::Failed;
    }
    fb.message(pmsg::kDeleted);
    return TransferOutcome::Done;
}

TransferOutcome cancelVirtualRange(const ProductLink& link)
{
    Feedback& fb = link.session.feedback();
    const auto target = openProductScale(link, ProductOperation::CancelRange);
    if (!target)
        return TransferOutcome::Failed;
    if (!addressScale(link.session, target->number))
        return TransferOutcome::Failed;
    if (!cancelPluRange(link.session)) {
        fb.message(pmsg::kRangeNotCancelled);
        return TransferOutcome::Failed;
    }
    fb.message(pmsg::kRangeCancelled);
    return TransferOutcome::Done;
}

} // namespace qm
