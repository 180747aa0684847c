// The soak of the unattended load: `qmscales-cli autoload` run again and again, as --once cycles
// and as the service (--period 1, stopped by SIGTERM), over four emulated scales on four
// pseudo-terminals that are switched off and on with random faults, while load files (product and
// message files, valid, with a wrong row, or empty) appear at their names and in their queues
// between and during the cycles. After every run:
//
//   - every file written is either still there, whole and under a name of its own cell (its load
//     name or a slot of its queue), or gone; a gone file was valid, its scale holds every record
//     of it, and a success line names its cell;
//   - every record a scale holds is a row of a valid file meant for that scale;
//   - the protocol gained exactly the lines the program printed, one per load; after a --once
//     cycle these are exactly the loads the files in place called for, each with the line its
//     file and its scale allow, and the files stand exactly where the queues move them;
//   - the program ended by itself (--once) or within seconds of SIGTERM, with its exit status.
//
// QM_SOAK_SECONDS (default 35) and QM_SOAK_SEED (default 1) choose the length and the schedule;
// scripts/soak.sh runs it long. The seed is printed: the same seed replays the same schedule of
// files, faults and stops, though the timing of the lines may differ.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iostream>
#include <regex>
#include <thread>

#include "SoakWorld.h"
#include "autoload/LoadProtocol.h"
#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "files/TableFiles.h"
#include "support/CliProcess.h"

namespace soak
{
namespace
{

using Clock = std::chrono::steady_clock;
using qm::LoadLine;
using ms = std::chrono::milliseconds;

struct Settings {
    int seconds = 35;
    std::uint64_t seed = 1;
    bool verbose = false; // every run and its lines
};

Settings settingsFromEnvironment()
{
    Settings s;
    if (const char* v = std::getenv("QM_SOAK_SECONDS"); v && *v)
        s.seconds = std::max(1, std::atoi(v));
    if (const char* v = std::getenv("QM_SOAK_SEED"); v && *v)
        s.seed = std::strtoull(v, nullptr, 10);
    if (const char* v = std::getenv("QM_SOAK_VERBOSE"); v && *v && std::string(v) != "0")
        s.verbose = true;
    return s;
}

// ---- The program -------------------------------------------------------------------------

// qmscales-cli as a child that dies with the test, its output in files.
class CliChild
{
  public:
    CliChild(const std::vector<std::string>& args, const fs::path& workDir, const fs::path& out, const fs::path& err)
        : m_pid(qmtest::startCli(args, out, err, workDir))
    {
    }
    ~CliChild()
    {
        if (running()) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, &m_status, 0);
        }
    }
    CliChild(const CliChild&) = delete;
    CliChild& operator=(const CliChild&) = delete;

    bool running()
    {
        if (m_ended)
            return false;
        if (::waitpid(m_pid, &m_status, WNOHANG) == m_pid)
            m_ended = true;
        return !m_ended;
    }
    // True when it ended before the deadline.
    bool waitUntil(Clock::time_point deadline)
    {
        while (running()) {
            if (Clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(ms(5));
        }
        return true;
    }
    void signal(int s) const { ::kill(m_pid, s); }
    // The exit status, or a text for a death by signal.
    std::string ending() const
    {
        if (WIFEXITED(m_status))
            return "exit " + std::to_string(WEXITSTATUS(m_status));
        if (WIFSIGNALED(m_status))
            return std::string("killed by signal ") + ::strsignal(WTERMSIG(m_status));
        return "unknown end";
    }

  private:
    pid_t m_pid = -1;
    int m_status = 0;
    bool m_ended = false;
};

// ---- Lines -------------------------------------------------------------------------------

// A protocol line, as the protocol file or standard output has it (UTF-8).
struct Line {
    std::string text;
    std::string name; // the scale name it is about
    LoadLine kind = LoadLine::Stopped;
    int badRow = 0;
    int cell = -1; // from standard output's file name
    bool known = false;
    std::time_t written = 0; // the stamp as local time
};

const char* lineName(LoadLine line)
{
    switch (line) {
    case LoadLine::BadConfig:
        return "P1 config";
    case LoadLine::PortUnavailable:
        return "P2 port";
    case LoadLine::NoLink:
        return "P3 link";
    case LoadLine::NoAck:
        return "P4 no ack";
    case LoadLine::ExchangeFailed:
        return "P5 exchange";
    case LoadLine::ProductsLoaded:
        return "P6 products loaded";
    case LoadLine::MessagesLoaded:
        return "P7 messages loaded";
    case LoadLine::BadRow:
        return "bad row";
    case LoadLine::EmptyFile:
        return "empty file";
    case LoadLine::UnreadableFile:
        return "unreadable file";
    case LoadLine::Stopped:
        return "stopped";
    case LoadLine::Broken:
        return "program fault";
    case LoadLine::SnapshotFailed:
        return "snapshot failed";
    }
    return "?";
}

bool loaded(LoadLine line)
{
    return line == LoadLine::ProductsLoaded || line == LoadLine::MessagesLoaded;
}

std::vector<std::string> splitLines(const std::string& text, const std::string& end, std::string* rest = nullptr)
{
    std::vector<std::string> out;
    size_t from = 0;
    for (size_t at = text.find(end); at != std::string::npos; at = text.find(end, from)) {
        out.push_back(text.substr(from, at - from));
        from = at + end.size();
    }
    if (rest)
        *rest = text.substr(from);
    return out;
}

// ---- The soak ----------------------------------------------------------------------------

class Soak
{
  public:
    explicit Soak(Settings settings) : m_settings(settings), m_rng(settings.seed) { setUp(); }
    ~Soak()
    {
        for (auto& scale : m_scales)
            scale->stop();
        if (m_violations == 0) {
            std::error_code ec;
            fs::remove_all(m_root, ec);
        } else {
            std::cout << "soak: the start directory and the program's output are kept in " << m_root.string()
                      << std::endl;
        }
    }

    void run();

  private:
    struct Options {
        bool virtualSync = false, noQueue = false, noProtocol = false, trace = false;
        std::string text() const
        {
            return std::string(virtualSync ? " --virtual" : "") + (noQueue ? " --no-queue" : "") +
                   (noProtocol ? " --no-protocol" : "") + (trace ? " (--trace)" : "");
        }
        // The program's words: the start directory and configuration, then the command.
        std::vector<std::string> args(const fs::path& start, const fs::path& out,
                                      std::vector<std::string> command) const
        {
            std::vector<std::string> words{"--dir", start.string(), "--config", (start / "scales.cfl").string()};
            if (trace)
                words.insert(words.end(), {"--trace", (out / "trace.txt").string()});
            words.insert(words.end(), command.begin(), command.end());
            if (virtualSync)
                words.push_back("--virtual");
            if (noQueue)
                words.push_back("--no-queue");
            if (noProtocol)
                words.push_back("--no-protocol");
            return words;
        }
    };

    void setUp();
    void onceCycle();
    void serviceEpoch();

    // Changes of the world between runs, and the ones a running service meets.
    void betweenRuns();
    void serviceAction();
    void settleAll(bool futureToo);
    int drop(int cell, bool atLoadName, fs::file_time_type written);
    void rewrite(int cell, bool sameStamp);
    void withdraw(const fs::path& path);
    void rotateProtocol();
    void switchScales(double restart, double off);

    // Checks.
    std::vector<Line> programLines(const fs::path& out);
    std::vector<std::string> protocolLines();
    void classify(Line& line) const;
    void checkLines(const std::vector<Line>& printed, const Options& options, bool stopped, bool service);
    std::map<fs::path, int> checkFiles();
    void checkRecords();
    void checkSuccesses(const std::vector<Line>& printed, const std::map<int, int>& withdrawnMeanwhile);
    int fileOf(ino_t inode) const;
    void gone(int id);

    void violation(const std::string& what);
    void tell(Clock::time_point start, const std::vector<Line>& printed) const;
    Options randomOptions();
    void progress(bool last = false);

    Settings m_settings;
    Rng m_rng;
    fs::path m_root, m_start, m_tty, m_tmp, m_out;
    std::vector<std::unique_ptr<SoakScale>> m_scales;
    std::vector<Cell> m_cells;
    std::vector<NumberPool> m_plu, m_msg; // per scale, then one for the cells of no scale
    std::vector<LoadFile> m_files;        // by id
    std::map<ino_t, int> m_pending;       // inode of each file in place
    std::map<int, int> m_goneSinceCheck;  // by cell
    std::vector<fs::path> m_rotated;      // protocol files taken away since the last check
    std::uintmax_t m_protocolOffset = 0;  // what of protocol.txt the checks have read
    int m_tmpCounter = 0;

    std::string m_step;
    int m_violations = 0;
    Clock::time_point m_begin, m_lastProgress;
    int m_onceCycles = 0, m_serviceEpochs = 0, m_powerOffs = 0, m_rewrites = 0;
    std::map<std::string, int> m_lineCounts;
};

void Soak::violation(const std::string& what)
{
    ++m_violations;
    ADD_FAILURE() << "[soak seed " << m_settings.seed << ", " << m_step << "] " << what;
    if (m_violations >= 25)
        throw std::runtime_error("too many violations, the soak ends");
}

void Soak::tell(Clock::time_point start, const std::vector<Line>& printed) const
{
    if (!m_settings.verbose)
        return;
    std::cout << "soak: " << m_step << ": " << std::chrono::duration_cast<ms>(Clock::now() - start).count()
              << " ms; scales:";
    for (const auto& scale : m_scales)
        std::cout << " COM" << scale->com() << " " << (scale->up() ? scale->life().text() : "off") << ";";
    std::cout << "\n";
    for (const auto& line : printed)
        std::cout << "    " << line.text << "  ["
                  << (line.cell >= 0 ? m_cells[static_cast<size_t>(line.cell)].text : "?") << "]\n";
    std::cout << std::flush;
}

void Soak::setUp()
{
    std::string pattern = (fs::temp_directory_path() / "qmsoak-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp");
    m_root = pattern;
    m_start = m_root / "start";
    m_tty = m_root / "tty";
    m_tmp = m_root / "tmp";
    m_out = m_root / "out";
    for (const auto& d : {m_start, m_start / "in", m_tty, m_tmp, m_out})
        fs::create_directories(d);

    // Four scales, each on its own port; COM4 is a 9600 baud line.
    std::ofstream ports(m_start / "ports.cfg");
    for (int com = 1; com <= 4; ++com) {
        const fs::path link = m_tty / ("COM" + std::to_string(com));
        m_scales.push_back(std::make_unique<SoakScale>(com, com, com == 4 ? 9600 : 19200, link));
        ports << "COM" << com << "=" << link.string() << "\n";
        m_plu.emplace_back(4000);
        m_msg.emplace_back(1000);
    }
    m_plu.emplace_back(4000);
    m_msg.emplace_back(1000);

    // The rows: two rows for the scale on COM1, a row whose speed is wrong (COM2), a row whose
    // number no scale answers (COM3), load files relative, in a folder and absolute, a .plu
    // product file and a message column that names no .msg file.
    struct RowSpec {
        const char* name;
        int number;
        int com;
        const char* speed;
        std::string products, messages;
        int scale;
    };
    const std::string absolute = (m_start / "cheese.pl6").string();
    const std::vector<RowSpec> rows{
        {"Мясо", 1, 1, "19200", "meat.pl6", "meat.msg", 0},
        {"Рыба", 2, 2, "19200", "fish.plu", "fish.msg", 1},
        {"Хлеб", 3, 3, "19200", "in/bread.pl6", "", 2},
        {"Сыр", 4, 4, "9600", absolute, "cheese.msg", 3},
        {"Колбаса", 1, 1, "19200", "sausage.pl6", "sausage.msg", 0},
        {"Склад", 7, 2, "1234", "store.pl6", "", -1},
        {"Касса", 9, 3, "19200", "till.pl6", "till.txt", -1},
    };
    qm::Table config = qm::makeTable(qm::configLayout());
    std::vector<qm::Row> data;
    for (size_t i = 0; i < rows.size(); ++i) {
        const RowSpec& r = rows[i];
        const int row = static_cast<int>(i) + 1;
        data.push_back({std::to_string(row), qm::cp(r.name), "", std::to_string(r.number),
                        "COM" + std::to_string(r.com), r.speed, r.products, r.messages, ""});
        for (Kind kind : {Kind::Products, Kind::Messages}) {
            const std::string& text = kind == Kind::Products ? r.products : r.messages;
            if (text.empty())
                continue;
            Cell cell;
            cell.row = row;
            cell.name = r.name;
            cell.com = r.com;
            cell.kind = kind;
            cell.text = text;
            cell.path = fs::path(text).is_absolute() ? fs::path(text) : m_start / text;
            cell.loadable = kind == Kind::Products || qm::extensionOf(cell.path) == ".msg";
            cell.badConfig = std::string(r.speed) == "1234";
            cell.deadNumber = r.number == 9;
            cell.scale = r.scale;
            cell.plu = qm::extensionOf(cell.path) == ".plu";
            m_cells.push_back(cell);
        }
    }
    config.setDataRows(data);
    if (auto error = qm::saveCellFile(m_start / "scales.cfl", config))
        throw std::runtime_error(*error);

    for (auto& scale : m_scales)
        scale->start(Life{});
}

Soak::Options Soak::randomOptions()
{
    Options o;
    o.virtualSync = chance(m_rng, 0.3);
    o.noQueue = chance(m_rng, 0.1);
    o.noProtocol = chance(m_rng, 0.08);
    o.trace = chance(m_rng, 0.15);
    return o;
}

// ---- Changing the world ------------------------------------------------------------------

int Soak::fileOf(ino_t inode) const
{
    const auto it = m_pending.find(inode);
    return it == m_pending.end() ? -1 : it->second;
}

void Soak::gone(int id)
{
    LoadFile& f = m_files[static_cast<size_t>(id)];
    if (f.state != LoadFile::State::Pending)
        return;
    f.state = LoadFile::State::Gone;
    m_pending.erase(f.inode);
    ++m_goneSinceCheck[f.cell];
}

// Writes a new load file for the cell under a temporary name and links it to its load name
// (when asked and free) or to a free slot of its queue: a name is never replaced. The file's id,
// or -1 when every name was taken.
int Soak::drop(int cellIndex, bool atLoadName, fs::file_time_type written)
{
    const Cell& cell = m_cells[static_cast<size_t>(cellIndex)];
    const int pool = cell.scale >= 0 ? cell.scale : static_cast<int>(m_scales.size());
    const int roll = uniform(m_rng, 0, 99);
    const Content content = roll < 85 ? Content::Valid : roll < 95 ? Content::BadRow : Content::Empty;
    LoadFile file = makeLoadFile(m_rng, static_cast<int>(m_files.size()), cellIndex, cell, content,
                                 m_plu[static_cast<size_t>(pool)], m_msg[static_cast<size_t>(pool)]);
    const fs::path tmp = m_tmp / ("new" + std::to_string(m_tmpCounter++));
    std::ofstream(tmp, std::ios::binary) << file.bytes;
    fs::last_write_time(tmp, written);
    struct stat st {
    };
    ::stat(tmp.c_str(), &st);
    file.inode = st.st_ino;

    const std::vector<fs::path> names = cell.names();
    std::vector<fs::path> tries;
    if (atLoadName || names.size() == 1)
        tries.push_back(names[0]);
    if (names.size() > 1) {
        // After the last slot in use, or now and then at a slot of its own choosing (a gap).
        size_t from = 1;
        if (chance(m_rng, 0.3)) {
            from = static_cast<size_t>(uniform(m_rng, 1, 10));
        } else {
            for (size_t k = 1; k < names.size(); ++k)
                if (fs::exists(fs::symlink_status(names[k])))
                    from = k + 1;
        }
        for (size_t k = from; k < names.size(); ++k)
            tries.push_back(names[k]);
    }
    bool placed = false;
    for (const auto& name : tries)
        if (::link(tmp.c_str(), name.c_str()) == 0) {
            placed = true;
            break;
        }
    ::unlink(tmp.c_str());
    auto& plu = m_plu[static_cast<size_t>(pool)];
    auto& msg = m_msg[static_cast<size_t>(pool)];
    if (!placed) {
        for (const auto& [n, r] : file.products)
            plu.give(n);
        for (const auto& [n, t] : file.messages)
            msg.give(n);
        return -1;
    }
    // An inode in use again: the file that had it is gone.
    if (const int old = fileOf(file.inode); old >= 0)
        gone(old);
    m_pending[file.inode] = file.id;
    m_files.push_back(std::move(file));
    return m_files.back().id;
}

// Another program writes the load file anew and renames it into place: the new file takes the
// name in one exchange, and the file it replaced is withdrawn by its writer. With sameStamp only
// the data changed and the file system keeps coarse times: the new version has the size and the
// time stamp of the old one.
void Soak::rewrite(int cellIndex, bool sameStamp)
{
    const Cell& cell = m_cells[static_cast<size_t>(cellIndex)];
    const int pool = cell.scale >= 0 ? cell.scale : static_cast<int>(m_scales.size());
    LoadFile file;
    struct stat current {
    };
    if (sameStamp) {
        const int oldId = ::stat(cell.path.c_str(), &current) == 0 ? fileOf(current.st_ino) : -1;
        if (oldId < 0 || m_files[static_cast<size_t>(oldId)].bytes.empty())
            return;
        file = nextVersion(m_files[static_cast<size_t>(oldId)], static_cast<int>(m_files.size()));
        for (const auto& [n, r] : file.products)
            m_plu[static_cast<size_t>(pool)].share(n);
        for (const auto& [n, t] : file.messages)
            m_msg[static_cast<size_t>(pool)].share(n);
    } else {
        file = makeLoadFile(m_rng, static_cast<int>(m_files.size()), cellIndex, cell, Content::Valid,
                            m_plu[static_cast<size_t>(pool)], m_msg[static_cast<size_t>(pool)]);
    }
    const fs::path tmp = m_tmp / ("new" + std::to_string(m_tmpCounter++));
    std::ofstream(tmp, std::ios::binary) << file.bytes;
    if (sameStamp) {
        const timespec times[2] = {current.st_atim, current.st_mtim};
        ::utimensat(AT_FDCWD, tmp.c_str(), times, 0);
    } else {
        fs::last_write_time(tmp, fs::file_time_type::clock::now() - std::chrono::seconds(10));
    }
    struct stat st {
    };
    ::stat(tmp.c_str(), &st);
    file.inode = st.st_ino;
    if (::renameat2(AT_FDCWD, tmp.c_str(), AT_FDCWD, cell.path.c_str(), RENAME_EXCHANGE) != 0) {
        ::unlink(tmp.c_str()); // no load file there now
        for (const auto& [n, r] : file.products)
            m_plu[static_cast<size_t>(pool)].give(n);
        for (const auto& [n, t] : file.messages)
            m_msg[static_cast<size_t>(pool)].give(n);
        return;
    }
    // tmp now holds the file that was replaced.
    ::stat(tmp.c_str(), &st);
    if (const int replaced = fileOf(st.st_ino); replaced >= 0) {
        m_files[static_cast<size_t>(replaced)].state = LoadFile::State::Withdrawn;
        m_pending.erase(st.st_ino);
    } else {
        violation("the load file " + cell.path.string() + " was no file of the soak");
    }
    ::unlink(tmp.c_str());
    if (const int reused = fileOf(file.inode); reused >= 0)
        gone(reused);
    m_pending[file.inode] = file.id;
    m_files.push_back(std::move(file));
    ++m_rewrites;
}

// A person removes a file that will not load: whatever stands at the name at that moment.
void Soak::withdraw(const fs::path& path)
{
    const fs::path tmp = m_tmp / ("old" + std::to_string(m_tmpCounter++));
    if (::rename(path.c_str(), tmp.c_str()) != 0)
        return;
    struct stat st {
    };
    ::stat(tmp.c_str(), &st);
    if (const int id = fileOf(st.st_ino); id >= 0) {
        m_files[static_cast<size_t>(id)].state = LoadFile::State::Withdrawn;
        m_pending.erase(st.st_ino);
    } else {
        violation("the file " + path.string() + " was no file of the soak");
    }
    ::unlink(tmp.c_str());
}

void Soak::rotateProtocol()
{
    const fs::path to = m_out / ("protocol-" + std::to_string(m_tmpCounter++) + ".txt");
    if (::rename((m_start / "protocol.txt").c_str(), to.c_str()) == 0)
        m_rotated.push_back(to);
}

void Soak::switchScales(double restart, double off)
{
    for (auto& scale : m_scales) {
        if (!scale->up()) {
            if (chance(m_rng, 0.7))
                scale->start(randomLife(m_rng));
        } else if (chance(m_rng, restart)) {
            scale->start(randomLife(m_rng));
        } else if (chance(m_rng, off)) {
            scale->stop();
            ++m_powerOffs;
        }
    }
}

// Files still being written become whole; with futureToo also those dated ahead on purpose.
// Every other file is then clearly settled or clearly not, whatever the cycle's length.
void Soak::settleAll(bool futureToo)
{
    const auto now = fs::file_time_type::clock::now();
    for (const auto& found : scanLoadFiles(m_start)) {
        const bool future = found.written > now + std::chrono::seconds(30);
        if (found.written > now - std::chrono::seconds(3) && (futureToo || !future)) {
            std::error_code ec;
            fs::last_write_time(found.path, now - std::chrono::seconds(10), ec);
        }
    }
}

void Soak::betweenRuns()
{
    const auto now = fs::file_time_type::clock::now();
    // New files: mostly settled, some still "being written" (dated ahead, so that no cycle of
    // this run takes them).
    for (int c = 0; c < static_cast<int>(m_cells.size()); ++c) {
        int waiting = 0;
        for (const auto& [inode, id] : m_pending)
            if (m_files[static_cast<size_t>(id)].cell == c)
                ++waiting;
        if (waiting < 8 && chance(m_rng, 0.35))
            drop(c, chance(m_rng, 0.5),
                 chance(m_rng, 0.85) ? now - std::chrono::seconds(10) : now + std::chrono::seconds(60));
    }
    settleAll(chance(m_rng, 0.3));
    // A person clears away what cannot load, and now and then a file that could.
    for (const auto& found : scanLoadFiles(m_start)) {
        const int id = fileOf(found.inode);
        if (id < 0)
            continue;
        const LoadFile& f = m_files[static_cast<size_t>(id)];
        const Cell& cell = m_cells[static_cast<size_t>(f.cell)];
        const bool stuck = f.content != Content::Valid || cell.badConfig || cell.deadNumber || !cell.loadable;
        if (chance(m_rng, stuck ? 0.3 : 0.01))
            withdraw(found.path);
    }
    for (int c = 0; c < static_cast<int>(m_cells.size()); ++c)
        if (chance(m_rng, 0.03))
            rewrite(c, chance(m_rng, 0.5));
    if (chance(m_rng, 0.04))
        rotateProtocol();
    switchScales(0.2, 0.04);
}

void Soak::serviceAction()
{
    const int roll = uniform(m_rng, 0, 99);
    const int cell = uniform(m_rng, 0, static_cast<int>(m_cells.size()) - 1);
    const auto now = fs::file_time_type::clock::now();
    if (roll < 55) {
        drop(cell, chance(m_rng, 0.4), chance(m_rng, 0.6) ? now - std::chrono::seconds(10) : now);
    } else if (roll < 62) {
        rewrite(cell, chance(m_rng, 0.5));
    } else if (roll < 67) {
        const auto found = scanLoadFiles(m_start);
        if (!found.empty())
            withdraw(found[static_cast<size_t>(uniform(m_rng, 0, static_cast<int>(found.size()) - 1))].path);
    } else if (roll < 80) {
        // Power off, in the middle of a transfer or not.
        auto& scale = m_scales[static_cast<size_t>(uniform(m_rng, 0, 3))];
        if (scale->up()) {
            scale->stop();
            ++m_powerOffs;
        }
    } else if (roll < 97) {
        auto& scale = m_scales[static_cast<size_t>(uniform(m_rng, 0, 3))];
        scale->start(randomLife(m_rng));
    } else {
        rotateProtocol();
    }
}

// ---- Runs --------------------------------------------------------------------------------

std::vector<Line> Soak::programLines(const fs::path& out)
{
    std::vector<Line> lines;
    std::string rest;
    for (const auto& text : splitLines(qmtest::fileText(out), "\n", &rest)) {
        Line line;
        const auto tab = text.rfind('\t');
        if (tab == std::string::npos) {
            violation("a line of standard output without its file: " + text);
            continue;
        }
        line.text = text.substr(0, tab);
        const fs::path file = fs::path(text.substr(tab + 1)).lexically_normal();
        for (size_t c = 0; c < m_cells.size(); ++c)
            if (m_cells[c].path.lexically_normal() == file)
                line.cell = static_cast<int>(c);
        if (line.cell < 0)
            violation("a line of standard output names a file of no cell: " + text);
        classify(line);
        if (line.known && line.cell >= 0 && line.name != m_cells[static_cast<size_t>(line.cell)].name)
            violation("the line names another scale than its file's row: " + text);
        lines.push_back(line);
    }
    if (!rest.empty())
        violation("standard output ends in half a line: " + rest);
    return lines;
}

// Every protocol line written since the last check, UTF-8, protocol files taken away included.
std::vector<std::string> Soak::protocolLines()
{
    std::string bytes;
    for (const auto& rotated : m_rotated) {
        bytes += qmtest::fileText(rotated).substr(std::min<std::uintmax_t>(m_protocolOffset, fs::file_size(rotated)));
        m_protocolOffset = 0;
        fs::remove(rotated);
    }
    m_rotated.clear();
    const std::string current = qmtest::fileText(m_start / "protocol.txt");
    bytes += current.substr(std::min<std::uintmax_t>(m_protocolOffset, current.size()));
    m_protocolOffset = current.size();
    std::string rest;
    std::vector<std::string> out;
    for (const auto& line : splitLines(bytes, "\r\n", &rest))
        out.push_back(qm::cp1251ToUtf8(line));
    if (!rest.empty())
        violation("the protocol ends in half a line: " + qm::cp1251ToUtf8(rest));
    return out;
}

void Soak::classify(Line& line) const
{
    static const std::regex stamped(R"(^(.*)  -  (\d\d)\.(\d\d)\.(\d\d\d\d)  (\d\d):(\d\d):(\d\d)$)");
    static const std::regex badRow("^Ошибка в строке ([0-9]+) файла (товаров|сообщений) для весов (.+)$");
    std::smatch m;
    if (!std::regex_match(line.text, m, stamped))
        return;
    std::tm local{};
    local.tm_mday = std::stoi(m[2]);
    local.tm_mon = std::stoi(m[3]) - 1;
    local.tm_year = std::stoi(m[4]) - 1900;
    local.tm_hour = std::stoi(m[5]);
    local.tm_min = std::stoi(m[6]);
    local.tm_sec = std::stoi(m[7]);
    local.tm_isdst = -1;
    line.written = std::mktime(&local);
    const std::string body = m[1];
    if (std::regex_match(body, m, badRow)) {
        line.kind = LoadLine::BadRow;
        line.badRow = std::stoi(m[1]);
        line.name = m[3];
        line.known = true;
        return;
    }
    const qm::Stamp stamp{"D", "T"};
    const std::string suffix = "  -  D  T";
    for (const auto& cell : m_cells)
        for (LoadLine kind : {LoadLine::BadConfig, LoadLine::PortUnavailable, LoadLine::NoLink, LoadLine::NoAck,
                              LoadLine::ExchangeFailed, LoadLine::ProductsLoaded, LoadLine::MessagesLoaded,
                              LoadLine::EmptyFile, LoadLine::UnreadableFile, LoadLine::Stopped}) {
            const qm::LoadKind k = cell.kind == Kind::Products ? qm::LoadKind::Products : qm::LoadKind::Messages;
            std::string text = qm::cp1251ToUtf8(qm::protocolLine(kind, k, qm::cp(cell.name), 0, stamp));
            text.resize(text.size() - suffix.size());
            if (text == body) {
                line.kind = kind;
                line.name = cell.name;
                line.known = true;
                return;
            }
        }
}

// The protocol gained exactly the lines printed; each line is one the program writes. `stopped`:
// the program was sent SIGTERM; `service`: files were taken away while it ran.
void Soak::checkLines(const std::vector<Line>& printed, const Options& options, bool stopped, bool service)
{
    std::vector<std::string> written = protocolLines();
    for (const auto& line : printed) {
        if (!line.known) {
            violation("not a protocol line: " + line.text);
            continue;
        }
        ++m_lineCounts[lineName(line.kind)];
        // Stamped with the local date and time of the load's end.
        const std::time_t now = std::time(nullptr);
        if (line.written < now - 180 || line.written > now + 2)
            violation("the line's stamp is not the time it was written: " + line.text);
        if (line.kind == LoadLine::Stopped && !stopped)
            violation("a load was stopped though nobody stopped the program: " + line.text);
        // Only the service meets files taken away between the look and the read.
        if (line.kind == LoadLine::UnreadableFile && !service)
            violation("a readable file was called unreadable: " + line.text);
    }
    if (options.noProtocol) {
        if (!written.empty())
            violation("--no-protocol, yet the protocol gained " + std::to_string(written.size()) +
                      " lines, the first: " + written.front());
        return;
    }
    // The same lines, and on each port in the same order (ports write at the same time).
    for (int com = 1; com <= 4; ++com) {
        std::vector<std::string> fromOut, fromProtocol;
        for (const auto& line : printed)
            if (line.cell >= 0 && m_cells[static_cast<size_t>(line.cell)].com == com)
                fromOut.push_back(line.text);
        for (const auto& text : written) {
            Line line;
            line.text = text;
            classify(line);
            for (const auto& cell : m_cells)
                if (line.known && cell.name == line.name && cell.com == com) {
                    fromProtocol.push_back(text);
                    break;
                }
        }
        if (fromOut != fromProtocol) {
            std::string what = "COM" + std::to_string(com) + ": the protocol's lines differ from the lines printed.\n";
            what += "printed:\n";
            for (const auto& t : fromOut)
                what += "  " + t + "\n";
            what += "protocol:\n";
            for (const auto& t : fromProtocol)
                what += "  " + t + "\n";
            violation(what);
        }
    }
    for (const auto& text : written) {
        Line line;
        line.text = text;
        classify(line);
        if (!line.known)
            violation("the protocol holds a line the program does not write: " + text);
    }
    if (written.size() != printed.size())
        violation("the protocol gained " + std::to_string(written.size()) + " lines, the program printed " +
                  std::to_string(printed.size()));
}

// Every file of the start directory is a file of the soak in place, whole, under a name of its
// cell; a file no longer there is gone. The layout found: name -> file id.
std::map<fs::path, int> Soak::checkFiles()
{
    std::map<fs::path, int> layout;
    std::map<int, fs::path> seen;
    for (const auto& found : scanLoadFiles(m_start)) {
        const int id = fileOf(found.inode);
        if (id < 0) {
            violation("a file the soak did not write, or one it wrote before and counts as gone: " +
                      found.path.string());
            continue;
        }
        const LoadFile& f = m_files[static_cast<size_t>(id)];
        const Cell& cell = m_cells[static_cast<size_t>(f.cell)];
        if (seen.count(id))
            violation("file " + std::to_string(id) + " is there twice: " + seen[id].string() + " and " +
                      found.path.string());
        seen[id] = found.path;
        layout[found.path] = id;
        if (found.bytes != f.bytes)
            violation("file " + std::to_string(id) + " at " + found.path.string() + " is not what was written (" +
                      std::to_string(found.bytes.size()) + " bytes, written " + std::to_string(f.bytes.size()) + ")");
        const auto names = cell.names();
        if (std::find(names.begin(), names.end(), found.path) == names.end())
            violation("file " + std::to_string(id) + " of " + cell.path.string() + " stands at " + found.path.string());
    }
    std::vector<int> lost;
    for (const auto& [inode, id] : m_pending)
        if (!seen.count(id))
            lost.push_back(id);
    for (int id : lost)
        gone(id);
    return layout;
}

namespace
{

std::string trimmed(std::string text)
{
    // A product name's bytes 25..28 carry the logo marker of the record.
    if (text.size() == emu::kNameWidth)
        text.resize(24);
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

// "f<id> r<k>" or "f<id> m<k>": the id, or -1.
int tagId(const std::string& text, char kind)
{
    static const std::regex tag("^f([0-9]+) ([rm])([0-9]+)$");
    std::smatch m;
    const std::string t = trimmed(text);
    if (!std::regex_match(t, m, tag) || m[2].str()[0] != kind)
        return -1;
    return std::stoi(m[1]);
}

} // namespace

// Every gone file was loaded: valid, meant for a scale, and that scale holds its records. And
// every record a scale holds belongs to a valid file meant for it, as that file has it.
void Soak::checkRecords()
{
    std::vector<emu::ScaleState> states;
    for (auto& scale : m_scales)
        states.push_back(scale->state());
    for (auto& f : m_files) {
        if (f.state != LoadFile::State::Gone || f.verified)
            continue;
        f.verified = true;
        const Cell& cell = m_cells[static_cast<size_t>(f.cell)];
        const std::string what = "file " + std::to_string(f.id) + " of " + cell.path.string();
        if (f.content != Content::Valid || cell.scale < 0 || !cell.loadable) {
            violation(what + " is gone, but it could never load (" +
                      (f.content == Content::Empty    ? "empty"
                       : f.content == Content::BadRow ? "row " + std::to_string(f.badRow) + " is wrong"
                                                      : "its row loads nowhere") +
                      ")");
            continue;
        }
        const emu::ScaleState& state = states[static_cast<size_t>(cell.scale)];
        for (const auto& [n, r] : f.products) {
            const auto it = state.plu.find(n);
            if (it == state.plu.end() || trimmed(it->second.name1) != r.name1)
                violation(what + " is gone, but its scale does not hold PLU " + std::to_string(n) + " (" + r.name1 +
                          ")" + (it == state.plu.end() ? "" : ": it holds " + trimmed(it->second.name1)));
        }
        for (const auto& [n, line] : f.messages) {
            const auto it = state.messages.find(n);
            if (it == state.messages.end() || trimmed(it->second[0]) != line)
                violation(what + " is gone, but its scale does not hold message " + std::to_string(n) + " (" + line +
                          ")" + (it == state.messages.end() ? "" : ": it holds " + trimmed(it->second[0])));
        }
    }
    for (size_t s = 0; s < states.size(); ++s) {
        const std::string where = "the scale on COM" + std::to_string(m_scales[s]->com());
        auto fileFor = [&](int id) -> const LoadFile* {
            if (id < 0 || id >= static_cast<int>(m_files.size()))
                return nullptr;
            const LoadFile& f = m_files[static_cast<size_t>(id)];
            if (m_cells[static_cast<size_t>(f.cell)].scale != static_cast<int>(s))
                return nullptr;
            return &f;
        };
        for (const auto& [n, rec] : states[s].plu) {
            const LoadFile* f = fileFor(tagId(rec.name1, 'r'));
            if (!f || !f->products.count(n)) {
                violation(where + " holds PLU " + std::to_string(n) + " \"" + trimmed(rec.name1) +
                          "\", which no file meant for it has");
                continue;
            }
            const ProductRecord& r = f->products.at(n);
            if (f->content == Content::BadRow)
                violation(where + " holds PLU " + std::to_string(n) + " of file " + std::to_string(f->id) +
                          ", whose row " + std::to_string(f->badRow) + " is wrong: a byte went out before the check");
            if (rec.price != r.price || rec.shelf != r.shelf || rec.tare != r.tare || rec.code != r.code ||
                rec.group != r.group || rec.message != r.message)
                violation(where + " holds PLU " + std::to_string(n) + " of file " + std::to_string(f->id) +
                          " with other values than the file: price " + std::to_string(rec.price) + "/" +
                          std::to_string(r.price) + ", shelf " + std::to_string(rec.shelf) + "/" +
                          std::to_string(r.shelf) + ", tare " + std::to_string(rec.tare) + "/" +
                          std::to_string(r.tare) + ", code " + std::to_string(rec.code) + "/" + std::to_string(r.code) +
                          ", group " + std::to_string(rec.group) + "/" + std::to_string(r.group) + ", message " +
                          std::to_string(rec.message) + "/" + std::to_string(r.message));
        }
        for (const auto& [n, lines] : states[s].messages) {
            const LoadFile* f = fileFor(tagId(lines[0], 'm'));
            if (!f || !f->messages.count(n) || f->messages.at(n) != trimmed(lines[0]))
                violation(where + " holds message " + std::to_string(n) + " \"" + trimmed(lines[0]) +
                          "\", which no file meant for it has");
            else if (f->content == Content::BadRow)
                violation(where + " holds message " + std::to_string(n) + " of file " + std::to_string(f->id) +
                          ", whose row " + std::to_string(f->badRow) + " is wrong: a byte went out before the check");
        }
    }
    // The numbers of files whose fate is known are free again.
    for (auto& f : m_files) {
        if (f.state == LoadFile::State::Pending || f.released)
            continue;
        f.released = true;
        const Cell& cell = m_cells[static_cast<size_t>(f.cell)];
        const size_t pool = cell.scale >= 0 ? static_cast<size_t>(cell.scale) : m_scales.size();
        for (const auto& [n, r] : f.products)
            m_plu[pool].give(n);
        for (const auto& [n, t] : f.messages)
            m_msg[pool].give(n);
    }
}

// Each cell's success lines account for its gone files: one each, and at most one more for
// each file of it withdrawn while the program ran (a file rewritten during its load was loaded
// and kept).
void Soak::checkSuccesses(const std::vector<Line>& printed, const std::map<int, int>& withdrawnMeanwhile)
{
    std::map<int, int> successes;
    for (const auto& line : printed)
        if (line.known && loaded(line.kind) && line.cell >= 0)
            ++successes[line.cell];
    for (int c = 0; c < static_cast<int>(m_cells.size()); ++c) {
        const int ok = successes[c];
        const int goneFiles = m_goneSinceCheck[c];
        const int slack = withdrawnMeanwhile.count(c) ? withdrawnMeanwhile.at(c) : 0;
        if (ok < goneFiles || ok > goneFiles + slack)
            violation(m_cells[static_cast<size_t>(c)].path.string() + ": " + std::to_string(goneFiles) +
                      " files gone, " + std::to_string(ok) + " success lines" +
                      (slack ? " (" + std::to_string(slack) + " rewritten meanwhile)" : ""));
    }
    m_goneSinceCheck.clear();
}

void Soak::onceCycle()
{
    ++m_onceCycles;
    betweenRuns();
    const Options options = randomOptions();
    m_step = "cycle " + std::to_string(m_onceCycles + m_serviceEpochs) + ": autoload --once" + options.text();
    settleAll(false);

    // What the program will find.
    const std::map<fs::path, int> before = checkFiles();
    checkRecords();
    checkSuccesses({}, {});
    const auto now = fs::file_time_type::clock::now();
    std::set<int> settled;
    for (const auto& found : scanLoadFiles(m_start))
        if (found.written < now - std::chrono::seconds(3))
            settled.insert(fileOf(found.inode));
    std::vector<bool> upAtStart, rangeSet, clean;
    for (auto& scale : m_scales) {
        upAtStart.push_back(scale->up());
        rangeSet.push_back(scale->up() && scale->state().range.has_value());
        const Life& life = scale->life();
        clean.push_back(life.faults.empty() && (life.pace.empty() || !rangeSet.back()));
    }
    // Scales that go off during the cycle, and now and then a stop of the program (-1).
    std::vector<std::pair<int, int>> events; // ms after the start, scale or -1
    for (int s = 0; s < 4; ++s)
        if (upAtStart[static_cast<size_t>(s)] && chance(m_rng, 0.12))
            events.push_back({uniform(m_rng, 20, 900), s});
    const bool interrupted = chance(m_rng, 0.08);
    if (interrupted) {
        events.push_back({uniform(m_rng, 30, 1500), -1});
        m_step += " (SIGTERM)";
    }
    std::sort(events.begin(), events.end());

    const std::vector<std::string> args = options.args(m_start, m_out, {"autoload", "--once"});
    const auto start = Clock::now();
    std::atomic<bool> ended{false};
    std::vector<std::atomic<bool>> wentOff(4);
    const fs::path out = m_out / ("run" + std::to_string(m_onceCycles + m_serviceEpochs) + ".out");
    const fs::path err = m_out / ("run" + std::to_string(m_onceCycles + m_serviceEpochs) + ".err");
    CliChild cli(args, m_out, out, err);
    std::thread switcher([&] {
        for (const auto& [at, s] : events) {
            std::this_thread::sleep_until(start + ms(at));
            if (ended)
                break;
            if (s < 0) {
                cli.signal(SIGTERM);
                continue;
            }
            wentOff[static_cast<size_t>(s)] = true;
            m_scales[static_cast<size_t>(s)]->stop();
        }
    });
    const bool finished = cli.waitUntil(start + std::chrono::seconds(60));
    ended = true;
    switcher.join();
    for (const auto& w : wentOff)
        m_powerOffs += w ? 1 : 0;
    if (!finished) {
        violation("autoload --once did not end within 60 s");
        return;
    }

    const std::vector<Line> printed = programLines(out);
    tell(start, printed);
    if (const std::string errors = qmtest::fileText(err); !errors.empty())
        violation("standard error: " + errors);
    bool allLoaded = true;
    for (const auto& line : printed)
        allLoaded = allLoaded && line.known && loaded(line.kind);
    const std::string expectedEnd = allLoaded ? "exit 0" : "exit 1";
    // A stop that comes before the program has taken charge of the signal ends it at once.
    const bool diedEarly = interrupted && printed.empty() && cli.ending() == "killed by signal Terminated";
    if (cli.ending() != expectedEnd && !diedEarly)
        violation("autoload --once ended with " + cli.ending() + ", expected " + expectedEnd);
    checkLines(printed, options, interrupted, false);

    // Each cell: one line when its load file was there and settled, with the lines its file and
    // its scale allow; then the queue moves as QuePlu moves it.
    std::map<fs::path, int> layout = before;
    std::map<int, std::vector<int>> expectedOrder; // port -> cells in load order
    for (int c = 0; c < static_cast<int>(m_cells.size()); ++c) {
        const Cell& cell = m_cells[static_cast<size_t>(c)];
        const auto at = layout.find(cell.path);
        const int id = at == layout.end() ? -1 : at->second;
        const bool attempt = cell.loadable && id >= 0 && settled.count(id);
        std::vector<const Line*> mine;
        for (const auto& line : printed)
            if (line.cell == c)
                mine.push_back(&line);
        const std::string what = cell.path.filename().string() + (id >= 0 ? " (file " + std::to_string(id) + ")" : "");
        // A stopped cycle does not reach every cell.
        if (mine.size() != (attempt ? 1u : 0u) && !(interrupted && mine.empty())) {
            violation(what + ": " + std::to_string(mine.size()) + " lines, expected " + (attempt ? "1" : "0"));
            continue;
        }
        if (attempt && !mine.empty()) {
            expectedOrder[cell.com].push_back(c);
            const LoadFile& f = m_files[static_cast<size_t>(id)];
            const Line& line = *mine.front();
            const int port = cell.com - 1;
            const bool up = upAtStart[static_cast<size_t>(port)];
            const bool off = wentOff[static_cast<size_t>(port)];
            std::set<LoadLine> allowed;
            if (f.content == Content::Empty)
                allowed = {LoadLine::EmptyFile};
            else if (cell.badConfig)
                allowed = {LoadLine::BadConfig};
            else if (!up)
                allowed = {LoadLine::PortUnavailable};
            else if (f.content == Content::BadRow)
                allowed = {LoadLine::BadRow};
            else if (cell.deadNumber)
                allowed = {LoadLine::NoLink};
            else if (clean[static_cast<size_t>(port)] && !off)
                allowed = {cell.kind == Kind::Products ? LoadLine::ProductsLoaded : LoadLine::MessagesLoaded};
            else
                allowed = {cell.kind == Kind::Products ? LoadLine::ProductsLoaded : LoadLine::MessagesLoaded,
                           LoadLine::NoLink, LoadLine::NoAck, LoadLine::ExchangeFailed};
            if (off && up && !cell.badConfig && f.content != Content::Empty)
                allowed.insert(LoadLine::PortUnavailable);
            if (interrupted && !cell.badConfig && f.content != Content::Empty)
                allowed.insert(LoadLine::Stopped);
            if (line.known && !allowed.count(line.kind)) {
                std::string list;
                for (LoadLine l : allowed)
                    list += std::string(list.empty() ? "" : ", ") + lineName(l);
                violation(what + ": \"" + line.text + "\", expected " + list +
                          "; the scale: " + (up ? m_scales[static_cast<size_t>(port)]->life().text() : "off") +
                          (off ? ", switched off during the cycle" : ""));
            }
            if (line.kind == LoadLine::BadRow && line.badRow != f.badRow)
                violation(what + ": \"" + line.text + "\", but its wrong row is " + std::to_string(f.badRow));
            if (line.known && loaded(line.kind))
                layout.erase(cell.path);
        }
        if (!options.noQueue && !layout.count(cell.path) && !interrupted) {
            const auto names = cell.names();
            for (size_t k = 1; k < names.size(); ++k) {
                const auto from = layout.find(names[k]);
                if (from != layout.end() && !layout.count(names[k - 1])) {
                    layout[names[k - 1]] = from->second;
                    layout.erase(from);
                }
            }
        }
    }
    for (auto& [com, cells] : expectedOrder) {
        std::vector<int> got;
        for (const auto& line : printed)
            if (line.cell >= 0 && m_cells[static_cast<size_t>(line.cell)].com == com)
                got.push_back(line.cell);
        if (got != cells)
            violation("COM" + std::to_string(com) + ": the loads came in another order than the table's");
    }

    const std::map<fs::path, int> after = checkFiles();
    if (after != layout && !interrupted) {
        std::string what = "the files stand elsewhere than the loads and queues put them:\n";
        for (const auto& [path, id] : layout)
            if (!after.count(path) || after.at(path) != id)
                what += "  expected file " + std::to_string(id) + " at " + path.string() + "\n";
        for (const auto& [path, id] : after)
            if (!layout.count(path) || layout.at(path) != id)
                what += "  found file " + std::to_string(id) + " at " + path.string() + "\n";
        violation(what);
    }
    checkRecords();
    checkSuccesses(printed, {});
}

void Soak::serviceEpoch()
{
    ++m_serviceEpochs;
    betweenRuns();
    const Options options = randomOptions();
    const int length = uniform(m_rng, 2000, 6000);
    m_step = "cycle " + std::to_string(m_onceCycles + m_serviceEpochs) + ": autoload --period 1" + options.text() +
             " for " + std::to_string(length) + " ms";
    settleAll(false);
    checkFiles();
    checkRecords();
    checkSuccesses({}, {});

    const std::vector<std::string> args = options.args(m_start, m_out, {"autoload", "--period", "1"});
    // Files withdrawn while it runs may have been loaded all the same (a rewritten file is kept).
    std::map<int, int> withdrawnMeanwhile;
    std::map<int, LoadFile::State> before;
    for (const auto& f : m_files)
        before[f.id] = f.state;

    const auto start = Clock::now();
    const fs::path out = m_out / ("run" + std::to_string(m_onceCycles + m_serviceEpochs) + ".out");
    const fs::path err = m_out / ("run" + std::to_string(m_onceCycles + m_serviceEpochs) + ".err");
    CliChild cli(args, m_out, out, err);
    while (Clock::now() < start + ms(length)) {
        std::this_thread::sleep_for(ms(uniform(m_rng, 50, 700)));
        serviceAction();
        if (!cli.running()) {
            violation("the service ended by itself: " + cli.ending());
            break;
        }
    }
    cli.signal(SIGTERM);
    const auto stopAt = Clock::now();
    if (!cli.waitUntil(stopAt + std::chrono::seconds(15))) {
        violation("the service did not end within 15 s of SIGTERM");
        return;
    }
    if (cli.ending() != "exit 0")
        violation("the service ended with " + cli.ending() + " after SIGTERM");
    for (const auto& f : m_files)
        if (f.state == LoadFile::State::Withdrawn && (!before.count(f.id) || before[f.id] == LoadFile::State::Pending))
            ++withdrawnMeanwhile[f.cell];

    const std::vector<Line> printed = programLines(out);
    tell(start, printed);
    if (const std::string errors = qmtest::fileText(err); !errors.empty())
        violation("standard error: " + errors);
    checkLines(printed, options, true, true);
    // A stop ends at most the one load in progress on each port, and nothing comes after it.
    for (int com = 1; com <= 4; ++com) {
        std::vector<const Line*> port;
        for (const auto& line : printed)
            if (line.cell >= 0 && m_cells[static_cast<size_t>(line.cell)].com == com)
                port.push_back(&line);
        for (size_t i = 0; i + 1 < port.size(); ++i)
            if (port[i]->known && port[i]->kind == LoadLine::Stopped)
                violation("COM" + std::to_string(com) + ": a load came after the stopped one: " + port[i + 1]->text);
    }
    checkFiles();
    checkRecords();
    checkSuccesses(printed, withdrawnMeanwhile);
}

void Soak::progress(bool last)
{
    const auto now = Clock::now();
    if (!last && now - m_lastProgress < std::chrono::seconds(10))
        return;
    m_lastProgress = now;
    int pending = 0, goneFiles = 0, withdrawn = 0, lives = 0;
    for (const auto& f : m_files) {
        pending += f.state == LoadFile::State::Pending;
        goneFiles += f.state == LoadFile::State::Gone;
        withdrawn += f.state == LoadFile::State::Withdrawn;
    }
    for (const auto& s : m_scales)
        lives += s->lives();
    int lines = 0, failures = 0;
    std::string kinds;
    for (const auto& [name, count] : m_lineCounts) {
        lines += count;
        if (name.rfind("P6", 0) != 0 && name.rfind("P7", 0) != 0)
            failures += count;
        kinds += std::string(kinds.empty() ? "" : ", ") + name + " " + std::to_string(count);
    }
    std::cout << "soak: " << std::chrono::duration_cast<std::chrono::seconds>(now - m_begin).count() << " s, seed "
              << m_settings.seed << ": " << m_onceCycles << " --once cycles, " << m_serviceEpochs
              << " service runs; files " << m_files.size() << " written, " << goneFiles << " loaded and deleted, "
              << pending << " waiting, " << withdrawn << " withdrawn (" << m_rewrites << " rewritten); " << lines
              << " loads, " << failures << " failed; scale lives " << lives << ", " << m_powerOffs
              << " switched off; violations " << m_violations << std::endl;
    if (last)
        std::cout << "soak: protocol lines: " << kinds << std::endl;
}

void Soak::run()
{
    m_begin = m_lastProgress = Clock::now();
    std::cout << "soak: seed " << m_settings.seed << ", " << m_settings.seconds
              << " s (replay: QM_SOAK_SEED=" << m_settings.seed << " QM_SOAK_SECONDS=" << m_settings.seconds << "), in "
              << m_root.string() << std::endl;
    const auto end = m_begin + std::chrono::seconds(m_settings.seconds);
    try {
        while (Clock::now() < end) {
            for (const auto& scale : m_scales)
                if (scale->crashed())
                    violation("the emulated scale on COM" + std::to_string(scale->com()) + " ended by itself");
            if (m_onceCycles + m_serviceEpochs > 0 && chance(m_rng, 0.25))
                serviceEpoch();
            else
                onceCycle();
            if (Clock::now() < end)
                progress();
        }
        // Everything on again and one last clean look.
        m_step = "the end";
        settleAll(true);
        checkFiles();
        checkRecords();
    } catch (const std::exception& e) {
        if (m_violations < 25)
            ADD_FAILURE() << "[soak seed " << m_settings.seed << ", " << m_step << "] " << e.what();
    }
    progress(true);
}

} // namespace
} // namespace soak

TEST(AutoloadSoak, ManyCyclesWithFaultsAndFiles)
{
    soak::Soak soak(soak::settingsFromEnvironment());
    soak.run();
}
