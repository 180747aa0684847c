// Writing and reading all 1000 messages against the emulated scale, at full speed and on a
// simulated 19200 baud line: wall time against the pure line time of the bytes exchanged, and
// the CPU the program spends. Run with a count to shorten it: bench_messages 200.
#include <sys/resource.h>

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/Feedback.h"
#include "common/TableLayouts.h"
#include "common/TableSink.h"
#include "config/ConfigTable.h"
#include "link/ByteTrace.h"
#include "link/ScaleSession.h"
#include "messages/MessageTransfer.h"
#include "support/EmuProcess.h"

namespace {

struct QuietFeedback : qm::Feedback {
    void message(const std::string& text) override { last = text; }
    qm::Answer ask(const std::string&, qm::Buttons) override { return qm::Answer::Yes; }
    void progressStart(int, int) override {}
    void progressPosition(int) override {}
    void progressEnd() override {}
    bool stopRequested() const override { return false; }
    void clearStop() override {}
    std::string last;
};

// Counts the bytes on the line in both directions.
struct ByteCount : qm::ByteTrace {
    void sent(const std::uint8_t*, size_t size) override { bytes += size; }
    void received(const std::uint8_t*, size_t size) override { bytes += size; }
    void note(const std::string&) override {}
    size_t bytes = 0;
};

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

qm::Table config()
{
    qm::Table t = qm::makeTable(qm::configLayout());
    qm::Row row(qm::kConfigColumns);
    row[qm::cfgcol::Name] = "bench";
    row[qm::cfgcol::Number] = "1";
    row[qm::cfgcol::Port] = "COM1";
    row[qm::cfgcol::Speed] = "19200";
    t.setDataRows({row});
    return t;
}

qm::Table messages(int count)
{
    qm::Table t = qm::makeTable(qm::messageLayout());
    std::vector<qm::Row> rows;
    for (int n = 1; n <= count; ++n) {
        qm::Row row(qm::kMessageColumns);
        row[0] = std::to_string(n);
        for (int l = 1; l <= 8; ++l)
            row[static_cast<size_t>(l)] = "message " + std::to_string(n) + " line " + std::to_string(l);
        rows.push_back(row);
    }
    t.setDataRows(rows);
    return t;
}

template <typename Operation>
void measure(const char* title, int baud, ByteCount& count, Operation operation)
{
    count.bytes = 0;
    const double cpu0 = cpuSeconds();
    const auto t0 = std::chrono::steady_clock::now();
    const bool ok = operation();
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const double cpu = cpuSeconds() - cpu0;
    std::printf("%-28s %s %8zu bytes %9.3f s wall", title, ok ? "ok    " : "FAILED", count.bytes, wall);
    if (baud > 0) {
        const double line = static_cast<double>(count.bytes) * 10 / baud;
        std::printf("  line %8.3f s  wall/line %6.4f", line, wall / line);
    }
    std::printf("  client CPU %5.2f%% of wall\n", 100 * cpu / wall);
}

void run(int baud, int count)
{
    qmtest::EmuOptions options;
    options.number = 1;
    options.baud = baud;
    qmtest::EmuProcess emu(options);
    qm::PortMap map;
    map.set(1, emu.device());
    qm::TComm comm(map);
    ByteCount bytes;
    comm.setTrace(&bytes);
    QuietFeedback fb;
    qm::ScaleSession session(comm, fb);
    const qm::Table scales = config();
    const qm::MessageLink link{session, scales, "bench"};
    const qm::Table table = messages(count);
    const std::string speed = baud > 0 ? std::to_string(baud) + " baud" : "full speed";

    measure(("write " + std::to_string(count) + ", " + speed).c_str(), baud, bytes,
            [&] { return qm::sendMessageTable(link, table, true) == qm::MessageOutcome::Done; });
    qm::Table read = qm::makeTable(qm::messageLayout());
    qm::TableWriter sink(read);
    measure(("read all, " + speed).c_str(), baud, bytes, [&] {
        const auto outcome = count >= 1000 ? qm::readAllMessages(link, sink, {})
                                           : (qm::beginRangeRead(link, sink, {}), qm::GetMsgRange(link, 1, count, sink));
        return outcome == qm::MessageOutcome::Done && read.rowCount() - 1 == count;
    });
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000;
    if (count < 1 || count > 1000) {
        std::fprintf(stderr, "usage: bench_messages [COUNT 1..1000]\n");
        return 2;
    }
    run(0, count);
    run(19200, count);
    return 0;
}
