#include "diagnostics/NumberDetection.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "common/Feedback.h"
#include "diagnostics/DiagnosticTexts.h"
#include "link/PortMap.h"
#include "link/ScaleSession.h"

namespace qm
{

namespace
{
constexpr int kHighestNumber = 99;
constexpr int kProbeMs = 210;

DetectedNumber endedBy(OperationResult result)
{
    DetectedNumber detected;
    static_cast<OperationResult&>(detected) = std::move(result);
    return detected;
}
} // namespace

DetectedNumber detectScaleNumber(ScaleSession& session, const std::string& portText, const std::string& speedText,
                                 const ShowNumber& showNumber)
{
    Feedback& feedback = session.feedback();
    // A text that names no port would leave the line on whatever port it had before.
    if (comNumber(portText) == 0 || !session.Connection(portText, speedText))
        return endedBy(failed(feedback, Failure::plain(FailureKind::PortUnavailable, diagnostictext::kPortMissing)));
    ProgressDisplay progress(feedback, kHighestNumber);
    const auto ended = [&](const std::string& shown) {
        progress.end();
        if (showNumber)
            showNumber(shown);
    };
    feedback.counterText("");
    feedback.clearStop();
    for (int n = 1; n <= kHighestNumber; ++n) {
        feedback.progressPosition(n);
        feedback.counterText(std::to_string(n));
        feedback.processEvents();
        if (feedback.stopRequested()) {
            ended(diagnostictext::kNotDetermined);
            // The field says "не определен"; the detection ends without a box, as the command
            // line's ends without a line.
            return endedBy(OperationResult::stopped());
        }
        // Whatever came late for the probe before is no answer to this one.
        session.NewQue();
        session.send(static_cast<std::uint8_t>(n));
        const auto sent = std::chrono::steady_clock::now();
        feedback.processEvents();
        // Every byte that comes within the probe's 210 ms is looked at, not only the first: a
        // byte of another device on the line ahead of the scale's answer must not hide the
        // scale. The probe ends when the number is there: the rest of the 210 ms brings nothing.
        bool answered = false;
        for (;;) {
            const Bytes answer = session.readBytes(session.waiting());
            answered = std::find(answer.begin(), answer.end(), static_cast<std::uint8_t>(n)) != answer.end();
            if (answered || !session.firstByteWithin(sent, kProbeMs).arrived)
                break;
        }
        // The wait above counts whole milliseconds: a silent probe still lasts its full 210 ms.
        if (!answered)
            std::this_thread::sleep_until(sent + std::chrono::milliseconds(kProbeMs));
        feedback.processEvents();
        if (answered) {
            ended(std::to_string(n));
            DetectedNumber found;
            found.number = n;
            return found;
        }
        // A port lost during the probes answers none of the rest: it is the port's failure.
        if (session.lineFailure()) {
            ended(diagnostictext::kNotDetermined);
            return endedBy(
                failed(feedback, Failure::plain(FailureKind::PortUnavailable, diagnostictext::kPortMissing)));
        }
    }
    ended(diagnostictext::kNotDetermined);
    return endedBy(failed(feedback, Failure::plain(FailureKind::NoLink, diagnostictext::notDetected(portText))));
}

} // namespace qm
