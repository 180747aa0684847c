#include "operation/RecordLoop.h"

#include <string>

#include "common/Cp1251.h"
#include "link/ScaleSession.h"
#include "operation/ScaleOperation.h"

namespace qm
{

namespace
{

void stamp(Failure& failure, const RecordLoop& loop, int record)
{
    if (loop.records == RecordLoop::Records::Numbers) {
        if (failure.record < 0)
            failure.record = record;
    } else if (!failure.table && failure.row < 0) {
        failure.table = loop.table;
        failure.row = record;
    }
}

} // namespace

OperationResult runRecordLoop(ScaleSession& session, ProgressDisplay& display, const RecordLoop& loop,
                              const RecordStep& step)
{
    Feedback& feedback = session.feedback();
    if (loop.phase)
        display.phase(loop.phase, loop.last - loop.first + 1, loop.counter);
    const auto pauseAt = [&](RecordLoop::Pause when) {
        if (loop.pauseMs > 0 && loop.pause == when)
            session.pause(loop.pauseMs);
    };
    for (int record = loop.first; record <= loop.last; ++record) {
        if (feedback.stopRequested()) {
            display.end();
            if (loop.stopText)
                return stoppedWith(feedback, Failure::plain(FailureKind::Stopped, loop.stopText));
            return interrupted(feedback);
        }
        pauseAt(RecordLoop::Pause::BeforeEach);
        const int done = record - loop.first;
        feedback.progressPosition(loop.bar == RecordLoop::Bar::Done ? done : done + 1);
        if (loop.show)
            loop.show(record);
        else
            feedback.counterText(std::to_string(record));
        feedback.processEvents();
        OperationResult result = step(record);
        if (!result) {
            if (result.failure)
                stamp(*result.failure, loop, record);
            display.end();
            return result;
        }
        pauseAt(RecordLoop::Pause::AfterEach);
    }
    return OperationResult::done();
}

RecordLoop rowPass(Feedback& feedback, const Table& table, TableId id, int numberColumn, int first, int last,
                   const char* phase)
{
    RecordLoop loop;
    loop.first = first;
    loop.last = last;
    loop.records = RecordLoop::Records::Rows;
    loop.table = id;
    loop.bar = RecordLoop::Bar::Done;
    loop.phase = phase;
    loop.show = [&feedback, &table, id, numberColumn](int row) {
        feedback.counterText(cp1251ToUtf8(table.cell(row, numberColumn)));
        feedback.moveCursor(id, row, numberColumn);
    };
    return loop;
}

OperationResult runRecordLoop(ScaleSession& session, const RecordLoop& loop, const RecordStep& step)
{
    ProgressDisplay display(session.feedback(), loop.last - loop.first + 1, loop.counter);
    return runRecordLoop(session, display, loop, step);
}

} // namespace qm
