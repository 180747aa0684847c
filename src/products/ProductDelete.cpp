// The delete operations of the product tab: every PLU, one, a range; and the cancel of the
// virtual range.
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

// PLU numbers first..last deleted one by one; the first one not acknowledged ends the run.
OperationResult deleteLoop(ScaleSession& session, int scaleNumber, int first, int last)
{
    Feedback& fb = session.feedback();
    RecordLoop loop;
    loop.stopText = producttext::kDeleteStopped;
    const auto step = [&](int n) {
        if (auto addressed = addressScale(session, scaleNumber, false); !addressed)
            return addressed;
        if (!DeletePlu(session, n))
            return failed(fb, Failure::plain(FailureKind::NoAck, producttext::kDeleteFailed).forRecord(n));
        return OperationResult::done();
    };
    return productsteps::walkNumbers(session, first, last, loop, step, [&](const OperationResult& deleted) {
        if (deleted)
            fb.message(producttext::kTableDeleted);
    });
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
    const OneRecordDelete plu{producttext::kChooseToDelete,
                              kMaxPlu,
                              producttext::kBadPluToDelete,
                              producttext::kDeleteOneStart,
                              producttext::kDeleteOneEnd,
                              kAddressWindowMs,
                              [](ScaleSession& session, int number) { return DeletePlu(session, number); },
                              producttext::kNotDeleted,
                              producttext::kDeleted};
    return deleteOneRecord(link, pluText, plu);
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
