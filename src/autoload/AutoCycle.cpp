#include "autoload/AutoCycle.h"

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <thread>

#include "autoload/LoadQueue.h"
#include "common/Cp1251.h"
#include "common/Feedback.h"
#include "common/TableColumns.h"
#include "files/TableFiles.h"
#include "link/PortMap.h"
#include "link/ScaleSession.h"
#include "link/SerialLine.h"

namespace qm
{

namespace fs = std::filesystem;

namespace
{

// The feedback of the loads of one port: nothing is shown, and the stop flag is the cycle's.
// An operation's clearStop must not clear it.
class LoadFeedback : public Feedback
{
  public:
    explicit LoadFeedback(const std::function<bool()>& stop) : m_stop(stop) {}
    void message(const std::string&) override {}
    void reportFailure(const Failure&) override {}
    Answer ask(const std::string&, Buttons) override { return Answer::No; }
    void progressStart(int, int) override {}
    void progressPosition(int) override {}
    void progressEnd() override {}
    bool stopRequested() const override { return m_stop && m_stop(); }
    void clearStop() override {}

  private:
    const std::function<bool()>& m_stop;
};

class PortJob
{
  public:
    PortJob(const CycleSetup& setup, std::vector<int> rows) : m_setup(setup), m_rows(std::move(rows)) {}

    // Nothing that goes wrong on one port ends the cycle, nor the other ports.
    void run()
    {
        try {
            runRows();
        } catch (const std::exception&) {
        }
    }

    CycleSummary summary;

  private:
    void runRows()
    {
        std::unique_ptr<SerialLine> line = m_setup.makeLine();
        LoadFeedback feedback(m_setup.stopRequested);
        ScaleSession session(*line, feedback);
        for (int row : m_rows) {
            if (stopped())
                break;
            loadCell(session, row, cfgcol::ProductFile);
            if (stopped())
                break;
            loadCell(session, row, cfgcol::MessageFile);
        }
        line->Disconnect();
    }

    bool stopped() const { return m_setup.stopRequested && m_setup.stopRequested(); }

    void loadCell(ScaleSession& session, int row, int column)
    {
        const std::string& cell = m_setup.config.cell(row, column);
        if (cell.empty())
            return;
        const fs::path file = loadFilePath(cell, m_setup.load.startDirectory);
        // Only a message file named exactly ".msg" is loaded; its queue advances all the same.
        const bool loadable = column == cfgcol::ProductFile || extensionOf(file) == ".msg";
        if (loadable && readyToLoad(file)) {
            const LoadOutcome outcome = column == cfgcol::ProductFile
                                            ? LoadPLUFile(session, m_setup.config, row, file, m_setup.load)
                                            : LoadMSGFile(session, m_setup.config, row, file, m_setup.load);
            ++summary.loads;
            if (!outcome.loaded())
                ++summary.failed;
            if (outcome.line == LoadLine::Stopped)
                return;
        }
        if (m_setup.load.options.queue)
            QuePlu(file);
    }

    const CycleSetup& m_setup;
    std::vector<int> m_rows;
};

void runOnThreads(std::vector<std::function<void()>>& jobs)
{
    std::vector<std::thread> threads;
    threads.reserve(jobs.size());
    for (auto& job : jobs)
        threads.emplace_back(job);
    for (auto& thread : threads)
        thread.join();
}

} // namespace

std::optional<int> periodSeconds(const std::string& text)
{
    if (text.empty() || text.size() > 6)
        return std::nullopt;
    int seconds = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        seconds = seconds * 10 + (c - '0');
    }
    if (seconds < 1 || seconds > kMaxPeriodSeconds)
        return std::nullopt;
    return seconds;
}

fs::path loadFilePath(const std::string& cell, const fs::path& startDirectory)
{
    const fs::path path = fs::u8path(cp1251ToUtf8(cell));
    return path.is_absolute() ? path : startDirectory / path;
}

bool readyToLoad(const fs::path& file)
{
    std::error_code ec;
    if (!fs::exists(file, ec) || fs::is_directory(file, ec))
        return false;
    const auto written = fs::last_write_time(file, ec);
    if (ec)
        return true;
    const auto age = fs::file_time_type::clock::now() - written;
    // A time in the future (a clock set back) is no reason to wait for ever.
    return age >= std::chrono::seconds(kSettleSeconds) || age < -std::chrono::hours(1);
}

CycleSummary runAutoCycle(const CycleSetup& setup)
{
    // Rows by port in table order; a port text that names no port is a group of its own (the
    // load's configuration check writes its line).
    std::map<int, std::vector<int>> byPort;
    int unnamed = 0;
    for (int r = 1; r < setup.config.rowCount(); ++r) {
        if (setup.config.cell(r, cfgcol::ProductFile).empty() && setup.config.cell(r, cfgcol::MessageFile).empty())
            continue;
        const int com = comNumber(setup.config.cell(r, cfgcol::Port));
        byPort[com > 0 ? com : --unnamed].push_back(r);
    }
    std::vector<std::unique_ptr<PortJob>> ports;
    std::vector<std::function<void()>> jobs;
    for (auto& [com, rows] : byPort) {
        ports.push_back(std::make_unique<PortJob>(setup, rows));
        PortJob* job = ports.back().get();
        jobs.push_back([job] { job->run(); });
    }
    if (setup.runTogether)
        setup.runTogether(jobs);
    else
        runOnThreads(jobs);

    CycleSummary summary;
    for (const auto& port : ports) {
        summary.loads += port->summary.loads;
        summary.failed += port->summary.failed;
    }
    summary.stopped = setup.stopRequested && setup.stopRequested();
    return summary;
}

} // namespace qm
