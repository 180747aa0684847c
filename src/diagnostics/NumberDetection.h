#pragma once
// The number detection of the tab "Тесты": an unknown scale on a port, found by sending the
// numbers 1 to 99 in turn on a port and speed chosen directly, without the configuration.
//
// Each probe is one number byte and 210 ms for the answer (probeNumber); a scale that knows the
// number answers it (and the ready byte 0x80), so a whole run over 99 numbers takes about 21
// seconds. The progress bar counts the probes and the counter (`Label62`) shows the number being
// probed.

#include <optional>
#include <string>

#include "common/Failure.h"
#include "common/ValueSink.h"

namespace qm
{

class ScaleSession;

// What the probes found: the scale's number, or none.
using DetectedNumber = std::optional<int>;

// What `Edit34` "Номер весов" shows for it: the number, or "не определен" (UTF-8).
std::string detectedNumberText(const DetectedNumber& number);

// `Button13Click`: portText "COM1".."COM16" (`ComboBox12`), speedText 2400, 4800, 9600 or
// 19200 (`ComboBox13`). Once the probes end, the progress is hidden and `found` gets what they
// found, before any message; a port that cannot be opened delivers nothing.
// Done with a number found; Failed when the port cannot be opened (nothing is probed) or is lost
// during the probes (diagnostictext::kPortMissing), or when no number was answered, with its
// message; Stopped, without a message, by the stop button between two probes.
OperationResult detectScaleNumber(ScaleSession& session, const std::string& portText, const std::string& speedText,
                                  ValueSink<DetectedNumber>& found);

} // namespace qm
