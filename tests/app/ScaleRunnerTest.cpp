// Scale operations on the worker thread: boxes on the window's thread, queued progress, the stop
// button, one operation at a time, errors that escape an operation, rows handed back to a grid.

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

#include "AppTestSupport.h"
#include "WindowRig.h"
#include "app/GridSink.h"
#include "app/ScaleRunner.h"
#include "app/StringGrid.h"
#include "app/TForm1.h"
#include "app/tabs/ProductsTab.h"
#include "app/tabs/ReportsTab.h"
#include "link/TComm.h"

using namespace qm::app;
using apptest::find;
using apptest::waitFor;

namespace
{

class Runner : public apptest::WindowRig
{
  protected:
    ScaleRunner& runner() { return form.context().runner(); }
};

TEST_F(Runner, OperationRunsOnTheWorkerWhileTheWindowStaysLive)
{
    auto* otherCommand = find<QToolButton>(&form, "SpeedButton80");
    auto* bar = find<QProgressBar>(&form, "ProgressBar1");
    auto* stop = find<QPushButton>(&form, "Button16");
    std::atomic<bool> started{false};
    std::atomic<bool> onWindowThread{true};
    const bool ran = runner().run(form.productsTab()->progress(), [&](qm::ScaleSession&, qm::Feedback& feedback) {
        onWindowThread = QThread::currentThread() == qApp->thread();
        feedback.clearStop();
        feedback.progressStart(10, 3);
        started = true;
        while (!feedback.stopRequested())
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        feedback.message("Действие прервано.");
        feedback.progressEnd();
    });
    ASSERT_TRUE(ran);
    ASSERT_TRUE(waitFor([&] { return started && !bar->isHidden(); }));
    EXPECT_FALSE(onWindowThread);
    EXPECT_EQ(bar->maximum(), 10);
    EXPECT_EQ(bar->value(), 3);
    EXPECT_FALSE(stop->isHidden());
    EXPECT_FALSE(otherCommand->isEnabled()) << "other scale commands wait";
    EXPECT_FALSE(runner().run({}, [](qm::ScaleSession&, qm::Feedback&) {})) << "one operation at a time";

    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(5);
    EXPECT_TRUE(waitFor([&] { return ticks >= 3; })) << "the window handles events meanwhile";
    EXPECT_TRUE(runner().busy());

    QTest::mouseClick(stop, Qt::LeftButton);
    ASSERT_TRUE(runner().waitIdle(5000));
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Действие прервано."});
    EXPECT_TRUE(bar->isHidden());
    EXPECT_TRUE(stop->isHidden());
    EXPECT_TRUE(otherCommand->isEnabled());
}

TEST_F(Runner, QuestionsWaitForTheAnswer)
{
    dialogs.answers = {qm::Answer::Yes, qm::Answer::Cancel};
    std::vector<qm::Answer> answers;
    runner().run({}, [&answers](qm::ScaleSession&, qm::Feedback& feedback) {
        answers.push_back(feedback.ask("ВНИМАНИЕ !\r\nПродолжить ?", qm::Buttons::YesNo));
        answers.push_back(feedback.ask("Сохранить ?", qm::Buttons::YesNoCancel));
        answers.push_back(feedback.ask("Еще ?", qm::Buttons::YesNo));
    });
    ASSERT_TRUE(runner().waitIdle(5000));
    EXPECT_EQ(answers, (std::vector<qm::Answer>{qm::Answer::Yes, qm::Answer::Cancel, qm::Answer::No}));
    EXPECT_EQ(dialogs.questions.size(), 3u);
    EXPECT_EQ(dialogs.questions[0], "ВНИМАНИЕ !\r\nПродолжить ?");
    EXPECT_EQ(boxText(dialogs.questions[0]), "ВНИМАНИЕ !\nПродолжить ?");
}

TEST_F(Runner, PortErrorEscapingAnOperationIsShownAndTheWindowGoesOn)
{
    runner().run(form.reportsTab()->progress(), [](qm::ScaleSession&, qm::Feedback& feedback) {
        feedback.progressStart(4000, 1);
        feedback.counterShow(true);
        throw qm::PortError(qm::kErrorNoByte, "Нет байта во входной очереди порта");
    });
    ASSERT_TRUE(runner().waitIdle(5000));
    EXPECT_EQ(dialogs.errors, std::vector<std::string>{"Нет байта во входной очереди порта"});
    EXPECT_TRUE(find<QProgressBar>(&form, "ProgressBar4")->isHidden());
    EXPECT_TRUE(find<QLabel>(&form, "Label68")->isHidden());
    EXPECT_TRUE(find<QPushButton>(&form, "Button18")->isHidden());

    bool second = false;
    EXPECT_TRUE(runner().run({}, [&second](qm::ScaleSession&, qm::Feedback&) { second = true; }));
    ASSERT_TRUE(runner().waitIdle(5000));
    EXPECT_TRUE(second);
}

TEST_F(Runner, RowsReadOnTheWorkerReachTheGridInOrder)
{
    StringGrid* grid = form.reportsTab()->grid();
    grid->tableModel()->setCell(1, 0, "old");
    auto sink = std::make_shared<GridSink>(form.context(), grid->tableModel(),
                                           [this] { form.context().state().reportsModified = true; });
    std::vector<int> counts;
    runner().run({}, [sink, &counts](qm::ScaleSession& session, qm::Feedback&) {
        sink->clear();
        counts.push_back(sink->rowCount());
        sink->setRow(1, {"1", "a"});
        sink->appendRow();
        sink->setRow(2, {"2", "b"});
        sink->appendRow();
        counts.push_back(sink->rowCount());
        sink->removeLastRow();
        counts.push_back(sink->rowCount());
        sink->setModified();
        session.feedback().moveCursor(qm::TableId::Reports, 2, 1);
    });
    ASSERT_TRUE(runner().waitIdle(5000));
    EXPECT_EQ(counts, (std::vector<int>{2, 4, 3}));
    const qm::Table& t = grid->tableModel()->table();
    EXPECT_EQ(t.rowCount(), 3);
    EXPECT_EQ(t.cell(1, 0), "1");
    EXPECT_EQ(t.cell(2, 1), "b");
    EXPECT_TRUE(form.context().state().reportsModified);
    EXPECT_EQ(grid->currentRow(), 2);
    EXPECT_EQ(grid->currentCol(), 1);
}

TEST_F(Runner, CloseDuringAnOperationStopsItAndClosesAfterwards)
{
    std::atomic<bool> started{false};
    runner().run(form.productsTab()->progress(), [&started](qm::ScaleSession&, qm::Feedback& feedback) {
        feedback.clearStop();
        started = true;
        while (!feedback.stopRequested())
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    });
    ASSERT_TRUE(waitFor([&] { return started.load(); }));
    form.show();
    std::filesystem::remove(dir / "qm1_6.cfg");
    // No: the operation goes on and the window stays.
    dialogs.answers = {qm::Answer::No};
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(runner().waitIdle(300));
    // Yes: stopped between records, then the window closes.
    dialogs.answers = {qm::Answer::Yes};
    EXPECT_FALSE(form.close());
    EXPECT_EQ(dialogs.questions.size(), 2u);
    ASSERT_TRUE(runner().waitIdle(5000));
    EXPECT_TRUE(waitFor([&] { return !form.isVisible(); }));
    EXPECT_TRUE(std::filesystem::exists(dir / "qm1_6.cfg"));
}

// The window going away while an operation waits for a question: the question gets No without a
// box, the operation sees the stop, and the runner ends it without handling a single event.
TEST(RunnerShutdown, WindowGoingDuringAQuestionEndsTheOperationWithoutHandlingEvents)
{
    apptest::StartDirectory dir;
    apptest::ScriptedDialogs dialogs;
    auto form = std::make_unique<TForm1>(&dialogs);
    std::atomic<bool> asking{false};
    std::atomic<bool> stopped{false};
    qm::Answer answer = qm::Answer::Yes;
    form->context().runner().run({}, [&](qm::ScaleSession&, qm::Feedback& feedback) {
        feedback.clearStop();
        asking = true;
        answer = feedback.ask("Продолжить ?", qm::Buttons::YesNo);
        stopped = feedback.stopRequested();
    });
    // Without handling events: the question stays queued to the window.
    for (int i = 0; i < 500 && !asking; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(asking);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    bool eventHandled = false;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&eventHandled] { eventHandled = true; });
    probe.start(0);
    form.reset();
    EXPECT_FALSE(eventHandled);
    EXPECT_EQ(answer, qm::Answer::No);
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(dialogs.questions.empty());
}

} // namespace
