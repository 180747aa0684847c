#pragma once
// One product operation against an emulated scale: a start directory whose ports.cfg maps COM1
// to the scale, a configuration table naming it "Весы", and a session with a scripted feedback.

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "link/PortMap.h"
#include "link/ScaleSession.h"
#include "link/TComm.h"
#include "products/ProductTransfer.h"
#include "support/EmuProcess.h"
#include "support/ScriptedFeedback.h"

namespace qmtest
{

inline EmuOptions faulty(std::vector<std::string> faults, std::string pace = {})
{
    EmuOptions o;
    o.faults = std::move(faults);
    o.pace = std::move(pace);
    return o;
}

class ProductRig
{
  public:
    explicit ProductRig(EmuOptions options = {}) : scale(options)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qmproducts-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp");
        m_dir = pattern;
        scale.writePortsCfg(m_dir);
        comm = std::make_unique<qm::TComm>(qm::PortMap::load(m_dir));
        session = std::make_unique<qm::ScaleSession>(*comm, fb);
        config = qm::makeTable(qm::configLayout());
        config.setRow(1, {"1", qm::cp("Весы"), "", std::to_string(options.number), "COM1", "19200"});
    }
    ~ProductRig()
    {
        comm.reset();
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }

    qm::ScaleLink link() { return qm::ScaleLink{*session, config, qm::cp("Весы")}; }

    // The scale's events ("command 0x82 write PLU", "PLU 3 written", "poll R" ...), in order.
    std::vector<std::string> events() const
    {
        std::vector<std::string> out;
        for (const auto& e : scale.log())
            if (e.kind == EmuLogEntry::Kind::Event)
                out.push_back(e.event);
        return out;
    }
    // How many events start with the text.
    int countEvents(const std::string& prefix) const
    {
        int n = 0;
        for (const auto& e : events())
            n += e.compare(0, prefix.size(), prefix) == 0;
        return n;
    }

    EmuProcess scale;
    ScriptedFeedback fb;
    std::unique_ptr<qm::TComm> comm;
    std::unique_ptr<qm::ScaleSession> session;
    qm::Table config;

  private:
    std::string m_dir;
};

} // namespace qmtest
