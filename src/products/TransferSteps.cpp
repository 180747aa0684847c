#include "products/TransferSteps.h"

#include <ctime>

#include "common/IntText.h"
#include "common/TableSink.h"
#include "link/ScaleSession.h"
#include "operation/OperationTexts.h"
#include "operation/ScaleFrame.h"
#include "products/PluCheck.h"
#include "products/ProductColumns.h"
#include "products/ProductCommands.h"
#include "products/ProductMessages.h"
#include "products/ProductRows.h"

namespace qm
{

const char* chooseScaleMessage(ProductOperation operation)
{
    switch (operation) {
    case ProductOperation::SendRow:
        return pmsg::kChooseToSendRow;
    case ProductOperation::ReadAll:
    case ProductOperation::ReadOne:
        return pmsg::kChooseToReadOne;
    case ProductOperation::ReadRange:
        return pmsg::kChooseToReadRange;
    case ProductOperation::DeleteAll:
    case ProductOperation::DeleteOne:
    case ProductOperation::DeleteRange:
        return pmsg::kChooseToDelete;
    case ProductOperation::SendTable:
    case ProductOperation::SendRange:
    case ProductOperation::CancelRange:
        break;
    }
    return pmsg::kChooseToSendTable;
}

namespace steps
{

void endLoop(Feedback& feedback)
{
    feedback.progressEnd();
    feedback.moveCursor(TableId::Products, 1, 0);
}

void clearTable(Feedback& feedback, TableSink& table)
{
    table.clear();
    feedback.moveCursor(TableId::Products, 1, 0);
}

OperationResult checkRow(Feedback& feedback, const Table& products, int row)
{
    int column = 0;
    if (!PluCheckError(products, row, column))
        return OperationResult::done();
    feedback.moveCursor(TableId::Products, row, column);
    feedback.processEvents();
    return failed(feedback, pluRowFailure(row, column));
}

OperationResult addressAndSend(ScaleSession& session, int scaleNumber, const Table& products, int row)
{
    // The row is prepared before a byte goes out, so a cell that cannot be sent costs no exchange.
    const PreparedRow prepared = prepareRow(products.row(row));
    if (!prepared.record)
        return OperationResult::failed(reportRowProblem(session.feedback(), products, row, prepared));
    if (auto addressed = addressScale(session, scaleNumber); !addressed)
        return addressed;
    if (!SendPlu(session, *prepared.record)) {
        const auto plu = static_cast<int>(prepared.record->plu);
        return failed(session.feedback(),
                      Failure::at(FailureKind::NoAck, msg::kWriteFailed, TableId::Products, row, -1).forRecord(plu));
    }
    return OperationResult::done();
}

OperationResult checkedRange(Feedback& feedback, ProductRangeKind kind, int first, int last, int dataRows,
                             NumberRange& range)
{
    const RangeCheck check = checkProductRange(kind, std::to_string(first), std::to_string(last), dataRows);
    if (!check.range)
        return failed(feedback, Failure::plain(FailureKind::RangeRefused, check.message));
    range = *check.range;
    return OperationResult::done();
}

bool pluNumber(const std::string& text, int& plu)
{
    const auto v = intText(text);
    if (!v || *v < 1 || *v > kMaxPlu)
        return false;
    plu = *v;
    return true;
}

std::string timeOfDay()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

} // namespace steps
} // namespace qm
