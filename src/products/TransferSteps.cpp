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

std::optional<ScaleTarget> openProductScale(const ProductLink& link, ProductOperation operation)
{
    return openScale(link.session, link.config, link.scaleName, chooseScaleMessage(operation));
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

bool checkRow(Feedback& feedback, const Table& products, int row)
{
    int column = 0;
    if (!PluCheckError(products, row, column))
        return true;
    feedback.moveCursor(TableId::Products, row, column);
    feedback.processEvents();
    feedback.message(pluRowErrorMessage(column));
    return false;
}

RowSend addressAndSend(ScaleSession& session, int scaleNumber, const Table& products, int row)
{
    // The row is prepared before a byte goes out, so a cell that cannot be sent costs no exchange.
    const PreparedRow prepared = prepareRow(products.row(row));
    if (!prepared.record) {
        reportRowProblem(session.feedback(), products, row, prepared);
        return RowSend::BadRow;
    }
    if (!addressScale(session, scaleNumber))
        return RowSend::NoScale;
    if (!SendPlu(session, *prepared.record)) {
        session.feedback().message(msg::kWriteFailed);
        return RowSend::NoAck;
    }
    return RowSend::Sent;
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
