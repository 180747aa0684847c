// The "Ввод параметров" dialog class on its own: key filter, "Применить" with a refusing and an
// accepting check, "Отмена", closing, and what happens to the main window meanwhile.

#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

#include "AppTestSupport.h"
#include "app/AppContext.h"
#include "app/RangeDialog.h"

using namespace qm::app;

namespace
{

class RangeDialogTest : public ::testing::Test
{
  protected:
    RangeDialogTest() : context(&window) { context.setDialogs(&dialogs); }

    std::unique_ptr<RangeDialog> make(RangeDialog::Restore cancelRestore = RangeDialog::Restore::Maximised)
    {
        RangeDialog::Setup s;
        s.name = QStringLiteral("Form9");
        s.heading = {QStringLiteral("Введите номера строк MSG"), QStringLiteral("для чтения из весов")};
        s.firstText = QStringLiteral("1");
        s.lastText = QStringLiteral("1000");
        s.keyLimit = 1000;
        s.cancelRestore = cancelRestore;
        // Accepts 1..1000 and swaps, as the message dialogs do.
        s.check = [](const std::string& first, const std::string& last) {
            const int a = std::stoi("0" + first);
            const int b = std::stoi("0" + last);
            if (a < 1 || b < 1 || a > 1000 || b > 1000)
                return qm::RangeCheck::refuse("вне диапазона");
            return qm::RangeCheck::accept(std::min(a, b), std::max(a, b));
        };
        s.run = [this](int first, int last) {
            runs.emplace_back(first, last);
            stateDuringRun = window.windowState();
        };
        return std::make_unique<RangeDialog>(context, std::move(s));
    }

    QMainWindow window;
    apptest::ScriptedDialogs dialogs;
    AppContext context;
    std::vector<std::pair<int, int>> runs;
    Qt::WindowStates stateDuringRun;
};

TEST_F(RangeDialogTest, KeyFilterStopsDigitsPastTheLimit)
{
    auto dialog = make();
    QLineEdit* field = dialog->firstField();
    field->setText("100");
    apptest::typeText(field, "0");
    EXPECT_EQ(field->text(), "1000") << "1000 is at the limit: one more digit may still come";
    apptest::typeText(field, "1");
    EXPECT_EQ(field->text(), "10001") << "a text may pass the limit by one typed digit";
    apptest::typeText(field, "2");
    EXPECT_EQ(field->text(), "10001");
    apptest::typeText(field, "\b", Qt::Key_Backspace);
    EXPECT_EQ(field->text(), "1000");

    field->setText("12");
    apptest::typeText(field, "a");
    apptest::typeText(field, "-");
    apptest::typeText(field, "Ж");
    EXPECT_EQ(field->text(), "12");
    apptest::typeText(field, "3");
    EXPECT_EQ(field->text(), "123");
}

TEST_F(RangeDialogTest, ApplyRefusedStaysOpenThenAcceptedRunsWithTheSwappedPair)
{
    auto dialog = make();
    EXPECT_EQ(dialog->windowTitle(), "Ввод параметров");
    EXPECT_EQ(dialog->firstField()->text(), "1");
    EXPECT_EQ(dialog->lastField()->text(), "1000");
    dialog->showFor(&window);
    EXPECT_TRUE(window.isMinimized());

    dialog->lastField()->setText("1001");
    QTest::mouseClick(dialog->applyButton(), Qt::LeftButton);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"вне диапазона"});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(runs.empty());
    EXPECT_TRUE(window.isMinimized());

    dialog->firstField()->setText("70");
    dialog->lastField()->setText("30");
    QTest::mouseClick(dialog->applyButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(runs, (std::vector<std::pair<int, int>>{{30, 70}}));
    EXPECT_TRUE(stateDuringRun & Qt::WindowMaximized) << "the window is back before the operation runs";
    EXPECT_EQ(dialog->first(), 30);
    EXPECT_EQ(dialog->last(), 70);

    // The texts stay for the next use, as typed.
    dialog->showFor(&window);
    EXPECT_EQ(dialog->firstField()->text(), "70");
    EXPECT_EQ(dialog->lastField()->text(), "30");
}

TEST_F(RangeDialogTest, CancelAndCloseRestoreTheWindowWithoutRunning)
{
    auto rowDialog = make(RangeDialog::Restore::Normal);
    rowDialog->showFor(&window);
    QTest::mouseClick(rowDialog->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(rowDialog->isVisible());
    EXPECT_FALSE(window.isMinimized());
    EXPECT_FALSE(window.isMaximized()) << "the row-deleting dialogs bring the window back at its normal size";

    auto other = make(RangeDialog::Restore::Maximised);
    other->showFor(&window);
    QTest::mouseClick(other->cancelButton(), Qt::LeftButton);
    EXPECT_TRUE(window.isMaximized());

    window.showNormal();
    rowDialog->showFor(&window);
    rowDialog->close();
    EXPECT_FALSE(rowDialog->isVisible());
    EXPECT_TRUE(window.isMaximized()) << "closing the dialog's window maximises";
    EXPECT_TRUE(runs.empty());
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
