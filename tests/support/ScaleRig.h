#pragma once
// A scale operation's link to an emulated scale over a real pseudo-terminal: COM1 leads to the
// scale, a configuration table of one row names it, and the feedback is scripted. `EmuLink` for a
// scale the test runs itself (several links, a scale restarted), `ScaleRig` for one of its own.

#include <string>
#include <utility>
#include <vector>

#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "link/ScaleSession.h"
#include "link/TComm.h"
#include "operation/ScaleFrame.h"
#include "support/ComOne.h"
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

// One configuration row: scale `number` called `name` (UTF-8) on COM1 at `speed`.
inline qm::Table oneScaleConfig(const std::string& name, int number, const std::string& speed)
{
    qm::Table config = qm::makeTable(qm::configLayout());
    qm::Row row(qm::kConfigColumns);
    row[qm::cfgcol::Index] = "1";
    row[qm::cfgcol::Name] = qm::cp(name);
    row[qm::cfgcol::Number] = std::to_string(number);
    row[qm::cfgcol::Port] = "COM1";
    row[qm::cfgcol::Speed] = speed;
    config.setDataRows({row});
    return config;
}

struct EmuLink {
    EmuLink(const EmuProcess& emu, int number, const std::string& name = "Весы 1", const std::string& speed = "9600")
        : config(oneScaleConfig(name, number, speed)), comm(comOne(emu.device())),
          session(comm, fb), link{session, config, qm::cp(name)}
    {
    }
    qm::Table config;
    ScriptedFeedback fb;
    qm::TComm comm;
    qm::ScaleSession session;
    qm::ScaleLink link;
};

struct OwnScale {
    explicit OwnScale(const EmuOptions& options) : scale(options) {}
    EmuProcess scale;
};

// The scale first (a base is built before the link that opens its port): "Весы" at 19200 baud.
struct ScaleRig : OwnScale, EmuLink {
    explicit ScaleRig(const EmuOptions& options = {})
        : OwnScale(options), EmuLink(scale, options.number, "Весы", "19200")
    {
    }

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
};

} // namespace qmtest
