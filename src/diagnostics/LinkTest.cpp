#include "diagnostics/LinkTest.h"

#include "common/Cp1251.h"
#include "common/Feedback.h"
#include "common/IntText.h"
#include "common/TableSink.h"
#include "diagnostics/DiagnosticTexts.h"
#include "link/ScaleSession.h"
#include "operation/RecordLoop.h"
#include "operation/ScaleFrame.h"

namespace qm
{

namespace
{
constexpr int kBetweenMs = 210; // between two rows of the walk

void emptyTests(Feedback& feedback, TableSink& tests)
{
    tests.clear();
    feedback.moveCursor(TableId::Tests, 1, 0);
}

const char* stateText(LinkState state)
{
    switch (state) {
    case LinkState::PortUnavailable:
        return diagnostictext::kUnknown;
    case LinkState::NoAnswer:
        return diagnostictext::kSilent;
    case LinkState::OtherAnswer:
        return diagnostictext::kOtherOnLine;
    case LinkState::Working:
        break;
    }
    return diagnostictext::kWorking;
}

// One configuration row, already checked, into the test-table row `row` (whose column 0 is its
// number): its port opened with its speed, its number asked.
void testInto(int row, ScaleSession& session, const Table& config, int configRow, TableSink& tests,
              ValueSink<LinkState>* states)
{
    LinkAnswer answer{LinkState::PortUnavailable, 0};
    if (session.Connection(config.cell(configRow, cfgcol::Port), config.cell(configRow, cfgcol::Speed)))
        answer = askNumber(session, intTextValue(config.cell(configRow, cfgcol::Number)));
    tests.setRow(row, linkTestRow(std::to_string(row), config, configRow, answer));
    if (states)
        states->deliver(answer.state);
}

} // namespace

Row linkTestRow(const std::string& index, const Table& config, int configRow, const LinkAnswer& answer)
{
    const bool answered = answer.state == LinkState::Working || answer.state == LinkState::OtherAnswer;
    Row row(kTestColumns);
    row[testcol::Index] = index;
    row[testcol::Name] = config.cell(configRow, cfgcol::Name);
    row[testcol::Port] = config.cell(configRow, cfgcol::Port);
    row[testcol::Link] = cp(answer.state == LinkState::PortUnavailable ? diagnostictext::kPortNotConnected
                                                                       : diagnostictext::kPortConnected);
    row[testcol::Time] = answered ? std::to_string(answer.answerMs) : cp(diagnostictext::kUnknown);
    row[testcol::State] = cp(stateText(answer.state));
    return row;
}

OperationResult testChosenScale(const ScaleLink& link, TableSink& tests, ValueSink<LinkState>* states)
{
    emptyTests(link.session.feedback(), tests);
    const OpenedScale scale =
        findScale(link.session.feedback(), link.config, link.scaleName, diagnostictext::kChooseToTest);
    if (!scale)
        return scale;
    testInto(1, link.session, link.config, scale.target.row, tests, states);
    return OperationResult::done();
}

OperationResult testAllScales(ScaleSession& session, const Table& config, TableSink& tests,
                              ValueSink<LinkState>* states)
{
    Feedback& feedback = session.feedback();
    emptyTests(feedback, tests);
    feedback.clearStop();
    RecordLoop loop;
    loop.last = config.lastRow();
    loop.records = RecordLoop::Records::Rows;
    loop.table = TableId::Config;
    loop.counter = ProgressDisplay::Counter::Hidden;
    loop.show = [](int) {}; // the bar alone: the counter stays hidden
    loop.pauseMs = kBetweenMs;
    loop.pause = RecordLoop::Pause::AfterEach;
    const OperationResult result = runRecordLoop(session, loop, [&](int r) -> OperationResult {
        const OpenedScale checked = checkScaleRow(feedback, config, r);
        if (!checked)
            return checked;
        testInto(r, session, config, r, tests, states);
        session.line().Disconnect();
        tests.appendRow();
        return OperationResult::done();
    });
    // The row added for the next scale stays empty when the walk ends.
    tests.removeLastRow();
    return result;
}

} // namespace qm
