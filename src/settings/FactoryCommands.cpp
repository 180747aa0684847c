#include "settings/FactoryCommands.h"

#include "link/ScaleSession.h"

namespace qm
{

namespace
{
constexpr int kReadWindowMs = 200;
} // namespace

bool ReadFactorySettings(ScaleSession& session, FactorySettings& settings)
{
    const auto answer = session.askRecord(Bytes{kReadFactory}, kFactoryRecordSize, kReadWindowMs);
    if (!answer)
        return false;
    settings = decodeFactory(answer->data());
    return true;
}

} // namespace qm
