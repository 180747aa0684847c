#pragma once
// Automatic loading against emulated scales: a start directory whose ports.cfg maps COM1, COM2
// ... to one emulated scale each, a configuration table, load files written into the directory,
// and a report that records what the loads told it.

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "autoload/AutoCycle.h"
#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "link/PortMap.h"
#include "link/ScaleSession.h"
#include "link/TComm.h"
#include "support/CliProcess.h"
#include "support/EmuProcess.h"
#include "support/LoadFiles.h"
#include "support/ScriptedFeedback.h"

namespace qmtest
{

// What the report heard, in order, with the moment of each call.
class RecordingReport : public qm::LoadReport
{
  public:
    struct Call {
        bool begins;
        std::string name;
        qm::LoadOutcome outcome;
        std::chrono::steady_clock::time_point at;
    };
    void loadBegins(const std::string& name) override
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        calls.push_back({true, name, {}, std::chrono::steady_clock::now()});
    }
    void loadEnded(const qm::LoadOutcome& outcome) override
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        calls.push_back({false, outcome.scaleName, outcome, std::chrono::steady_clock::now()});
    }
    std::vector<qm::LoadOutcome> ended() const
    {
        std::vector<qm::LoadOutcome> out;
        for (const auto& c : calls)
            if (!c.begins)
                out.push_back(c.outcome);
        return out;
    }
    std::vector<Call> calls;

  private:
    std::mutex m_mutex;
};

class AutoRig
{
  public:
    // One emulated scale per options entry, on COM1, COM2 ... in order.
    explicit AutoRig(std::vector<EmuOptions> scales = {EmuOptions{}})
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qmautoload-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp");
        dir = pattern;
        int com = 1;
        for (auto& options : scales) {
            emus.push_back(std::make_unique<EmuProcess>(options));
            emus.back()->writePortsCfg(dir.string(), com++);
        }
        config = qm::makeTable(qm::configLayout());
        setup.startDirectory = dir;
        setup.report = &report;
    }
    ~AutoRig()
    {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }

    EmuProcess& scale(int i = 0) { return *emus.at(static_cast<size_t>(i)); }

    // Adds a configuration row; name in UTF-8.
    int addRow(const std::string& name, int number, const std::string& port, const std::string& productFile,
               const std::string& messageFile = {}, const std::string& speed = "19200")
    {
        const int row = config.rowCount() == 2 && config.cell(1, 1).empty() ? 1 : config.rowCount();
        if (row > 1)
            config.appendRow();
        config.setRow(row, {std::to_string(row), qm::cp(name), "", std::to_string(number), port, speed, productFile,
                            messageFile, ""});
        return row;
    }

    // Writes a file of the start directory, dated back so that it counts as settled.
    void put(const std::string& name, const std::string& bytes, bool settled = true)
    {
        const auto path = dir / name;
        std::ofstream(path, std::ios::binary) << bytes;
        if (settled)
            std::filesystem::last_write_time(path,
                                             std::filesystem::file_time_type::clock::now() - std::chrono::seconds(10));
    }
    bool has(const std::string& name) const { return std::filesystem::exists(dir / name); }
    std::string protocol() const { return fileText(dir / "protocol.txt"); }

    // A session over a new line to the start directory's ports.
    qm::LoadOutcome loadProducts(int row, const std::string& file)
    {
        return withSession([&](qm::ScaleSession& s) { return qm::LoadPLUFile(s, config, row, dir / file, setup); });
    }
    qm::LoadOutcome loadMessages(int row, const std::string& file)
    {
        return withSession([&](qm::ScaleSession& s) { return qm::LoadMSGFile(s, config, row, dir / file, setup); });
    }

    // `makeLine` replaces the lines to the start directory's ports.
    qm::CycleSummary cycle(std::function<bool()> stop = {},
                           std::function<std::unique_ptr<qm::SerialLine>()> makeLine = {})
    {
        qm::CycleSetup cycle;
        cycle.config = config;
        cycle.load = setup;
        const qm::PortMap ports = qm::PortMap::load(dir.string());
        cycle.makeLine = [ports] { return std::make_unique<qm::TComm>(ports); };
        if (makeLine)
            cycle.makeLine = std::move(makeLine);
        cycle.stopRequested = std::move(stop);
        cycle.runTogether = &qm::TComm::runTogether;
        return qm::runAutoCycle(cycle);
    }

    std::filesystem::path dir;
    std::vector<std::unique_ptr<EmuProcess>> emus;
    qm::Table config;
    RecordingReport report;
    qm::LoadSetup setup;

  private:
    template <class F> qm::LoadOutcome withSession(F load)
    {
        qm::TComm comm(qm::PortMap::load(dir.string()));
        ScriptedFeedback feedback;
        qm::ScaleSession session(comm, feedback);
        auto out = load(session);
        comm.Disconnect();
        return out;
    }
};

} // namespace qmtest
