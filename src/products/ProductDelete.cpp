// The delete operations of the product tab: every PLU, one, a range; and the cancel of the
// virtual range.
#include "common/Cp1251.h"
#include "link/ScaleSession.h"
#include "operation/RecordLoop.h"
#include "operation/ScaleFrame.h"
#include "products/PluCheck.h"
#include "products/ProductCommands.h"
#include "products/ProductRanges.h"
#include "products/ProductSteps.h"
#include "products/ProductTexts.h"

namespace qm
{

namespace
{

using productsteps::endLoop;

// PLU numbers first..last deleted one by one; the first one not acknowledged ends the run.
OperationResult deleteLoop(ScaleSession& session, int scaleNumber, int first, int last)
{
    Feedback& fb = session.feedback();
    session.NewQue();
    fb.clearStop();
    ProgressDisplay display(fb, last - first + 1);
    RecordLoop loop;
    loop.first = first;
    loop.last = last;
    loop.stopText = producttext::kDeleteStopped;
    const auto deleted = runRecordLoop(session, display, loop, [&](int n) {
        if (auto addressed = addressScale(session, scaleNumber, false); !addressed)
            return addressed;
        if (!DeletePlu(session, n))
            return failed(fb, Failure::plain(FailureKind::NoAck, producttext::kDeleteFailed).forRecord(n));
        return OperationResult::done();
    });
    if (deleted)
        fb.message(producttext::kTableDeleted);
    endLoop(display, fb);
    return deleted;
}

// The frame and the question, then PLU numbers first..last deleted.
OperationResult deleteNumbers(const ScaleLink& link, const char* question, int first, int last)
{
    const OpenedScale scale = openScale(link, producttext::kChooseToDelete);
    if (!scale)
        return scale;
    if (auto asked = confirmed(link.session.feedback(), question); !asked)
        return asked;
    return deleteLoop(link.session, scale.target.number, first, last);
}

} // namespace

OperationResult deleteAllProducts(const ScaleLink& link)
{
    return deleteNumbers(link, producttext::kDeleteAllQuestion, 1, kMaxPlu);
}

OperationResult deleteProductRange(const ScaleLink& link, int first, int last)
{
    const RangeRule& numbers = productRange(ProductRangeKind::PluToDelete);
    NumberRange range;
    if (auto checked = checkedRange(link.session.feedback(), numbers, first, last, 0, range); !checked)
        return checked;
    return deleteNumbers(link, producttext::kDeleteRangeQuestion, range.first, range.last);
}

OperationResult deleteOneProduct(const ScaleLink& link, const std::string& pluText)
{
    Feedback& fb = link.session.feedback();
    const OpenedScale scale = openScale(link, producttext::kChooseToDelete);
    if (!scale)
        return scale;
    int plu = 0;
    if (auto entered = numberField(fb, pluText, kMaxPlu, producttext::kBadPluToDelete, plu); !entered)
        return entered;
    const std::string question = producttext::kDeleteOneStart + cp1251ToUtf8(pluText) + producttext::kDeleteOneEnd;
    if (auto asked = confirmed(fb, question); !asked)
        return asked;
    if (auto addressed = addressScale(link.session, scale.target.number); !addressed)
        return addressed;
    if (!DeletePlu(link.session, plu))
        return failed(fb, Failure::plain(FailureKind::NoAck, producttext::kNotDeleted).forRecord(plu));
    fb.message(producttext::kDeleted);
    return OperationResult::done();
}

OperationResult cancelVirtualRange(const ScaleLink& link)
{
    Feedback& fb = link.session.feedback();
    const OpenedScale scale = openScale(link, producttext::kChooseToSendTable);
    if (!scale)
        return scale;
    if (auto addressed = addressScale(link.session, scale.target.number); !addressed)
        return addressed;
    if (!cancelPluRange(link.session))
        return failed(fb, Failure::plain(FailureKind::NoAck, producttext::kRangeNotCancelled));
    fb.message(producttext::kRangeCancelled);
    return OperationResult::done();
}

} // namespace qm
