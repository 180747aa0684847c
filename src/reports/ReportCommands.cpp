#include "reports/ReportCommands.h"

#include "link/ScaleSession.h"

namespace qm
{

bool GetTotal(ScaleSession& session, GeneralTotals& totals)
{
    const auto record =
        session.askRecord(Bytes{kGetTotal}, kGeneralTotalsSize, kGetTotalWindowMs);
    if (!record)
        return false;
    totals = decodeGeneralTotals(record->data());
    return true;
}

bool ClearTotalPlu(ScaleSession& session, std::int64_t plu, bool& emptyCell)
{
    emptyCell = false;
    session.send(encodeClearTotalPlu(plu));
    if (!session.replyWindow(1, kClearTotalWindowMs, Count::Exactly))
        return false;
    const std::uint8_t answer = session.readByte();
    emptyCell = answer == kNotFound;
    return answer == kAck;
}

bool ClearTotal(ScaleSession& session)
{
    session.send(kClearTotal);
    return session.acknowledged(kClearTotalWindowMs);
}

} // namespace qm
