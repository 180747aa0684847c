#include "common/Cp1251.h"
#include "link/ScaleSession.h"
#include "operation/OperationTexts.h"
#include "operation/ScaleFrame.h"
#include "products/ProductColumns.h"
#include "products/ProductCommands.h"
#include "products/ProductMessages.h"
#include "products/TransferSteps.h"

namespace qm
{

namespace
{

// PLU numbers first..last deleted one by one; the first one not acknowledged ends the run.
OperationResult deleteLoop(ScaleSession& session, int scaleNumber, int first, int last)
{
    Feedback& fb = session.feedback();
    session.NewQue();
    fb.clearStop();
    fb.progressStart(last - first + 1, 0);
    fb.counterShow(true);
    for (int n = first; n <= last; ++n) {
        if (fb.stopRequested()) {
            const auto result = stoppedWith(fb, Failure::plain(FailureKind::Stopped, pmsg::kDeleteStopped));
            steps::endLoop(fb);
            return result;
        }
        fb.counterText(std::to_string(n));
        fb.progressPosition(n - first + 1);
        fb.processEvents();
        if (auto addressed = addressScale(session, scaleNumber, false); !addressed) {
            steps::endLoop(fb);
            return addressed;
        }
        if (!DeletePlu(session, n)) {
            const auto result = failed(fb, Failure::plain(FailureKind::NoAck, pmsg::kDeleteFailed).forRecord(n));
            steps::endLoop(fb);
            return result;
        }
    }
    fb.message(pmsg::kTableDeleted);
    steps::endLoop(fb);
    return OperationResult::done();
}

// The frame, then the Yes/No question; Cancelled when the answer is not Yes.
OpenedScale openDelete(const ProductLink& link, ProductOperation operation, const char* question)
{
    OpenedScale scale = openScale(link, chooseScaleMessage(operation));
    if (scale && link.session.feedback().ask(question, Buttons::YesNo) != Answer::Yes)
        scale.outcome = TransferOutcome::Cancelled;
    return scale;
}

} // namespace

OperationResult deleteAllProducts(const ProductLink& link)
{
    const OpenedScale scale = openDelete(link, ProductOperation::DeleteAll, pmsg::kDeleteAllQuestion);
    if (!scale)
        return scale;
    return deleteLoop(link.session, scale.target.number, 1, kMaxPlu);
}

OperationResult deleteProductRange(const ProductLink& link, int first, int last)
{
    NumberRange range;
    if (auto checked =
            steps::checkedRange(link.session.feedback(), ProductRangeKind::PluToDelete, first, last, 0, range);
        !checked)
        return checked;
    const OpenedScale scale = openDelete(link, ProductOperation::DeleteRange, pmsg::kDeleteRangeQuestion);
    if (!scale)
        return scale;
    return deleteLoop(link.session, scale.target.number, range.first, range.last);
}

OperationResult deleteOneProduct(const ProductLink& link, const std::string& pluText)
{
    Feedback& fb = link.session.feedback();
    const OpenedScale scale = openScale(link, chooseScaleMessage(ProductOperation::DeleteOne));
    if (!scale)
        return scale;
    int plu = 0;
    if (!steps::pluNumber(pluText, plu))
        return failed(fb, Failure::plain(FailureKind::BadNumber, pmsg::kBadPluToDelete));
    const std::string question = std::string(pmsg::kDeleteOneStart) + cp1251ToUtf8(pluText) + pmsg::kDeleteOneEnd;
    if (fb.ask(question, Buttons::YesNo) != Answer::Yes)
        return OperationResult::cancelled();
    if (auto addressed = addressScale(link.session, scale.target.number); !addressed)
        return addressed;
    if (!DeletePlu(link.session, plu))
        return failed(fb, Failure::plain(FailureKind::NoAck, pmsg::kNotDeleted).forRecord(plu));
    fb.message(pmsg::kDeleted);
    return OperationResult::done();
}

OperationResult cancelVirtualRange(const ProductLink& link)
{
    Feedback& fb = link.session.feedback();
    const OpenedScale scale = openScale(link, chooseScaleMessage(ProductOperation::CancelRange));
    if (!scale)
        return scale;
    if (auto addressed = addressScale(link.session, scale.target.number); !addressed)
        return addressed;
    if (!cancelPluRange(link.session))
        return failed(fb, Failure::plain(FailureKind::NoAck, pmsg::kRangeNotCancelled));
    fb.message(pmsg::kRangeCancelled);
    return OperationResult::done();
}

} // namespace qm
