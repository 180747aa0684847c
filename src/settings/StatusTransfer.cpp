#include "settings/StatusTransfer.h"

#include <optional>

#include "common/Feedback.h"
#include "common/IntText.h"
#include "common/TableSink.h"
#include "link/ScaleSession.h"
#include "operation/OperationTexts.h"
#include "operation/RecordLoop.h"
#include "operation/ScaleFrame.h"
#include "settings/PriceKeyCodec.h"
#include "settings/SettingsTexts.h"
#include "settings/StatusCommands.h"

namespace qm
{

namespace
{

constexpr int kKeyPauseMs = 210;
constexpr int kCellColumn = 1;

// The loop over the keys: the current cell follows the key, a 210 ms pause before or after each.
RecordLoop keyLoop(Feedback& feedback, RecordLoop::Pause pause)
{
    RecordLoop loop;
    loop.first = 1;
    loop.last = kPriceKeys;
    loop.records = RecordLoop::Records::Rows;
    loop.table = TableId::PriceKeys;
    loop.counter = ProgressDisplay::Counter::Hidden;
    loop.show = [&feedback](int key) { feedback.moveCursor(TableId::PriceKeys, key, kCellColumn); };
    loop.pauseMs = kKeyPauseMs;
    loop.pause = pause;
    return loop;
}

// The status of the addressed scale into its sink, or the exchange's failure.
OperationResult statusStep(ScaleSession& session, int number, ValueSink<ScaleStatus>& sink)
{
    if (auto addressed = addressScale(session, number); !addressed)
        return addressed;
    ScaleStatus status;
    if (!GetStatus(session, status))
        return failed(session.feedback(), Failure::plain(FailureKind::ReadFailed, operationtext::kWriteFailed));
    sink.deliver(status);
    return OperationResult::done();
}

// Every key into its row, the current cell following, a 210 ms pause after each.
OperationResult keysStep(ScaleSession& session, int number, TableSink& keys)
{
    Feedback& feedback = session.feedback();
    const auto read = runRecordLoop(session, keyLoop(feedback, RecordLoop::Pause::AfterEach), [&](int key) {
        if (auto addressed = addressScale(session, number); !addressed)
            return addressed;
        std::int64_t cell = 0;
        if (!PrSet(session, key, cell))
            return failed(feedback, Failure::at(FailureKind::ReadFailed, settingstext::kKeyReadFailed,
                                                TableId::PriceKeys, key, kCellColumn));
        keys.setRow(key, {std::to_string(key), std::to_string(cell)});
        return OperationResult::done();
    });
    if (read)
        feedback.moveCursor(TableId::PriceKeys, 1, kCellColumn);
    return read;
}

} // namespace

OperationResult readStatusAndKeys(const ScaleLink& link, ValueSink<ScaleStatus>& status, TableSink& keys)
{
    const OpenedScale opened = openScale(link, settingstext::kNoScaleStatus);
    if (!opened)
        return opened;
    ScaleSession& session = link.session;
    if (auto read = statusStep(session, opened.target.number, status); !read)
        return read;
    session.feedback().processEvents();
    session.pause(kKeyPauseMs);
    if (auto read = keysStep(session, opened.target.number, keys); !read)
        return read;
    session.feedback().message(settingstext::kStatusDone);
    session.feedback().moveCursor(TableId::PriceKeys, 1, kCellColumn);
    return OperationResult::done();
}

OperationResult readScaleStatus(const ScaleLink& link, ValueSink<ScaleStatus>& status)
{
    const OpenedScale opened = openScale(link, settingstext::kNoScaleStatus);
    if (!opened)
        return opened;
    return statusStep(link.session, opened.target.number, status);
}

OperationResult readPriceKeys(const ScaleLink& link, TableSink& keys)
{
    const OpenedScale opened = openScale(link, settingstext::kNoScaleStatus);
    if (!opened)
        return opened;
    return keysStep(link.session, opened.target.number, keys);
}

OperationResult writePriceKeys(const ScaleLink& link, const std::vector<std::string>& cells)
{
    const OpenedScale opened = openScale(link, settingstext::kNoScaleKeys);
    if (!opened)
        return opened;
    ScaleSession& session = link.session;
    Feedback& feedback = session.feedback();

    // The cell of each key, none for an empty row: such a key is addressed and sent nothing.
    std::vector<std::optional<std::int64_t>> values(kPriceKeys);
    for (int key = 1; key <= kPriceKeys; ++key) {
        const std::string text = key <= static_cast<int>(cells.size()) ? cells[key - 1] : std::string();
        if (text.empty())
            continue;
        if (!intTextIn(text, kMinKeyCell, kMaxKeyCell)) {
            feedback.moveCursor(TableId::PriceKeys, key, kCellColumn);
            return failed(feedback, Failure::at(FailureKind::BadNumber, settingstext::kBadKeyCell, TableId::PriceKeys,
                                                key, kCellColumn));
        }
        values[key - 1] = intTextValue(text);
    }

    const auto written = runRecordLoop(session, keyLoop(feedback, RecordLoop::Pause::BeforeEach), [&](int key) {
        if (auto addressed = addressScale(session, opened.target.number); !addressed)
            return addressed;
        if (values[key - 1] && !SendPrSet(session, *values[key - 1], key))
            return failed(feedback, Failure::at(FailureKind::NoAck, settingstext::kKeyWriteFailed, TableId::PriceKeys,
                                                key, kCellColumn));
        return OperationResult::done();
    });
    if (!written)
        return written;
    feedback.message(settingstext::kKeysWritten);
    feedback.moveCursor(TableId::PriceKeys, 1, kCellColumn);
    return OperationResult::done();
}

std::vector<std::string> defaultPriceKeys()
{
    std::vector<std::string> cells;
    for (int key = 1; key <= kPriceKeys; ++key)
        cells.push_back(std::to_string(key));
    return cells;
}

} // namespace qm
