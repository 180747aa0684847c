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

#include "BenchSupport.h"
#include "link/TComm.h"

namespace
{

using bench::measure;
using bench::messages;

void run(int baud, int count)
{
    bench::EmuBench scale(baud, "19200");
    const qm::ScaleLink& link = scale.link;
    bench::LineBytes& bytes = scale.bytes;
    const qm::Table table = messages(count);
    const std::string speed = baud > 0 ? std::to_string(baud) + " baud" : "full speed";

    measure(("write " + std::to_string(count) + ", " + speed).c_str(), baud, bytes,
            [&] { return qm::sendMessageTable(link, table, true) == qm::TransferOutcome::Done; });
    qm::Table read = qm::makeTable(qm::messageLayout());
    qm::TableWriter sink(read);
    measure(("read all, " + speed).c_str(), baud, bytes, [&] {
        const auto outcome =
            count >= 1000 ? qm::readAllMessages(link, sink, {}) : qm::readMessageRange(link, 1, count, sink, {});
        return outcome == qm::TransferOutcome::Done && read.rowCount() - 1 == count;
    });
}

} // namespace

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
