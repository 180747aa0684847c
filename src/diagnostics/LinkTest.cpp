#include "diagnostics/LinkTest.h"

#include <chrono>

#include "common/Cp1251.h"
#include "common/Feedback.h"
#include "common/IntText.h"
#include "common/TableLayouts.h"
#include "config/ConfigTable.h"
#include "link/ScaleSession.h"
#include "operation/ScaleFrame.h"

namespace qm
{

namespace
{
constexpr int kSettleMs = 50;  // pause after the number byte before the clock counts
constexpr int kWindowMs = 500; // the whole wait, the pause included
} // namespace

std::string workingStateText()
{
    return cp("рабочее");
}

Row linkTestRow(ScaleSession& session, const Table& config, int configRow, const std::string& index)
{
    using namespace std::chrono;
    Row row(kTestColumns);
    row[testcol::Index] = index;
    row[testcol::Name] = config.cell(configRow, cfgcol::Name);
    row[testcol::Port] = config.cell(configRow, cfgcol::Port);
    if (!session.Connection(config.cell(configRow, cfgcol::Port), config.cell(configRow, cfgcol::Speed))) {
        row[testcol::Link] = cp("порт не подключен");
        row[testcol::Time] = cp("неизвестно");
        row[testcol::State] = cp("неизвестно");
        return row;
    }
    row[testcol::Link] = cp("порт подключен");
    const int number = intTextValue(config.cell(configRow, cfgcol::Number));
    session.NewQue();
    session.send(static_cast<std::uint8_t>(number));
    session.feedback().processEvents();
    const auto start = steady_clock::now();
    session.pause(kSettleMs);
    session.feedback().processEvents();
    // The byte out and the byte back take their line time on a slow line; the window allows it.
    const ScaleSession::FirstByte first = session.firstByteWithin(start, kWindowMs + session.lineTimeMs(2));
    if (!first.arrived) {
        row[testcol::Time] = cp("неизвестно");
        row[testcol::State] = cp("не в сети RS");
        return row;
    }
    const std::uint8_t answer = session.readByte();
    const long answerTime = first.elapsedMs - kSettleMs;
    row[testcol::Time] = answerTime > 0 ? std::to_string(answerTime) : "1";
    row[testcol::State] = answer == number ? workingStateText() : cp("в сети RS");
    return row;
}

OperationResult testChosenScale(ScaleSession& session, const Table& config, const std::string& chooserText,
                                Table& tests)
{
    tests.clearData();
    session.feedback().moveCursor(TableId::Tests, 1, 0);
    const OpenedScale scale =
        findScale(session.feedback(), config, chooserText, "Для тестирования выберите весы из списка.");
    if (!scale)
        return scale;
    tests.setRow(1, linkTestRow(session, config, scale.target.row, "1"));
    return OperationResult::done();
}

} // namespace qm
