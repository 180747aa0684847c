#include "diagnostics/DiagnosticCommands.h"

#include <algorithm>
#include <chrono>

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
    session.pause(kProbeMs);
    feedback.processEvents();
    return answersNumber(session.readBytes(session.waiting()), number);
}

} // namespace qm
