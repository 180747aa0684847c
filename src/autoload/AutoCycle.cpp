#include "autoload/AutoCycle.h"

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <numeric>
#include <set>
#include <thread>

#include "autoload/LoadQueue.h"
#include "common/Cp1251.h"
#include "common/QuietFeedback.h"
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

// A load file as the job holds it during the cycle.
struct HeldFile {
    int loadsLeft = 0;            // the job's loads of it still to come this cycle
    bool decided = false;         // whether it is ready is asked once, at its first row
    std::optional<FileRead> read; // its bytes when it was ready: every row loads these
    bool allLoaded = true;
};

// Where the job is, for the line of a fault that breaks it off.
struct JobPlace {
    int row = 1;
    LoadKind kind = LoadKind::Products;
    fs::path file;
};

class LoadJob
{
  public:
    LoadJob(const CycleSetup& setup, std::vector<int> rows) : m_setup(setup), m_rows(std::move(rows))
    {
        for (int row : m_rows)
            for (int column : {cfgcol::ProductFile, cfgcol::MessageFile})
                if (const auto file = loadableFile(row, column))
                    ++m_files[file->lexically_normal()].loadsLeft;
        // Before the first load, a fault is told as the first row's.
        const int first = m_rows.front();
        const bool products = !m_setup.config.cell(first, cfgcol::ProductFile).empty();
        const int column = products ? cfgcol::ProductFile : cfgcol::MessageFile;
        m_place = {first, products ? LoadKind::Products : LoadKind::Messages,
                   loadFilePath(m_setup.config.cell(first, column), m_setup.load.startDirectory)};
    }

    // Nothing that goes wrong in one job ends the cycle, nor the other jobs; a fault of the
    // program itself ends this job with the line of the load it was at, and the beep.
    void run()
    {
        try {
            runRows();
            return;
        } catch (...) {
        }
        try {
            loadBroken(m_setup.config, m_place.row, m_place.kind, m_place.file, m_setup.load);
            ++summary.loads;
            ++summary.failed;
        } catch (...) {
        }
    }

    CycleSummary summary;

  private:
    void runRows()
    {
        std::unique_ptr<SerialLine> line = m_setup.makeLine();
        QuietFeedback feedback(m_setup.stopRequested); // the loads of one port; the stop is the cycle's
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

    // The file of a cell that is loaded when it is there: any product file, and a message file
    // named exactly ".msg".
    std::optional<fs::path> loadableFile(int row, int column) const
    {
        const std::string& cell = m_setup.config.cell(row, column);
        if (cell.empty())
            return std::nullopt;
        const fs::path file = loadFilePath(cell, m_setup.load.startDirectory);
        if (column == cfgcol::MessageFile && extensionOf(file) != ".msg")
            return std::nullopt;
        return file;
    }

    void loadCell(ScaleSession& session, int row, int column)
    {
        const std::string& cell = m_setup.config.cell(row, column);
        if (cell.empty())
            return;
        const fs::path file = loadFilePath(cell, m_setup.load.startDirectory);
        const LoadKind kind = column == cfgcol::ProductFile ? LoadKind::Products : LoadKind::Messages;
        m_place = {row, kind, file};
        if (loadableFile(row, column) && !loadHeld(session, row, kind, file))
            return;
        if (m_setup.load.options.queue)
            QuePlu(file);
    }

    // Loads the row from the file's bytes, read at the file's first row this cycle. After the
    // last row that names it, the file goes if every one of them was loaded; else it stays for
    // the next cycle, which loads it into all of them again. False when the load was stopped.
    bool loadHeld(ScaleSession& session, int row, LoadKind kind, const fs::path& file)
    {
        HeldFile& held = m_files[file.lexically_normal()];
        if (!held.decided) {
            held.decided = true;
            if (readyToLoad(file))
                held.read = readLoadFile(file);
        }
        if (held.read) {
            const LoadOutcome outcome = kind == LoadKind::Products
                                            ? LoadPLUFile(session, m_setup.config, row, file, *held.read, m_setup.load)
                                            : LoadMSGFile(session, m_setup.config, row, file, *held.read, m_setup.load);
            ++summary.loads;
            if (!outcome.loaded())
                ++summary.failed;
            held.allLoaded = held.allLoaded && outcome.loaded();
            if (outcome.line == LoadLine::Stopped)
                return false;
        }
        if (--held.loadsLeft == 0 && held.read && held.allLoaded)
            endLoadFile(file, held.read->bytes, m_setup.load);
        return true;
    }

    const CycleSetup& m_setup;
    std::vector<int> m_rows;
    std::map<fs::path, HeldFile> m_files;
    JobPlace m_place;
};

// Joins rows into the groups that must run one after the other (see runAutoCycle).
class RowGroups
{
  public:
    explicit RowGroups(int rows) : m_parent(static_cast<size_t>(rows))
    {
        std::iota(m_parent.begin(), m_parent.end(), 0);
    }
    // Puts the row into the group of the first row that had the same key.
    void tie(const std::string& key, int row)
    {
        const auto [at, inserted] = m_firstWith.emplace(key, row);
        if (!inserted)
            m_parent[static_cast<size_t>(root(row))] = root(at->second);
    }
    int root(int row) const
    {
        while (m_parent.at(static_cast<size_t>(row)) != row)
            row = m_parent.at(static_cast<size_t>(row));
        return row;
    }

  private:
    std::vector<int> m_parent;
    std::map<std::string, int> m_firstWith;
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

// Ordering. Rows on one port share a line, and rows that name one load file share its bytes and
// its fate: the file may go only once every one of them is loaded. Both ties are made before the
// threads start: rows are joined into one group by a common port and by a common load file (a row
// on COM1 and a row on COM2 naming one file make one group of both ports), and each group is one
// job on one thread, its rows in table order, one load after the other. So a file's bytes, its
// count of loads still to come and the decision to delete it belong to one thread; no two loads
// of one file run at once; and ports that share no file still load at the same time.
CycleSummary runAutoCycle(const CycleSetup& setup)
{
    // A file a killed run left at its private name is back before any job looks for it.
    std::set<fs::path> named;
    for (int r = 1; r < setup.config.rowCount(); ++r)
        for (int column : {cfgcol::ProductFile, cfgcol::MessageFile})
            if (const std::string& cell = setup.config.cell(r, column); !cell.empty())
                named.insert(loadFilePath(cell, setup.load.startDirectory).lexically_normal());
    for (const auto& file : named)
        takeBackLoadFile(file, setup.load);

    // A port text that names no port ties its row to nothing (the load's configuration check
    // writes its line).
    RowGroups groups(setup.config.rowCount());
    std::vector<int> rows;
    for (int r = 1; r < setup.config.rowCount(); ++r) {
        const std::string& products = setup.config.cell(r, cfgcol::ProductFile);
        const std::string& messages = setup.config.cell(r, cfgcol::MessageFile);
        if (products.empty() && messages.empty())
            continue;
        rows.push_back(r);
        if (const int com = comNumber(setup.config.cell(r, cfgcol::Port)); com > 0)
            groups.tie("COM" + std::to_string(com), r);
        for (const std::string* cell : {&products, &messages})
            if (!cell->empty())
                groups.tie("file " + loadFilePath(*cell, setup.load.startDirectory).lexically_normal().string(), r);
    }
    std::map<int, std::vector<int>> byGroup;
    for (int r : rows)
        byGroup[groups.root(r)].push_back(r);

    std::vector<std::unique_ptr<LoadJob>> loads;
    std::vector<std::function<void()>> jobs;
    for (auto& [root, members] : byGroup) {
        loads.push_back(std::make_unique<LoadJob>(setup, members));
        LoadJob* job = loads.back().get();
        jobs.push_back([job] { job->run(); });
    }
    if (setup.runTogether)
        setup.runTogether(jobs);
    else
        runOnThreads(jobs);

    CycleSummary summary;
    for (const auto& job : loads) {
        summary.loads += job->summary.loads;
        summary.failed += job->summary.failed;
    }
    summary.stopped = setup.stopRequested && setup.stopRequested();
    return summary;
}

} // namespace qm
