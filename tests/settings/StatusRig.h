#pragma once
// A session on COM1 to an emulated scale number 1, for the status, price-key and factory
// commands.

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "StateFile.h"
#include "link/PortMap.h"
#include "link/ScaleSession.h"
#include "link/TComm.h"
#include "support/EmuProcess.h"
#include "support/ScriptedFeedback.h"

namespace qmtest
{

inline EmuOptions withState(const emu::ScaleState& state, std::vector<std::string> faults = {})
{
    EmuOptions o;
    o.stateJson = emu::stateToJson(state);
    o.faults = std::move(faults);
    return o;
}

class StatusRig
{
  public:
    explicit StatusRig(EmuOptions options = {}) : scale(options)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qmstatus-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp");
        m_dir = pattern;
        scale.writePortsCfg(m_dir);
        comm = std::make_unique<qm::TComm>(qm::PortMap::load(m_dir));
        session = std::make_unique<qm::ScaleSession>(*comm, fb);
        if (!session->Connection("COM1", "19200"))
            throw std::runtime_error("the emulated scale's port does not open");
    }
    ~StatusRig()
    {
        session.reset();
        comm.reset();
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }

    EmuProcess scale;
    ScriptedFeedback fb;
    std::unique_ptr<qm::TComm> comm;
    std::unique_ptr<qm::ScaleSession> session;

  private:
    std::string m_dir;
};

} // namespace qmtest
