#include "diagnostics/LinkTest.h"

#include <chrono>

#include "common/Cp1251.h"
#include "common/Feedback.h"
#include "common/IntText.h"
#include "common/TableSink.h"
#include "diagnostics/DiagnosticTexts.h"
#include "link/ScaleSession.h"
#include "operation/ScaleFrame.h"

namespace qm
{

namespace
{
constexpr int kSettleMs = 50;   // pause after the number byte before the clock counts
constexpr int kWindowMs = 500;  // the whole wait, the pause included
constexpr int kBetweenMs = 210; // between two rows of the walk

void emptyTests(Feedback& feedback, TableSink& tests)
{
    tests.clear();
    feedback.moveCursor(TableId::Tests, 1, 0);
}
} // namespace

std::string workingStateText()
{
    return cp(diagnostictext::kWorking);
}

Row linkTestRow(ScaleSession& session, const Table& config, int configRow, const std::string& index)
{
    using namespace std::chrono;
    Row row(kTestColumns);
    row[testcol::Index] = index;
    row[testcol::Name] = config.cell(configRow, cfgcol::Name);
    row[testcol::Port] = config.cell(configRow, cfgcol::Port);
    if (!session.Connection(config.cell(configRow, cfgcol::Port), config.cell(configRow, cfgcol::Speed))) {
        row[testcol::Link] = cp(diagnostictext::kPortNotConnected);
        row[testcol::Time] = cp(diagnostictext::kUnknown);
        row[testcol::State] = cp(diagnostictext::kUnknown);
        return row;
    }
    row[testcol::Link] = cp(diagnostictext::kPortConnected);
    const int number = intTextValue(config.cell(configRow, cfgcol::Number));
    session.NewQue();
    session.send(static_cast<std::uint8_t>(number));
    session.feedback().processEvents();
    const auto start = steady_clock::now();
    session.pause(kSettleMs);
    session.feedback().processEvents();
    // The byte out and the byte back take their line time on a slow line, and a network its round
    // trip; the window allows both.
    const ScaleSession::FirstByte first =
        session.firstByteWithin(start, kWindowMs + session.lineTimeMs(2) + session.line().replyAllowanceMs());
    if (!first.arrived) {
        row[testcol::Time] = cp(diagnostictext::kUnknown);
        row[testcol::State] = cp(diagnostictext::kSilent);
        return row;
    }
    const std::uint8_t answer = session.readByte();
    const long answerTime = first.elapsedMs - kSettleMs;
    row[testcol::Time] = answerTime > 0 ? std::to_string(answerTime) : "1";
    row[testcol::State] = cp(answer == number ? diagnostictext::kWorking : diagnostictext::kOtherOnLine);
    return row;
}

OperationResult testChosenScale(const ScaleLink& link, TableSink& tests)
{
    emptyTests(link.session.feedback(), tests);
    const OpenedScale scale =
        findScale(link.session.feedback(), link.config, link.scaleName, diagnostictext::kChooseToTest);
    if (!scale)
        return scale;
    tests.setRow(1, linkTestRow(link.session, link.config, scale.target.row, "1"));
    return OperationResult::done();
}

OperationResult testAllScales(ScaleSession& session, const Table& config, TableSink& tests)
{
    Feedback& feedback = session.feedback();
    emptyTests(feedback, tests);
    const int rows = config.lastRow();
    ProgressDisplay progress(feedback, rows, ProgressDisplay::Counter::Hidden);
    feedback.clearStop();
    OperationResult result = OperationResult::done();
    for (int r = 1; r <= rows; ++r) {
        feedback.progressPosition(r);
        feedback.processEvents();
        if (feedback.stopRequested()) {
            result = interrupted(feedback);
            break;
        }
        const OpenedScale checked = checkScaleRow(feedback, config, r);
        if (!checked) {
            result = checked;
            break;
        }
        tests.setRow(r, linkTestRow(session, config, r, std::to_string(r)));
        session.line().Disconnect();
        session.pause(kBetweenMs);
        tests.appendRow();
    }
    // The row added for the next scale stays empty when the walk ends.
    tests.removeLastRow();
    return result;
}

} // namespace qm
