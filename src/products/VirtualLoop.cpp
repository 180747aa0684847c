#include "products/VirtualLoop.h"

#include "common/Cp1251.h"
#include "common/Feedback.h"
#include "common/IntText.h"
#include "common/TableColumns.h"
#include "link/ScaleSession.h"
#include "operation/ScaleOperation.h"
#include "products/ProductCommands.h"
#include "products/ProductRows.h"
#include "products/ProductTexts.h"

namespace qm
{
namespace productsteps
{

namespace
{

constexpr int kErrorBudget = 100;
// Passes that send no record in sequence, for the whole transfer: one for every record (each may
// be asked for once on average) plus the error budget.
int transferBudget(const Table& products)
{
    return products.rowCount() - 1 + kErrorBudget;
}

class VirtualLoop
{
  public:
    VirtualLoop(ScaleSession& session, int scaleNumber, const Table& products, const VirtualPacing& pacing)
        : m_session(session), m_fb(session.feedback()), m_number(scaleNumber), m_products(products), m_pacing(pacing)
    {
    }

    OperationResult run()
    {
        while (m_current < m_products.rowCount()) {
            if (m_pacing.passPauseMs > 0)
                m_session.pause(m_pacing.passPauseMs);
            m_fb.progressPosition(m_current);
            m_fb.moveCursor(TableId::Products, m_current, 0);
            m_fb.counterText(cp1251ToUtf8(m_products.cell(m_current, plucol::Plu)));
            if (m_fb.stopRequested())
                return interrupted(m_fb);
            // A lost line answers no pass again; a scale that asks for records for ever would keep
            // the transfer going for ever.
            if (m_errors > kErrorBudget || m_errors + m_requests > transferBudget(m_products) ||
                m_session.lineFailure())
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
                ++m_requests;
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
        const int row = findRow(plu, resume);
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

    int findRow(std::int64_t plu, int resume) const
    {
        const auto holds = [&](int r) {
            const auto v = intText(m_products.cell(r, plucol::Plu));
            return v && *v == plu;
        };
        if (m_pacing.lookup == VirtualPacing::Lookup::FromLastSent) {
            for (int r = m_products.lastRow(); r >= resume; --r)
                if (holds(r))
                    return r;
            return -1;
        }
        for (int r = 1; r < m_products.rowCount(); ++r)
            if (holds(r))
                return r;
        return -1;
    }

    ScaleSession& m_session;
    Feedback& m_fb;
    int m_number;
    const Table& m_products;
    VirtualPacing m_pacing;
    int m_errors = 0;
    int m_requests = 0;
    int m_current = 1;
    int m_lastSent = 0;
    bool m_drain = false;
};

} // namespace

OperationResult runVirtualLoop(ScaleSession& session, int scaleNumber, const Table& products,
                               const VirtualPacing& pacing)
{
    return VirtualLoop(session, scaleNumber, products, pacing).run();
}

void cancelRangeSilently(ScaleSession& session, int scaleNumber)
{
    session.NewQue();
    session.send(static_cast<std::uint8_t>(scaleNumber));
    session.pause(50);
    session.NewQue();
    cancelPluRange(session);
}

} // namespace productsteps
} // namespace qm
