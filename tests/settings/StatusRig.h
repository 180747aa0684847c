#pragma once
// A session on COM1 at 19200 baud, already connected, to an emulated scale number 1, for the
// status, price-key and factory commands.

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "StateFile.h"
#include "operation/ScaleFrame.h"
#include "support/ScaleRig.h"

namespace qmtest
{

inline EmuOptions withState(const emu::ScaleState& state, std::vector<std::string> faults = {})
{
    EmuOptions o;
    o.stateJson = emu::stateToJson(state);
    o.faults = std::move(faults);
    return o;
}

class StatusRig : public ScaleRig
{
  public:
    explicit StatusRig(EmuOptions options = {}) : ScaleRig(std::move(options))
    {
        if (!session.Connection("COM1", "19200"))
            throw std::runtime_error("the emulated scale's port does not open");
    }

    // The session after addressing scale `number` (the commands expect an addressed scale).
    qm::ScaleSession& addressed(int number = 1)
    {
        qm::addressScale(session, number);
        return session;
    }
};

} // namespace qmtest
