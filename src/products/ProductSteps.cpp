#include "products/ProductSteps.h"

#include <ctime>

#include "common/LocalTime.h"
#include "link/ScaleSession.h"
#include "operation/OperationTexts.h"
#include "operation/ScaleFrame.h"
#include "products/PluCheck.h"
#include "products/ProductCommands.h"
#include "products/ProductRows.h"
#include "products/ProductTexts.h"

namespace qm
{

namespace productsteps
{

void endLoop(ProgressDisplay& display, Feedback& feedback)
{
    display.end();
    feedback.moveCursor(TableId::Products, 1, 0);
}

OperationResult walkNumbers(ScaleSession& session, int first, int last, RecordLoop loop, const RecordStep& step,
                            const std::function<void(const OperationResult&)>& close)
{
    Feedback& fb = session.feedback();
    session.NewQue();
    fb.clearStop();
    ProgressDisplay display(fb, last - first + 1);
    loop.first = first;
    loop.last = last;
    const auto walked = runRecordLoop(session, display, loop, step);
    close(walked);
    endLoop(display, fb);
    return walked;
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
        return failed(
            session.feedback(),
            Failure::at(FailureKind::NoAck, operationtext::kWriteFailed, TableId::Products, row, -1).forRecord(plu));
    }
    return OperationResult::done();
}

std::string timeOfDay()
{
    return timeText(localTimeNow(), "%H:%M:%S");
}

} // namespace productsteps
} // namespace qm
