#include "diagnostics/NumberDetection.h"

#include "common/Feedback.h"
#include "diagnostics/DiagnosticCommands.h"
#include "diagnostics/DiagnosticTexts.h"
#include "link/PortMap.h"
#include "link/ScaleSession.h"

namespace qm
{

namespace
{
constexpr int kHighestNumber = 99;
} // namespace

std::string detectedNumberText(const DetectedNumber& number)
{
    return number ? std::to_string(*number) : std::string(diagnostictext::kNotDetermined);
}

OperationResult detectScaleNumber(ScaleSession& session, const std::string& portText, const std::string& speedText,
                                  ValueSink<DetectedNumber>& found)
{
    Feedback& feedback = session.feedback();
    const auto portMissing = [&] {
        return failed(feedback, Failure::plain(FailureKind::PortUnavailable, diagnostictext::kPortMissing));
    };
    // A text that names no port would leave the line on whatever port it had before.
    if (comNumber(portText) == 0 || !session.Connection(portText, speedText))
        return portMissing();
    ProgressDisplay progress(feedback, kHighestNumber);
    const auto ended = [&](const DetectedNumber& number) {
        progress.end();
        found.deliver(number);
    };
    feedback.counterText("");
    feedback.clearStop();
    for (int n = 1; n <= kHighestNumber; ++n) {
        feedback.progressPosition(n);
        feedback.counterText(std::to_string(n));
        feedback.processEvents();
        if (feedback.stopRequested()) {
            ended(std::nullopt);
            // The field says "не определен"; the detection ends without a box, as the command
            // line's ends without a line.
            return OperationResult::stopped();
        }
        if (probeNumber(session, n)) {
            ended(n);
            return OperationResult::done();
        }
        // A port lost during the probes answers none of the rest: it is the port's failure.
        if (session.lineFailure()) {
            ended(std::nullopt);
            return portMissing();
        }
    }
    ended(std::nullopt);
    return failed(feedback, Failure::plain(FailureKind::NoLink, diagnostictext::notDetected(portText)));
}

} // namespace qm
