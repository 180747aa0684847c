#include "autoload/AutoVirtualSend.h"

#include "common/Feedback.h"
#include "common/IntText.h"
#include "common/RowSort.h"
#include "common/TableColumns.h"
#include "link/ScaleSession.h"
#include "operation/ScaleFrame.h"
#include "products/PluCheck.h"
#include "products/ProductCommands.h"
#include "products/ProductTexts.h"
#include "products/VirtualLoop.h"

namespace qm
{

OperationResult sendVirtualLoad(const ScaleLink& link, const Table& products)
{
    ScaleSession& session = link.session;
    Feedback& fb = session.feedback();
    const OpenedScale scale = openScale(link, producttext::kChooseToSendTable);
    if (!scale)
        return scale;
    for (int r = 1; r < products.rowCount(); ++r) {
        int column = 0;
        if (PluCheckError(products, r, column))
            return failed(fb, pluRowFailure(r, column));
    }
    // Every number passed its check, so the sort cannot fail.
    Table sorted = products;
    sortRowsByNumber(sorted, TableId::Products, fb, true);
    const std::int64_t first = intTextValue(sorted.cell(1, plucol::Plu));
    const std::int64_t last = intTextValue(sorted.cell(sorted.lastRow(), plucol::Plu));

    const int number = scale.target.number;
    // A range an interrupted load left set makes the scale answer its number with a request,
    // which no addressing takes: it is cancelled first, as the product tab does.
    productsteps::cancelRangeSilently(session, number);
    if (auto addressed = addressScale(session, number); !addressed)
        return addressed;
    // From here the range may be set, even when its acknowledgement was lost.
    OperationResult result;
    if (setPluRange(session, first, last)) {
        session.NewQue();
        productsteps::VirtualPacing pacing;
        pacing.passPauseMs = 0;
        pacing.lookup = productsteps::VirtualPacing::Lookup::FromLastSent;
        result = productsteps::runVirtualLoop(session, number, sorted, pacing);
    } else {
        result = failed(fb, Failure::plain(FailureKind::ExchangeFailed, producttext::kExchangeFailed));
    }
    productsteps::cancelRangeSilently(session, number);
    return result;
}

} // namespace qm
