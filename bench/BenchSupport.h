#pragma once
// What the benchmark programs share: a feedback that shows nothing, a byte counter at the port,
// the process's CPU time and peak memory, and a configuration of one emulated scale on COM1.

#include <sys/resource.h>

#include <chrono>
#include <functional>
#include <string>

#include "common/Feedback.h"
#include "common/TableLayouts.h"
#include "config/ConfigTable.h"
#include "link/ByteTrace.h"

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

// One scale "bench", number 1, on COM1 at the given speed.
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

} // namespace bench
