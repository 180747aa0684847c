// Every scale operation against the line: the program's time beside the time of an ideal client
// that does the same exchanges against the same emulated scale at 19200 baud, and their ratio.
//
// The ideal client replays the program's own exchanges, recorded at the port: it writes each
// request at once, stops waiting the moment the answer's bytes are there, and keeps only the
// pauses the scale protocol requires (the 210 ms between price keys and between the settings
// and the shop name, the link test's 50 ms settle and 210 ms between rows, the 210 ms a number
// probe lasts). It runs on a raw file descriptor on a second emulated scale started from the
// state the first held before the operation, so it gets the same answers; the table says when
// an answer differed. Everything else the program spends (opening the port, the checks, its
// reply windows and sleeps) is the difference.
//
//   bench_line [PRODUCTS [MESSAGES [WORD]]]   (defaults 1000 and 200: the rows sent, read and
//                                             deleted; WORD: only the operations named with it)
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "common/ValueSink.h"
#include "common//TableLayouts.h"
#include "common/TableSink.h"
#include "diagnostics/LinkTest.h"
#include "diagnostics/NumberDetection.h"
#include "logo/LogoTransfer.h"
#include "messages/MessageTransfer.h"
#include "products/ProductTransfer.h"
#include "reports/ReportTransfer.h"
#include "settings/SettingsTransfer.h"
#include "settings/StatusTransfer.h"

#include "BenchSupport.h"

namespace
{

using Clock = std::chrono::steady_clock;
using qm::Bytes;

double msBetween(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

// Every byte at the port with its time, in order.
class Recorder : public qm::ByteTrace
{
  public:
    struct Event {
        bool out;
        Bytes bytes;
        Clock::time_point at;
    };
    void sent(const std::uint8_t* data, size_t size) override { add(true, data, size); }
    void received(const std::uint8_t* data, size_t size) override { add(false, data, size); }
    void note(const std::string&) override {}
    std::vector<Event> events;

  private:
    void add(bool out, const std::uint8_t* data, size_t size)
    {
        events.push_back({out, Bytes(data, data + size), Clock::now()});
    }
};

// One request and what came back for it, with the program's times from the operation's start.
struct Exchange {
    Bytes out;
    Bytes in;
    double sendMs = 0;
    double answerMs = 0; // from the send to the last byte of the answer (0: none came)
    double nextMs = 0;   // from the send to the next send, or to the operation's end
};

// Writes a burst of the same moment (within 1 ms) belong to one request; a write after an answer
// or after a pause starts the next.
std::vector<Exchange> exchanges(const Recorder& rec, Clock::time_point start, Clock::time_point end)
{
    std::vector<Exchange> out;
    Clock::time_point lastOut{};
    for (const Recorder::Event& e : rec.events) {
        if (e.out) {
            const bool sameBurst = !out.empty() && out.back().in.empty() && msBetween(lastOut, e.at) < 1.0;
            if (!sameBurst) {
                if (!out.empty())
                    out.back().nextMs = msBetween(start, e.at) - out.back().sendMs;
                out.push_back({});
                out.back().sendMs = msBetween(start, e.at);
            }
            out.back().out.insert(out.back().out.end(), e.bytes.begin(), e.bytes.end());
            lastOut = e.at;
        } else if (!out.empty()) {
            out.back().in.insert(out.back().in.end(), e.bytes.begin(), e.bytes.end());
            out.back().answerMs = msBetween(start, e.at) - out.back().sendMs;
        }
    }
    if (!out.empty())
        out.back().nextMs = msBetween(start, end) - out.back().sendMs;
    return out;
}

// A pause the protocol requires: the next request no sooner than `fromSend` after this one's send
// and `afterAnswer` after its answer.
struct Pause {
    int fromSend = 0;
    int afterAnswer = 0;
};

// The required pause the program kept at this gap: the longest that fits in what it waited.
Pause pauseKept(const std::vector<Pause>& pauses, double answerMs, double intervalMs)
{
    Pause best;
    for (const Pause& p : pauses) {
        const double needs = std::max(answerMs, static_cast<double>(p.fromSend)) + p.afterAnswer;
        if (needs <= intervalMs + 0.2 && p.fromSend + p.afterAnswer > best.fromSend + best.afterAnswer)
            best = p;
    }
    return best;
}

// The least a client can do on a raw descriptor of the line.
class IdealClient
{
  public:
    explicit IdealClient(const std::string& device)
    {
        m_fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_fd < 0)
            return;
        termios tio{};
        tcgetattr(m_fd, &tio);
        cfmakeraw(&tio);
        cfsetspeed(&tio, B19200);
        tcsetattr(m_fd, TCSANOW, &tio);
    }
    ~IdealClient()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool open() const { return m_fd >= 0; }

    // Writes the request and reads until `want` bytes came (5 s at most); what came.
    Bytes exchange(const Bytes& out, size_t want)
    {
        size_t done = 0;
        while (done < out.size()) {
            const ssize_t n = ::write(m_fd, out.data() + done, out.size() - done);
            if (n > 0)
                done += static_cast<size_t>(n);
            else
                waitFor(POLLOUT, 5);
        }
        Bytes in;
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        std::uint8_t buffer[512];
        while (in.size() < want && Clock::now() < deadline) {
            const ssize_t n = ::read(m_fd, buffer, std::min(sizeof buffer, want - in.size()));
            if (n > 0)
                in.insert(in.end(), buffer, buffer + n);
            else
                waitFor(POLLIN, static_cast<int>(msBetween(Clock::now(), deadline)) + 1);
        }
        return in;
    }
    // Drops what waits: a late byte of a silent probe's neighbour must not count as an answer.
    void drain()
    {
        std::uint8_t buffer[512];
        while (::read(m_fd, buffer, sizeof buffer) > 0) {
        }
    }

  private:
    void waitFor(short events, int ms)
    {
        pollfd p{m_fd, events, 0};
        ::poll(&p, 1, ms);
    }
    int m_fd = -1;
};

struct IdealRun {
    double ms = 0;
    bool sameAnswers = true;
};

// Replays the exchanges against a scale holding `state`: each request at the time the required
// pauses allow, each answer waited for exactly as long as it takes.
IdealRun replay(const std::vector<Exchange>& program, int number, const std::string& state,
                const std::vector<Pause>& pauses, double leadingMs)
{
    qmtest::EmuOptions options;
    options.number = number;
    options.baud = 19200;
    options.stateJson = state;
    qmtest::EmuProcess scale(options);
    IdealClient client(scale.device());
    IdealRun run;
    if (!client.open()) {
        run.sameAnswers = false;
        return run;
    }
    const auto start = Clock::now();
    // A pause the program must keep before its first request (the price keys' write).
    const double leading = pauseKept(pauses, 0, leadingMs).afterAnswer;
    auto next = start + std::chrono::microseconds(static_cast<long>(1000 * leading));
    for (const Exchange& e : program) {
        std::this_thread::sleep_until(next);
        // As the program empties the input queue: what a scale sent after the reader stopped
        // listening (the link test takes one byte of two) is no answer to this request.
        client.drain();
        const auto sent = Clock::now();
        const Bytes in = client.exchange(e.out, e.in.size());
        const double answerMs = msBetween(sent, Clock::now());
        run.sameAnswers = run.sameAnswers && in == e.in;
        // The last request's pauses too: the link test pauses after its last row as well.
        const Pause p = pauseKept(pauses, e.in.empty() ? 0 : e.answerMs, e.nextMs);
        const double waitMs = std::max(answerMs, static_cast<double>(p.fromSend)) + p.afterAnswer;
        next = sent + std::chrono::microseconds(static_cast<long>(1000 * waitMs));
    }
    std::this_thread::sleep_until(next);
    run.ms = msBetween(start, Clock::now());
    return run;
}

// The emulated scale every operation of the table runs on, one after another.
struct Line {
    explicit Line(int scaleNumber = 1)
        : number(scaleNumber), scale(options(scaleNumber)), comm(bench::BenchLink::portMap(scale)), session(comm, fb)
    {
        comm.setTrace(&recorder);
    }
    static qmtest::EmuOptions options(int number)
    {
        qmtest::EmuOptions o;
        o.number = number;
        o.baud = 19200;
        return o;
    }
    // The state file as it is now, every byte so far taken into it.
    std::string state() const
    {
        scale.state();
        std::ifstream in(scale.statePath(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    int number;
    qmtest::EmuProcess scale;
    Recorder recorder;
    bench::SilentFeedback fb;
    qm::TComm comm;
    qm::ScaleSession session;
    qm::Table config = bench::benchConfig("19200");
    qm::ScaleLink link{session, config, "bench"};
};

bool done(const qm::OperationResult& result)
{
    return result == qm::TransferOutcome::Done;
}

const char* g_only = nullptr;

// Runs the operation on the line, replays its exchanges with the ideal client, prints a row.
void row(Line& line, const char* title, const std::vector<Pause>& pauses, const std::function<bool()>& operation)
{
    if (g_only && !std::strstr(title, g_only))
        return;
    const std::string before = line.state();
    line.recorder.events.clear();
    const auto start = Clock::now();
    const bool ok = operation();
    const auto end = Clock::now();
    const double programMs = msBetween(start, end);
    const std::vector<Exchange> program = exchanges(line.recorder, start, end);
    const double leadingMs = program.empty() ? 0 : program.front().sendMs;
    const IdealRun ideal = replay(program, line.number, before, pauses, leadingMs);
    size_t bytes = 0;
    for (const Exchange& e : program)
        bytes += e.out.size() + e.in.size();
    std::printf("%-34s %-6s %6zu %8zu %10.2f %10.2f %7.3f%s\n", title, ok ? "ok" : "FAILED", program.size(), bytes,
                programMs / 1000, ideal.ms / 1000, programMs / ideal.ms,
                ideal.sameAnswers ? "" : "  (the ideal client got other answers)");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int productCount = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int messageCount = argc > 2 ? std::atoi(argv[2]) : 200;
    g_only = argc > 3 ? argv[3] : nullptr;
    Line line;
    const qm::ScaleLink& link = line.link;
    const std::vector<Pause> none;
    const std::vector<Pause> keyPause{{0, 210}};

    std::printf("19200 baud, %d products, %d messages\n", productCount, messageCount);
    std::printf("%-34s %-6s %6s %8s %10s %10s %7s\n", "operation", "", "exch.", "bytes", "program s", "ideal s",
                "ratio");
    const qm::Table products = bench::products(productCount);
    row(line, "send all products", none, [&] { return done(qm::sendProductTable(link, products, {})); });
    qm::Table read = qm::makeTable(qm::productLayout());
    qm::TableWriter productSink(read);
    row(line, "read all products (4000 cells)", none, [&] { return done(qm::readAllProducts(link, productSink, {})); });
    const qm::Table msgs = bench::messages(messageCount);
    row(line, "send all messages", none, [&] { return done(qm::sendMessageTable(link, msgs, true)); });
    qm::Table readMsgs = qm::makeTable(qm::messageLayout());
    qm::TableWriter messageSink(readMsgs);
    row(line, "read all messages", none, [&] { return done(qm::readAllMessages(link, messageSink, {})); });
    qm::Table report = qm::makeTable(qm::reportLayout());
    qm::TableWriter reportSink(report);
    qm::ValueHolder<qm::ShownTotals> sums;
    qm::ValueHolder<qm::GeneralTotals> totals;
    row(line, "read report (4000 cells)", none, [&] { return done(qm::readReportTable(link, reportSink, sums, {})); });
    row(line, "read general totals", none, [&] { return done(qm::readGeneralTotals(link, reportSink, totals, {})); });
    row(line, "clear all product totals", none, [&] { return done(qm::clearAllPluTotals(link, "1")); });
    row(line, "write price keys (54)", keyPause,
        [&] { return done(qm::writePriceKeys(link, qm::defaultPriceKeys())); });
    qm::Table keys = qm::makeTable(qm::priceKeyLayout());
    qm::TableWriter keySink(keys);
    row(line, "read price keys (54)", keyPause, [&] { return done(qm::readPriceKeys(link, keySink)); });
    qm::LogoPicture picture;
    for (int i = 0; i < qm::kLogoSide; ++i)
        picture.setDot(i, i, true);
    row(line, "send logo", none, [&] { return done(qm::sendLogo(link, picture)); });
    qm::ValueHolder<qm::LogoPicture> logoSink;
    row(line, "read logo", none, [&] { return done(qm::readLogo(link, logoSink, {})); });
    qm::ValueHolder<qm::ClockReading> shownClock;
    qm::ValueHolder<qm::UserSettings> settings;
    qm::ValueHolder<qm::ShopName> shop;
    qm::SettingsForm form = qm::withDefaults({}, qm::clockNow());
    row(line, "write settings", keyPause, [&] { return done(qm::writeUserSettings(link, form, shownClock)); });
    row(line, "read settings", keyPause, [&] { return done(qm::readUserSettings(link, settings, shop)); });
    qm::Table config = bench::benchConfig("19200");
    for (int r = 2; r <= 5; ++r) {
        config.appendRow();
        config.setRow(r, config.row(1));
    }
    qm::Table tests = qm::makeTable(qm::testLayout());
    qm::TableWriter testSink(tests);
    row(line, "link test, 5 rows", {{50, 210}},
        [&] { return done(qm::testAllScales(line.session, config, testSink)); });
    row(line, "delete all products", none, [&] { return done(qm::deleteAllProducts(link)); });
    row(line, "delete all messages", none, [&] { return done(qm::deleteAllMessages(link)); });
    // The detection probes the numbers from 1 up: a scale numbered 20 answers the 20th probe.
    Line numbered(20);
    row(numbered, "number detection (scale 20)", {{210, 0}},
        [&] {
            qm::ValueHolder<qm::DetectedNumber> found;
            qm::detectScaleNumber(numbered.session, "COM1", "19200", found);
            return found.value() == 20;
        });
    return 0;
}
