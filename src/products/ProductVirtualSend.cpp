// Sending the product table with virtual synchronisation: the scale is told the range of PLU
// numbers about to come and paces the transfer itself, answering each poll with "ready for the
// next record" or with the PLU number of a record it wants now.

#include "common/Cp1251.h"
#include "common/IntText.h"
#include "common/RowSort.h"
#include "common/TableColumns.h"
#include "common/TableSink.h"
#include "link/ScaleSession.h"
#include "operation/OperationTexts.h"
#include "operation/ScaleFrame.h"
#include "products/ProductCommands.h"
#include "products/ProductRows.h"
#include "products/ProductSteps.h"
#include "products/ProductTexts.h"
#include "products/WireFields.h"

namespace qm
{

namespace
{

constexpr int kPassPauseMs = 210;
constexpr int kErrorBudget = 100;

void writeBack(TableSink& sink, const Table& table)
{
    sink.clear();
    for (int r = 1; r < table.rowCount(); ++r) {
        if (r > 1)
            sink.appendRow();
        sink.setRow(r, table.row(r));
    }
    sink.setModified();
}

class VirtualLoop
{
  public:
    VirtualLoop(ScaleSession& session, int scaleNumber, const Table& products)
        : m_session(session), m_fb(session.feedback()), m_number(scaleNumber), m_products(products)
    {
    }

    // Runs the passes until every row has gone; a failure or the stop flag end it early.
    OperationResult run()
    {
        while (m_current < m_products.rowCount()) {
            m_session.pause(kPassPauseMs);
            m_fb.progressPosition(m_current);
            m_fb.moveCursor(TableId::Products, m_current, 0);
            m_fb.counterText(cp1251ToUtf8(m_products.cell(m_current, plucol::Plu)));
            if (m_fb.stopRequested())
                return OperationResult::stopped();
            if (m_errors > kErrorBudget)
                return failed(m_fb, Failure::plain(FailureKind::ExchangeFailed, producttext::kReloadFailed));
            m_fb.processEvents();
            // After a failed pass a late answer may still come in: it must not be taken for the
            // answer to the next poll.
            if (m_drain)
                m_session.NewQue();
            m_drain = false;
            m_fb.processEvents();
            const PollAnswer answer = pollScale(m_session, m_number);
            m_fb.processEvents();
            OperationResult pass;
            switch (answer.kind) {
            case PollKind::Failed:
                failedPass();
                break;
            case PollKind::Ready:
                pass = sendNext();
                break;
            case PollKind::Request:
                pass = sendRequested(answer.plu);
                break;
            }
            if (!pass)
                return pass;
        }
        return OperationResult::done();
    }

  private:
    void failedPass()
    {
        ++m_errors;
        m_drain = true;
    }

    // Sends the row; a row that cannot be prepared ends the operation with its failure.
    OperationResult sendRow(int row, bool& acknowledged)
    {
        const PreparedRow prepared = prepareRow(m_products.row(row));
        if (!prepared.record)
            return OperationResult::failed(reportRowProblem(m_fb, m_products, row, prepared));
        acknowledged = SendPlu(m_session, *prepared.record);
        // A record the scale did not acknowledge is not counted as sent, the last row included.
        if (!acknowledged)
            failedPass();
        return OperationResult::done();
    }

    OperationResult sendNext()
    {
        bool acknowledged = false;
        if (auto sent = sendRow(m_current, acknowledged); !sent)
            return sent;
        if (acknowledged) {
            m_lastSent = m_current;
            ++m_current;
        }
        return OperationResult::done();
    }

    OperationResult sendRequested(std::int64_t plu)
    {
        // Sequential sending resumes at the last row sent, or at row 1 before any was: row 0
        // is the header.
        const int resume = m_lastSent > 0 ? m_lastSent : 1;
        const int row = findRow(plu);
        if (row < 0) {
            m_current = resume;
            return sendNext();
        }
        m_fb.counterText(cp1251ToUtf8(m_products.cell(row, plucol::Plu)));
        bool acknowledged = false;
        if (auto sent = sendRow(row, acknowledged); !sent)
            return sent;
        m_current = resume;
        return OperationResult::done();
    }

    // The first data row holding the PLU number, row 1 included.
    int findRow(std::int64_t plu) const
    {
        for (int r = 1; r < m_products.rowCount(); ++r) {
            const auto v = intText(m_products.cell(r, plucol::Plu));
            if (v && *v == plu)
                return r;
        }
        return -1;
    }

    ScaleSession& m_session;
    Feedback& m_fb;
    int m_number;
    const Table& m_products;
    int m_errors = 0;
    int m_current = 1;
    int m_lastSent = 0;
    bool m_drain = false;
};

} // namespace

namespace productsteps
{

OperationResult sendWithVirtualSync(const ScaleLink& link, const ScaleTarget& target, const Table& snapshot,
                                    const std::string& startTime, TableSink* sortedOut, ProgressDisplay& display)
{
    ScaleSession& session = link.session;
    Feedback& fb = session.feedback();

    Table products = snapshot;
    const SortResult sort = sortRowsByNumber(products, TableId::Products, fb);
    if (sortedOut)
        writeBack(*sortedOut, products);
    if (!sort.ok) {
        // The sort has reported its failure; the rows written back must not take the cursor
        // from the row at fault.
        fb.moveCursor(TableId::Products, sort.badRow, plucol::Plu);
        display.end();
        return OperationResult::failed(*sort.failure);
    }
    // The bounds go out in 4 bytes each: a number that is no number (a single row escapes the
    // sort's test) or does not fit stops here, before any byte.
    for (int r : {1, products.lastRow()}) {
        const auto number = intText(products.cell(r, plucol::Plu));
        if (!number || !fitsBinary(*number, 4)) {
            PreparedRow bad;
            bad.problem = number ? RowProblem::DoesNotFit : RowProblem::NotInteger;
            bad.column = plucol::Plu;
            const Failure failure = reportRowProblem(fb, products, r, bad);
            display.end();
            return OperationResult::failed(failure);
        }
    }
    const std::int64_t first = intTextValue(products.cell(1, plucol::Plu));
    const std::int64_t last = intTextValue(products.cell(products.lastRow(), plucol::Plu));

    // A range left set by an earlier transfer is cancelled first: the scale may be polling for it.
    session.NewQue();
    session.send(static_cast<std::uint8_t>(target.number));
    session.pause(50);
    cancelPluRange(session, false);
    session.pause(100);

    if (auto addressed = addressScale(session, target.number); !addressed) {
        endLoop(display, fb);
        return addressed;
    }
    if (!setPluRange(session, first, last)) {
        const auto result = failed(fb, Failure::plain(FailureKind::ExchangeFailed, producttext::kExchangeFailed));
        endLoop(display, fb);
        return result;
    }
    session.NewQue();
    display.restart(products.rowCount() - 1);

    VirtualLoop loop(session, target.number, products);
    const OperationResult result = loop.run();
    if (result == TransferOutcome::Stopped) {
        const auto stopped = stoppedWith(fb, Failure::plain(FailureKind::Stopped, operationtext::kStopped));
        cancelVirtualRange(link);
        endLoop(display, fb);
        return stopped;
    }
    if (!result) {
        // A row that cannot be sent keeps the cursor on its cell.
        if (result.failure->namesCellOf(TableId::Products))
            display.end();
        else
            endLoop(display, fb);
        return result;
    }
    fb.message(std::string(producttext::kStartOfTransfer) + startTime + "\r\n" + producttext::kEndOfTransfer +
               timeOfDay());
    const OperationResult cancel = cancelVirtualRange(link);
    endLoop(display, fb);
    // A range left set in the scale keeps it waiting for records: the run is not a success then.
    return cancel;
}

} // namespace productsteps
} // namespace qm
