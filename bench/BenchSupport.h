#pragma once
// What the benchmark programs share: a feedback that shows nothing, a byte counter at the port,
// the process's CPU time and peak memory, a configuration of one emulated scale on COM1, and that
// scale running with the program's link to it.

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "common/Feedback.h"
#include "common/TableLayouts.h"
#include "config/ConfigTable.h"
#include "link/ByteTrace.h"
#include "link/PortMap.h"
#include "link/ScaleSession.h"
#include "link/TComm.h"
#include "operation/ScaleOperation.h"
#include "support/EmuProcess.h"

namespace bench
{

class SilentFeedback : public qm::Feedback
{
  public:
    explicit SilentFeedback(qm::Answer answer = qm::Answer::Yes) : m_answer(answer) {}
    void message(const std::string&) override {}
    qm::Answer ask(const std::string&, qm::Buttons) override { return m_answer; }
    void progressStart(int, int) override {}
    void progressPosition(int) override {}
    void progressEnd() override {}
    bool stopRequested() const override { return false; }
    void clearStop() override {}

  private:
    qm::Answer m_answer;
};

// An emulated scale on COM1 and the session over it, the port not yet open.
struct EmuLine {
    explicit EmuLine(const qmtest::EmuOptions& options) : emu(options), comm(portMap(emu.device())) {}
    static qm::PortMap portMap(const std::string& device)
    {
        qm::PortMap map;
        map.set(1, device);
        return map;
    }
    qmtest::EmuProcess emu;
    qm::TComm comm;
    SilentFeedback fb;
    qm::ScaleSession session{comm, fb};
};

// Bytes on the line, both directions.
class LineBytes : public qm::ByteTrace
{
  public:
    void sent(const std::uint8_t*, size_t size) override { count += size; }
    void received(const std::uint8_t*, size_t size) override { count += size; }
    void note(const std::string&) override {}
    size_t count = 0;
};

// Best of a few runs of a step, in milliseconds.
inline double bestMs(const std::function<void()>& step, int runs = 5)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        step();
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = took.count() < best ? took.count() : best;
    }
    return best;
}

inline double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

inline long peakKib()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Runs one operation and prints a line: outcome, bytes on the line, wall time, and at a simulated
// speed the pure line time of those bytes and the ratio of the two; then the client's CPU share.
template <typename Operation> void measure(const std::string& title, int baud, LineBytes& count, Operation operation)
{
    count.count = 0;
    const double cpu0 = cpuSeconds();
    const auto t0 = std::chrono::steady_clock::now();
    const bool ok = operation();
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const double cpu = cpuSeconds() - cpu0;
    std::printf("%-28s %s %8zu bytes %9.3f s wall", title.c_str(), ok ? "ok    " : "FAILED", count.count, wall);
    if (baud > 0) {
        const double line = static_cast<double>(count.count) * 10 / baud;
        std::printf("  line %8.3f s  wall/line %6.4f", line, wall / line);
    }
    std::printf("  client CPU %5.2f%% of wall\n", 100 * cpu / wall);
}

// One scale "bench", number 1, on COM1 at the given speed.
// A product table of `count` rows that pass the check, PLU 1..count.
inline qm::Table products(int count)
{
    qm::Table t = qm::makeTable(qm::productLayout());
    std::vector<qm::Row> rows;
    for (int n = 1; n <= count; ++n) {
        const std::string plu = std::to_string(n);
        rows.push_back(
            {plu, "product " + plu, "second line", std::to_string(n * 7), "311225", "20", plu, "7", "0", "1", "1234"});
    }
    t.setDataRows(rows);
    return t;
}

// `count` messages numbered from 1, eight lines each.
inline qm::Table messages(int count)
{
    qm::Table t = qm::makeTable(qm::messageLayout());
    std::vector<qm::Row> rows;
    for (int n = 1; n <= count; ++n) {
        qm::Row r(qm::kMessageColumns);
        r[0] = std::to_string(n);
        for (int l = 1; l <= 8; ++l)
            r[static_cast<size_t>(l)] = "message " + std::to_string(n) + " line " + std::to_string(l);
        rows.push_back(r);
    }
    t.setDataRows(rows);
    return t;
}

inline qm::Table benchConfig(const std::string& speed = "19200")
{
    qm::Table t = qm::makeTable(qm::configLayout());
    qm::Row row(qm::kConfigColumns);
    row[qm::cfgcol::Name] = "bench";
    row[qm::cfgcol::Number] = "1";
    row[qm::cfgcol::Port] = "COM1";
    row[qm::cfgcol::Speed] = speed;
    t.setDataRows({row});
    return t;
}

// A session with a silent feedback and a byte counter on the emulated scale's port, and the link
// of the operations to it as the scale "bench" at the configuration's speed text.
struct BenchLink {
    explicit BenchLink(const qmtest::EmuProcess& emu, const std::string& speed = "19200")
        : comm(portMap(emu)), session(comm, fb), scales(benchConfig(speed))
    {
        comm.setTrace(&bytes);
    }
    static qm::PortMap portMap(const qmtest::EmuProcess& emu)
    {
        qm::PortMap map;
        map.set(1, emu.device());
        return map;
    }
    LineBytes bytes;
    SilentFeedback fb;
    qm::TComm comm;
    qm::ScaleSession session;
    qm::Table scales;
    qm::ScaleLink link{session, scales, "bench"};
};

// The emulated scale "bench" (number 1) at `baud` (0: no line time) and the program's link to it,
// its bytes counted. `speed` is the configuration's speed text.
struct EmuBench {
    EmuBench(int baud, const std::string& speed) : emu(options(baud)), line(emu, speed) {}
    static qmtest::EmuOptions options(int baud)
    {
        qmtest::EmuOptions o;
        o.number = 1;
        o.baud = baud;
        return o;
    }

    qmtest::EmuProcess emu;
    BenchLink line;
    qm::ScaleLink& link = line.link;
    LineBytes& bytes = line.bytes;
};

} // namespace bench
