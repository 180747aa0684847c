#include "settings/StatusCommands.h"

#include "common/Feedback.h"
#include "link/ScaleSession.h"
#include "operation/OperationTexts.h"
#include "operation/ScaleFrame.h"
#include "settings/PriceKeyCodec.h"
#include "settings/StatusTexts.h"

namespace qm
{

namespace
{

constexpr int kReadWindowMs = 200;
constexpr int kKeyWriteWindowMs = 500;

// Addresses the scale, sends the request and waits for exactly `count` answer bytes; the
// failure of the exchange carries `kind` and `text`.
OperationResult exchange(ScaleSession& session, int scaleNumber, const Bytes& request, int count, int windowMs,
                         FailureKind kind, const char* text)
{
    if (auto addressed = addressScale(session, scaleNumber); !addressed)
        return addressed;
    session.send(request);
    if (!session.replyWindow(count, windowMs))
        return failed(session.feedback(), Failure::plain(kind, text));
    return OperationResult::done();
}

} // namespace

OperationResult GetStatus(ScaleSession& session, int scaleNumber, ScaleStatus& status)
{
    auto result = exchange(session, scaleNumber, Bytes{kReadStatus}, kStatusRecordSize, kReadWindowMs,
                           FailureKind::ReadFailed, operationtext::kWriteFailed);
    if (result)
        status = decodeStatus(session.readBytes(kStatusRecordSize).data());
    return result;
}

OperationResult PrSet(ScaleSession& session, int scaleNumber, int key, std::int64_t& cell)
{
    const auto request = encodePriceKeyRead(key);
    if (!request)
        return failed(session.feedback(), Failure::plain(FailureKind::BadNumber, statustext::kKeyReadFailed));
    auto result = exchange(session, scaleNumber, *request, kPriceKeyAnswerSize, kReadWindowMs, FailureKind::ReadFailed,
                           statustext::kKeyReadFailed);
    if (!result)
        return result;
    const auto read = decodePriceKey(session.readBytes(kPriceKeyAnswerSize).data());
    if (!read)
        return failed(session.feedback(), Failure::plain(FailureKind::ReadFailed, statustext::kKeyReadFailed));
    cell = *read;
    return result;
}

OperationResult SendPrSet(ScaleSession& session, int scaleNumber, std::int64_t cell, int key)
{
    const auto request = encodePriceKeyWrite(cell, key);
    if (!request)
        return failed(session.feedback(), Failure::plain(FailureKind::BadNumber, statustext::kKeyWriteFailed));
    if (auto addressed = addressScale(session, scaleNumber); !addressed)
        return addressed;
    session.send(*request);
    if (!session.acknowledged(kKeyWriteWindowMs))
        return failed(session.feedback(), Failure::plain(FailureKind::NoAck, statustext::kKeyWriteFailed));
    return OperationResult::done();
}

OperationResult ReadFactorySettings(ScaleSession& session, int scaleNumber, FactorySettings& settings)
{
    auto result = exchange(session, scaleNumber, Bytes{kReadFactory}, kFactoryRecordSize, kReadWindowMs,
                           FailureKind::ReadFailed, statustext::kFactoryReadFailed);
    if (result)
        settings = decodeFactory(session.readBytes(kFactoryRecordSize).data());
    return result;
}

} // namespace qm
