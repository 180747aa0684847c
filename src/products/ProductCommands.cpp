#include "products/ProductCommands.h"

#include "link/ScaleSession.h"
#include "products/PluCodec.h"

namespace qm
{

namespace
{
constexpr int kWriteWindowMs = 900;
constexpr int kWindowMs = 200;

// At line pace a long answer trickles in byte by byte: sleep through the line time of what is
// still missing instead of waking for every byte. An answer merely split in transit is whole
// after one byte time and costs no sleep. The reply window that follows decides as ever.
void awaitTrickle(ScaleSession& session, int count)
{
    if (count - session.waiting() <= 1)
        return;
    session.pause(session.lineTimeMs(1));
    const int missing = count - session.waiting();
    if (missing > 1)
        session.pause(session.lineTimeMs(missing - 1));
}
} // namespace

bool SendPlu(ScaleSession& session, const PluRecord& record)
{
    const auto bytes = encodePluWrite(record);
    if (!bytes)
        return false;
    session.send(*bytes);
    return session.acknowledged(kWriteWindowMs, Count::AtLeast);
}

namespace
{
Reply askPlu(ScaleSession& session, const Bytes& request, std::int64_t plu, PluRecord& record)
{
    record = PluRecord{};
    session.send(request);
    // The status byte and the record usually arrive together: wait for the first byte only.
    if (session.replyWindow(1, kWindowMs, Count::AtLeast)) {
        if (session.readByte() == kNotFound) {
            record.price = -1;
            return Reply::Final;
        }
        awaitTrickle(session, kReadRecordSize);
    }
    if (!session.replyWindow(kReadRecordSize, kWindowMs))
        return Reply::Lost;
    const Bytes bytes = session.readBytes(kReadRecordSize);
    // 100 bytes that are no record of this PLU (garbled on the line, or another record's) are
    // an answer lost: price 0, as for a short answer.
    if (!isPluRecordOf(bytes.data(), plu))
        return Reply::Lost;
    record = decodePluRecord(bytes.data());
    return Reply::Taken;
}
} // namespace

bool GetPlu(ScaleSession& session, std::int64_t plu, PluRecord& record)
{
    record = PluRecord{};
    const auto request = encodePluCommand(kReadPlu, plu);
    if (!request)
        return false;
    return session.ask([&] { return askPlu(session, *request, plu, record); }) == Reply::Taken;
}

bool DeletePlu(ScaleSession& session, std::int64_t plu)
{
    const auto request = encodePluCommand(kDeletePlu, plu);
    if (!request)
        return false;
    session.send(*request);
    return session.acknowledged(kWindowMs);
}

bool setPluRange(ScaleSession& session, std::int64_t first, std::int64_t last)
{
    const auto request = encodeSetRange(first, last);
    if (!request)
        return false;
    session.send(*request);
    return session.acknowledged(kWindowMs);
}

bool cancelPluRange(ScaleSession& session, bool awaitAnswer)
{
    session.send(kCancelRange);
    if (!awaitAnswer)
        return true;
    return session.acknowledged(kWindowMs, Count::AtLeast);
}

PollAnswer pollScale(ScaleSession& session, int scaleNumber)
{
    PollAnswer answer;
    session.send(static_cast<std::uint8_t>(scaleNumber));
    // A request brings six bytes at once: the window ends as soon as the first two are here.
    if (!session.replyWindow(2, kWindowMs, Count::AtLeast))
        return answer;
    const std::uint8_t first = session.readByte();
    const std::uint8_t second = session.readByte();
    if (first != static_cast<std::uint8_t>(scaleNumber))
        return answer;
    if (second == kReady) {
        answer.kind = PollKind::Ready;
    } else if (second == kRequest) {
        if (!session.replyWindow(4, kWindowMs, Count::AtLeast))
            return answer;
        const Bytes plu = session.readBytes(4);
        answer.kind = PollKind::Request;
        answer.plu = readBinary(plu.data(), 4);
    }
    return answer;
}

} // namespace qm
