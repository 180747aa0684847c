#include "diagnostics/DiagnosticCommands.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "common/Feedback.h"
#include "link/ScaleSession.h"

namespace qm
{

namespace
{
constexpr int kSettleMs = 50;  // pause after the number byte before the clock counts
constexpr int kWindowMs = 500; // the link test's whole wait, the pause included
constexpr int kProbeMs = 210;  // one probe of the detection
} // namespace

LinkAnswer askNumber(ScaleSession& session, int number)
{
    using namespace std::chrono;
    session.NewQue();
    session.send(encodeNumberProbe(number));
    session.feedback().processEvents();
    const auto start = steady_clock::now();
    session.pause(kSettleMs);
    session.feedback().processEvents();
    // The byte out and the byte back take their line time on a slow line, and a network its round
    // trip; the window allows both.
    const ScaleSession::FirstByte first =
        session.firstByteWithin(start, kWindowMs + session.lineTimeMs(2) + session.line().replyAllowanceMs());
    if (!first.arrived)
        return LinkAnswer{};
    const Bytes answer{session.readByte()};
    return LinkAnswer{linkStateOf(answer, number), std::max(1L, first.elapsedMs - kSettleMs)};
}

bool probeNumber(ScaleSession& session, int number)
{
    Feedback& feedback = session.feedback();
    session.NewQue();
    session.send(encodeNumberProbe(number));
    feedback.processEvents();
    const auto sent = std::chrono::steady_clock::now();
    // Every byte that comes within the probe's 210 ms is looked at, not only the first: a byte of
    // another device on the line ahead of the scale's answer must not hide the scale. The probe
    // ends when the number is there: the rest of the 210 ms brings nothing.
    bool answered = false;
    for (;;) {
        answered = answersNumber(session.readBytes(session.waiting()), number);
        if (answered || !session.firstByteWithin(sent, kProbeMs).arrived)
            break;
    }
    // The wait above counts whole milliseconds: a silent probe still lasts its full 210 ms.
    if (!answered)
        std::this_thread::sleep_until(sent + std::chrono::milliseconds(kProbeMs));
    feedback.processEvents();
    return answered;
}

} // namespace qm
