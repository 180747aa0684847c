#pragma once
// The exchanges of the tab "Тесты" on an open line: the link test's number byte and its answer,
// and one probe of the number detection. Neither is asked again: what came, or did not, is the
// outcome. Both empty the input queue first, since a late answer to the exchange before is no
// answer to theirs.

#include "diagnostics/DiagnosticCodec.h"

namespace qm
{

class ScaleSession;

struct LinkAnswer {
    LinkState state = LinkState::NoAnswer;
    // Milliseconds from the end of a 50 ms pause after the number byte to the first answer byte,
    // 1 when it was already waiting then; 0 when no byte came.
    long answerMs = 0;
};

// The scale's number, then its first answer byte within 500 ms (the 50 ms pause included) and
// the line time of the two bytes. Only the first byte is read; the rest of the answer waits for
// the next exchange, which drops it.
LinkAnswer askNumber(ScaleSession& session, int number);

// The number, then 210 ms; true when any byte that came is the number. Every byte waiting is read.
bool probeNumber(ScaleSession& session, int number);

} // namespace qm
