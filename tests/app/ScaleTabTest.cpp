// The scale-tab helper on a tab of its own: tool buttons from a table of rows, scale commands
// waiting while an operation runs, the progress row and its stop button, the link a job gets,
// and the range dialogs opened from the worker.

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

#include "AppTestSupport.h"
#include "app/AppContext.h"
#include "app/ChooserBox.h"
#include "app/ScaleRunner.h"
#include "app/ScaleTab.h"
#include "app/StringGrid.h"
#include "common/Cp1251.h"

using namespace qm::app;
using apptest::find;
using apptest::waitFor;

namespace
{

class ProbeTab : public QWidget
{
  public:
    ProbeTab(AppContext& context, QWidget* parent) : QWidget(parent), scale(context, this) {}

    void first() { clicks.push_back("first"); }
    void second() { clicks.push_back("second"); }
    void send() { clicks.push_back("send"); }
    void applyRange(int from, int to) { ranges.emplace_back(from, to); }

    ScaleTab scale;
    std::vector<std::string> clicks;
    std::vector<std::pair<int, int>> ranges;
};

class ScaleTabTest : public ::testing::Test
{
  protected:
    ScaleTabTest() : context(&window)
    {
        context.setDialogs(&dialogs);
        context.state().startDirectory = dir.path();
        config = new StringGrid(QStringLiteral("StringGrid4"), qm::configLayout(), qm::makeTable(qm::configLayout()),
                                &window);
        context.addGrid(qm::TableId::Config, config);
        tab = new ProbeTab(context, &window);
        using Row = ToolRow<ProbeTab>;
        tab->scale.addCommands(tab, {
                                        {"SpeedButton1", "Первая", ToolIcon::New, &ProbeTab::first},
                                        {"SpeedButton2", "Вторая", ToolIcon::Open, &ProbeTab::second},
                                        Row::gap(),
                                        {"SpeedButton3", "В весы", ToolIcon::SendAll, &ProbeTab::send, ToolKind::Scale},
                                    });
        auto* layout = new QVBoxLayout(tab);
        layout->addLayout(tab->scale.toolbar());
        layout->addLayout(tab->scale.addProgressRow(QStringLiteral("ProgressBar9"), QStringLiteral("Label99"),
                                                    QStringLiteral("Button99")));
        tab->scale.addChooser(3);
    }

    ScaleRunner& runner() { return context.runner(); }
    QProgressBar* bar() { return find<QProgressBar>(tab, "ProgressBar9"); }
    QLabel* counter() { return find<QLabel>(tab, "Label99"); }
    QPushButton* stop() { return find<QPushButton>(tab, "Button99"); }

    // Runs until the stop flag is seen, with the bar and the counter up meanwhile.
    void runUntilStopped(std::atomic<bool>& started)
    {
        ASSERT_TRUE(tab->scale.runOnScale([&started](const qm::ScaleLink& link) {
            qm::Feedback& feedback = link.session.feedback();
            feedback.clearStop();
            feedback.progressStart(10, 2);
            feedback.counterShow(true);
            started = true;
            while (!feedback.stopRequested())
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }));
        ASSERT_TRUE(waitFor([&] { return started.load(); }));
    }

    apptest::StartDirectory dir;
    apptest::ScriptedDialogs dialogs;
    QMainWindow window;
    AppContext context;
    StringGrid* config;
    ProbeTab* tab;
};

TEST_F(ScaleTabTest, ToolButtonsFollowTheRowsWithGapsAndEndWithTheStretch)
{
    QHBoxLayout* bar = tab->scale.toolbar();
    ASSERT_EQ(bar->count(), 5);
    const char* names[] = {"SpeedButton1", "SpeedButton2", nullptr, "SpeedButton3"};
    const char* hints[] = {"Первая", "Вторая", nullptr, "В весы"};
    for (int i = 0; i < 4; ++i) {
        QLayoutItem* item = bar->itemAt(i);
        if (!names[i]) {
            ASSERT_NE(item->spacerItem(), nullptr) << "the gap between the groups";
            EXPECT_EQ(item->spacerItem()->sizeHint().width(), ScaleTab::kToolGap);
            continue;
        }
        auto* button = qobject_cast<QToolButton*>(item->widget());
        ASSERT_NE(button, nullptr) << i;
        EXPECT_EQ(button->objectName(), QString::fromLatin1(names[i]));
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(hints[i]));
    }
    EXPECT_GT(bar->itemAt(4)->spacerItem()->expandingDirections() & Qt::Horizontal, 0) << "the stretch stays last";

    tab->scale.addToolWidget(new QLabel(QStringLiteral("later"), tab));
    EXPECT_EQ(qobject_cast<QLabel*>(bar->itemAt(4)->widget())->text(), QStringLiteral("later"));
    EXPECT_NE(bar->itemAt(5)->spacerItem(), nullptr);

    QTest::mouseClick(find<QToolButton>(tab, "SpeedButton2"), Qt::LeftButton);
    QTest::mouseClick(find<QToolButton>(tab, "SpeedButton1"), Qt::LeftButton);
    EXPECT_EQ(tab->clicks, (std::vector<std::string>{"second", "first"}));
}

TEST_F(ScaleTabTest, ScaleCommandWaitsWhileAnOperationRunsAndTheStopButtonEndsIt)
{
    auto* local = find<QToolButton>(tab, "SpeedButton1");
    auto* scaleCommand = find<QToolButton>(tab, "SpeedButton3");
    EXPECT_TRUE(bar()->isHidden());
    EXPECT_TRUE(counter()->isHidden());
    EXPECT_TRUE(stop()->isHidden());
    EXPECT_EQ(counter()->text(), QStringLiteral("0"));
    EXPECT_EQ(stop()->text(), QStringLiteral("Остановить"));

    std::atomic<bool> started{false};
    runUntilStopped(started);
    ASSERT_TRUE(waitFor([&] { return !bar()->isHidden(); }));
    EXPECT_FALSE(scaleCommand->isEnabled());
    EXPECT_TRUE(local->isEnabled());
    EXPECT_FALSE(stop()->isHidden());
    EXPECT_EQ(bar()->maximum(), 10);
    EXPECT_FALSE(context.state().stop.load());

    QTest::mouseClick(stop(), Qt::LeftButton);
    EXPECT_TRUE(context.state().stop.load());
    ASSERT_TRUE(runner().waitIdle(5000));
    EXPECT_TRUE(scaleCommand->isEnabled());
    EXPECT_TRUE(bar()->isHidden());
    EXPECT_TRUE(counter()->isHidden());
    EXPECT_TRUE(stop()->isHidden());
}

TEST_F(ScaleTabTest, JobGetsTheConfigurationAndChooserTextOfTheMomentItWasStarted)
{
    qm::Table table = config->tableModel()->table();
    table.setCell(1, 1, qm::cp("Весы 1"));
    config->tableModel()->setTable(table);
    tab->scale.chooser()->setText(QStringLiteral("Весы 1"));
    EXPECT_EQ(tab->scale.chooser()->objectName(), QStringLiteral("ComboBox3"));
    EXPECT_EQ(context.choosers().chooser(3), tab->scale.chooser());

    std::atomic<bool> release{false};
    std::string seenName;
    std::string seenCell;
    bool onWindowThread = true;
    ASSERT_TRUE(tab->scale.runOnScale([&](const qm::ScaleLink& link) {
        while (!release)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        onWindowThread = QThread::currentThread() == qApp->thread();
        seenName = link.scaleName;
        seenCell = link.config.cell(1, 1);
    }));
    // Changes made after the start do not reach the running job.
    tab->scale.chooser()->setText(QStringLiteral("Другие"));
    config->tableModel()->setCell(1, 1, "changed");
    release = true;
    ASSERT_TRUE(runner().waitIdle(5000));
    EXPECT_FALSE(onWindowThread);
    EXPECT_EQ(seenName, qm::cp("Весы 1"));
    EXPECT_EQ(seenCell, qm::cp("Весы 1"));
}

TEST_F(ScaleTabTest, RangeDialogOpensOnlyAfterItsOpeningStepsAndAppliesToTheTab)
{
    RangeDialog::Setup s;
    s.name = QStringLiteral("Form7");
    s.check = [](const std::string& first, const std::string& last) {
        return qm::RangeCheck::accept(std::stoi(first), std::stoi(last));
    };
    std::unique_ptr<RangeDialog> dialog = tab->scale.makeRangeDialog(tab, std::move(s), &ProbeTab::applyRange);

    tab->scale.openRangeDialog([](const qm::ScaleLink&) { return false; }, dialog.get());
    ASSERT_TRUE(runner().waitIdle(5000));
    EXPECT_TRUE(dialog->isHidden()) << "a failed opening shows nothing";

    std::atomic<bool> opened{false};
    std::atomic<bool> release{false};
    tab->scale.openRangeDialog(
        [&](const qm::ScaleLink&) {
            opened = true;
            while (!release)
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            return true;
        },
        dialog.get());
    ASSERT_TRUE(waitFor([&] { return opened.load(); }));
    EXPECT_FALSE(dialog->applyButton()->isEnabled()) << "\"Применить\" is a scale command";
    release = true;
    ASSERT_TRUE(runner().waitIdle(5000));
    ASSERT_TRUE(waitFor([&] { return dialog->isVisible(); }));
    EXPECT_TRUE(dialog->applyButton()->isEnabled());

    dialog->firstField()->setText(QStringLiteral("2"));
    dialog->lastField()->setText(QStringLiteral("5"));
    QTest::mouseClick(dialog->applyButton(), Qt::LeftButton);
    EXPECT_EQ(tab->ranges, (std::vector<std::pair<int, int>>{{2, 5}}));
}

} // namespace
