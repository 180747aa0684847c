// The window while an operation runs on a table: the grid takes no typing and no file, a stop
// always says so, and a send's progress bar names its passes and is full at its closing text.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "ProductsTabRig.h"
#include "StateBuilder.h"
#include "app/RangeDialog.h"
#include "app/TableCommands.h"
#include "app/tabs/MessagesTab.h"

using apptest::find;
using apptest::waitFor;

namespace
{

constexpr int kRows = 20;

qmtest::EmuOptions slowScale(int products)
{
    emu::StateBuilder b;
    for (int n = 1; n <= products; ++n)
        b.plu(static_cast<std::uint32_t>(n), "p" + std::to_string(n), static_cast<std::uint32_t>(n) * 10);
    b.message(1, {"m1"});
    qmtest::EmuOptions o;
    o.stateJson = b.json();
    o.baud = 9600; // a record takes about 0.1 s on the line: time to intrude
    return o;
}

class BusyTable : public apptest::ProductsTabRig
{
  protected:
    // The scale on every tab's chooser, and tables of `rows` products and messages.
    void start(const qmtest::EmuProcess& scale, int rows)
    {
        connect(scale);
        for (const char* chooser : {"ComboBox10", "ComboBox7"})
            find<qm::app::ChooserBox>(&form, chooser)->setText(QStringLiteral("Весы"));
        std::vector<std::vector<std::string>> products;
        qm::Table messages = qm::makeTable(qm::messageLayout());
        messages.setRowCount(rows + 1);
        for (int r = 1; r <= rows; ++r) {
            products.push_back({std::to_string(r), "Товар " + std::to_string(r), std::to_string(r * 100)});
            messages.setRow(r, {std::to_string(r), qm::cp("Строка " + std::to_string(r))});
        }
        setProducts(products);
        form.messagesTab()->grid()->tableModel()->setTable(messages);
        modified() = false;
    }
    QProgressBar* bar(const char* name) { return find<QProgressBar>(&form, name); }
};

// --- keys and files during a send and a read ---

enum class Op { Send, Read };
enum class Intrusion { Keys, OpenFile };
struct IntrusionCase {
    const char* name;
    Op op;
    Intrusion intrusion;
};

class Intrusions : public BusyTable, public ::testing::WithParamInterface<IntrusionCase>
{
  protected:
    void intrude(Intrusion how)
    {
        QToolButton* open = find<QToolButton>(&form, "SpeedButton9");
        if (how == Intrusion::OpenFile) {
            EXPECT_FALSE(open->isEnabled());
            EXPECT_FALSE(find<QToolButton>(&form, "SpeedButton101")->isEnabled()) << "import";
            EXPECT_FALSE(find<QToolButton>(&form, "SpeedButton25")->isEnabled()) << "add row";
            EXPECT_TRUE(find<QToolButton>(&form, "SpeedButton43")->isEnabled()) << "the messages' table is free";
            QTest::mouseClick(open, Qt::LeftButton);
            form.findChild<QAction*>(QStringLiteral("N8"))->trigger();
            // A shortcut or a dialog left open reaches the command itself: it waits as well.
            tab()->SpeedButton9Click();
            tab()->importCsv();
            tab()->commands()->addRow();
            return;
        }
        grid()->setFocus();
        const QRect cell = grid()->visualRect(grid()->tableModel()->index(1, 0));
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
        EXPECT_EQ(grid()->cellEditor(), nullptr) << "no editor opens on a busy table";
        for (const QString& key : {QStringLiteral("Q"), QStringLiteral("W"), QStringLiteral("7")}) {
            apptest::typeText(grid(), key);
            if (QWidget* focus = QApplication::focusWidget(); focus && focus != grid())
                apptest::typeText(focus, key);
        }
        QTest::keyClick(grid(), Qt::Key_Delete);
    }
};

TEST_P(Intrusions, ChangeNothingOfTheTableTheOperationWorksOn)
{
    const IntrusionCase c = GetParam();
    qmtest::EmuProcess scale(slowScale(c.op == Op::Read ? kRows : 0));
    start(scale, c.op == Op::Send ? kRows : 1);
    // A valid list in a file that an "Открыть" would take.
    setProducts({{"999", "Из файла", "5"}});
    dialogs.files.push_back(qm::ChosenFile{dir / "other.pl6", 1});
    tab()->SpeedButton10Click();
    ASSERT_TRUE(std::filesystem::exists(dir / "other.pl6"));
    start(scale, c.op == Op::Send ? kRows : 1);
    const qm::Table before = products();
    // As a person works: the window active, the grid focused with its editor open.
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    grid()->setFocus();
    grid()->setCurrentCell(1, 1);
    ASSERT_NE(grid()->cellEditor(), nullptr);
    dialogs.files.push_back(qm::ChosenFile{dir / "other.pl6", 1});
    const size_t dialogsBefore = dialogs.shown.size();

    if (c.op == Op::Send) {
        click("SpeedButton31");
    } else {
        clickAndWait("SpeedButton37");
        tab()->readRangeDialog()->firstField()->setText(QStringLiteral("1"));
        tab()->readRangeDialog()->lastField()->setText(QString::number(kRows));
        QTest::mouseClick(tab()->readRangeDialog()->applyButton(), Qt::LeftButton);
    }
    ASSERT_TRUE(waitFor([&] { return grid()->currentRow() >= 4 && form.context().runner().busy(); }, 20000));
    intrude(c.intrusion);
    ASSERT_TRUE(form.context().runner().waitIdle(30000));

    EXPECT_EQ(dialogs.shown.size(), dialogsBefore) << "no file dialog while the table is busy";
    ASSERT_FALSE(dialogs.messages.empty());
    if (c.op == Op::Send) {
        EXPECT_EQ(dialogs.messages.back(), "Данные переданы.");
        EXPECT_TRUE(products() == before) << "the grid still shows what was sent";
        EXPECT_EQ(scale.state().plu.size(), static_cast<size_t>(kRows));
    } else {
        EXPECT_EQ(dialogs.messages.back(), "Данные приняты.");
        ASSERT_EQ(products().lastRow(), kRows) << "only the records read";
        for (int r = 1; r <= kRows; ++r) {
            EXPECT_EQ(products().cell(r, 0), std::to_string(r));
            EXPECT_EQ(products().cell(r, 1),
                      "p" + std::to_string(r) + std::string(28 - 1 - std::to_string(r).size(), ' '));
        }
    }
    // Free again: the commands come back and the cells take typing.
    EXPECT_TRUE(find<QToolButton>(&form, "SpeedButton9")->isEnabled());
    EXPECT_TRUE(grid()->tableModel()->flags(grid()->tableModel()->index(0, 0)) & Qt::ItemIsEditable);
}

INSTANTIATE_TEST_SUITE_P(SendAndRead, Intrusions,
                         ::testing::Values(IntrusionCase{"SendKeys", Op::Send, Intrusion::Keys},
                                           IntrusionCase{"SendOpen", Op::Send, Intrusion::OpenFile},
                                           IntrusionCase{"ReadKeys", Op::Read, Intrusion::Keys},
                                           IntrusionCase{"ReadOpen", Op::Read, Intrusion::OpenFile}),
                         [](const auto& test) { return std::string(test.param.name); });

// --- a stop always says so ---

struct StopCase {
    const char* name;
    const char* button;
    const char* bar;
    const char* stop;
};

class Stops : public BusyTable, public ::testing::WithParamInterface<StopCase>
{
};

TEST_P(Stops, EndWithTheStoppedText)
{
    const StopCase c = GetParam();
    qmtest::EmuProcess scale(slowScale(kRows));
    start(scale, kRows);
    dialogs.answers = {qm::Answer::Yes}; // the question before a delete

    click(c.button);
    ASSERT_TRUE(waitFor([&] { return !bar(c.bar)->isHidden() && bar(c.bar)->value() >= 2; }, 20000));
    click(c.stop);
    ASSERT_TRUE(form.context().runner().waitIdle(20000));

    ASSERT_FALSE(dialogs.messages.empty());
    const std::string last = dialogs.messages.back();
    const std::string stopped = "Действие прервано.";
    EXPECT_EQ(last.substr(last.size() - std::min(last.size(), stopped.size())), stopped) << last;
    EXPECT_TRUE(bar(c.bar)->isHidden());
}

INSTANTIATE_TEST_SUITE_P(EveryTab, Stops,
                         ::testing::Values(StopCase{"ProductsSend", "SpeedButton31", "ProgressBar1", "Button16"},
                                           StopCase{"ProductsRead", "SpeedButton34", "ProgressBar1", "Button16"},
                                           StopCase{"ProductsDelete", "SpeedButton38", "ProgressBar1", "Button16"},
                                           StopCase{"MessagesSend", "SpeedButton54", "ProgressBar2", "Button17"},
                                           StopCase{"MessagesRead", "SpeedButton57", "ProgressBar2", "Button17"},
                                           StopCase{"ReportsRead", "SpeedButton17", "ProgressBar4", "Button18"}),
                         [](const auto& test) { return std::string(test.param.name); });

// --- the progress of a send ---

struct ProgressCase {
    const char* name;
    const char* button;
    const char* bar;
    const char* counter;
    const char* checkBox;
    bool checkFirst;
    std::vector<QString> phases;
};

class SendProgress : public BusyTable, public ::testing::WithParamInterface<ProgressCase>
{
};

TEST_P(SendProgress, NamesItsPassesAndIsFullAtTheClosingText)
{
    const ProgressCase c = GetParam();
    qmtest::EmuProcess scale;
    start(scale, 3);
    find<QCheckBox>(&form, c.checkBox)->setChecked(c.checkFirst);
    QProgressBar* progress = bar(c.bar);
    std::vector<QString> phases;
    QObject::connect(progress, &QProgressBar::valueChanged, [&](int value) {
        if (value <= 0)
            return; // a pass starting: its name follows
        const QString shown = progress->isTextVisible() ? progress->format() : QString();
        if (phases.empty() || phases.back() != shown)
            phases.push_back(shown);
    });
    struct AtMessage {
        int value = -1;
        int maximum = -1;
        bool visible = false;
        QString counter;
    } at;
    dialogs.onMessage = [&](const std::string&) {
        at = {progress->value(), progress->maximum(), !progress->isHidden(), find<QLabel>(&form, c.counter)->text()};
    };

    clickAndWait(c.button);

    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Данные переданы."});
    EXPECT_EQ(phases, c.phases);
    EXPECT_TRUE(at.visible);
    EXPECT_EQ(at.maximum, 3);
    EXPECT_EQ(at.value, 3) << "the bar is full when the transfer says it is done";
    EXPECT_EQ(at.counter, QStringLiteral("3")) << "the counter shows the last record sent";
}

const QString kCheck = QStringLiteral("Проверка…");
const QString kSend = QStringLiteral("Передача…");

INSTANTIATE_TEST_SUITE_P(
    Sends, SendProgress,
    ::testing::Values(
        ProgressCase{
            "ProductsChecked", "SpeedButton31", "ProgressBar1", "Label65", "CheckBox20", true, {kCheck, kSend}},
        ProgressCase{"ProductsUnchecked", "SpeedButton31", "ProgressBar1", "Label65", "CheckBox20", false, {kSend}},
        ProgressCase{
            "MessagesChecked", "SpeedButton54", "ProgressBar2", "Label66", "CheckBox21", true, {kCheck, kSend}}),
    [](const auto& test) { return std::string(test.param.name); });

} // namespace
