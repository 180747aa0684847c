// The range dialogs of the tab "Сообщения": each transfer dialog shows after the opening
// steps, checks its pair, runs its operation against the emulated scale with the pair (swapped
// when given backwards) and keeps its texts; the row dialog deletes rows of the grid.

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "MessagesFixture.h"
#include "app/RangeDialog.h"
#include "app/TableCommands.h"

using namespace qm::app;
using namespace apptest;

namespace
{

class MessagesRange : public MessagesTabTest
{
  protected:
    // Fills the dialog's fields and presses "Применить"; waits for the operation it starts.
    void apply(RangeDialog* dialog, const QString& first, const QString& last)
    {
        dialog->firstField()->setText(first);
        dialog->lastField()->setText(last);
        QTest::mouseClick(dialog->applyButton(), Qt::LeftButton);
        ASSERT_TRUE(form->context().runner().waitIdle(20000));
        QCoreApplication::processEvents();
    }
    // How many times the scale got a command byte just after its address.
    int commands(std::uint8_t command)
    {
        const auto bytes = emu->received();
        int n = 0;
        for (size_t i = 0; i + 1 < bytes.size(); ++i)
            if (bytes[i] == kScale && bytes[i + 1] == command)
                ++n;
        return n;
    }
    qm::app::MessagesTab* tab() { return form->messagesTab(); }
};

TEST_F(MessagesRange, ReadRangeShowsItsDialogAfterTheOpeningAndReadsOnlyThoseNumbers)
{
    start(emu::StateBuilder(kScale)
              .message(1, {"один"})
              .message(3, {"три"})
              .message(7, {"семь"})
              .message(12, {"x"})
              .json());
    setRows({{"5", "old"}});
    RangeDialog* dialog = tab()->form9();
    ASSERT_TRUE(dialog->isHidden());
    click("SpeedButton59");
    ASSERT_FALSE(dialog->isHidden());
    EXPECT_EQ(dialog->windowTitle(), "Ввод параметров");
    EXPECT_EQ(dialog->firstField()->text(), "1");
    EXPECT_EQ(dialog->lastField()->text(), "1000");
    EXPECT_EQ(table().cell(1, 0), "5") << "the table is emptied only when the dialog is applied";

    // A number outside 1..1000 keeps the dialog open and reads nothing.
    apply(dialog, "0", "5");
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Номер строки не может быть нулевым или больше 1000. "
                                                         "Проверьте правильность ввода параметров."});
    EXPECT_FALSE(dialog->isHidden());
    EXPECT_EQ(commands(0x83), 0);

    apply(dialog, "10", "2");
    EXPECT_TRUE(dialog->isHidden());
    EXPECT_EQ(commands(0x83), 9) << "numbers 2..10, each once";
    ASSERT_EQ(table().rowCount(), 3);
    EXPECT_EQ(table().row(1), row("3", {"три"}));
    EXPECT_EQ(table().row(2), row("7", {"семь"}));
    EXPECT_TRUE(modified());
    EXPECT_EQ(dialogs.messages.size(), 1u) << "a range read ends without a message";

    // The texts stay for the next use; a cancelled dialog leaves the table, its flag and the
    // save-first question alone.
    click("SpeedButton59");
    EXPECT_EQ(dialog->firstField()->text(), "10");
    EXPECT_EQ(dialog->lastField()->text(), "2");
    QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog->isHidden());
    EXPECT_EQ(table().row(1), row("3", {"три"}));
    EXPECT_TRUE(modified());
    EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(MessagesRange, NoDialogWhenTheOpeningStepsFail)
{
    start();
    find<ChooserBox>(form.get(), "ComboBox10")->setText("Другие");
    click("SpeedButton56");
    click("SpeedButton62");
    EXPECT_TRUE(tab()->form8()->isHidden());
    EXPECT_TRUE(tab()->form10()->isHidden());
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{
                                    "Для записи ячейки выберите весы из списка (или заполните конфигурацию.).",
                                    "Для удаления сообщений выберите весы из списка (или заполните конфигурацию.)."}));
}

TEST_F(MessagesRange, WriteRangeChecksTheRowsAgainstTheTable)
{
    start();
    setRows({{"1", "a"}, {"2", "b"}, {"3", "c"}});
    click("SpeedButton56");
    RangeDialog* dialog = tab()->form8();
    ASSERT_FALSE(dialog->isHidden());
    EXPECT_EQ(dialog->firstField()->text(), "0");
    apply(dialog, "2", "4");
    EXPECT_EQ(dialogs.messages.back(),
              "В таблице сообщений нет такого большого количества строк, проверьте правильность ввода параметров.");
    EXPECT_FALSE(dialog->isHidden());

    apply(dialog, "3", "2");
    EXPECT_TRUE(dialog->isHidden());
    EXPECT_EQ(dialogs.messages.back(), "Данные переданы.");
    const auto state = emu->state();
    ASSERT_EQ(state.messages.size(), 2u);
    EXPECT_EQ(scaleLine(2, 0), "b");
    EXPECT_EQ(scaleLine(3, 0), "c");
}

TEST_F(MessagesRange, DeleteRangeAsksThenDeletesTheNumbers)
{
    emu::StateBuilder scale(kScale);
    for (std::uint32_t n = 9; n <= 13; ++n)
        scale.message(n, {"m"});
    start(scale.json());
    click("SpeedButton62");
    RangeDialog* dialog = tab()->form10();
    ASSERT_FALSE(dialog->isHidden());
    dialogs.answers = {qm::Answer::Yes};
    apply(dialog, "12", "10");
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{"ВНИМАНИЕ !\r\nВсе указанные сообщения из выбранных весов "
                                                          "будут удалены.\r\nПродолжить ?"});
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Сообщения удалены."});
    const auto state = emu->state();
    EXPECT_EQ(state.messages.size(), 2u);
    EXPECT_EQ(state.messages.count(9), 1u);
    EXPECT_EQ(state.messages.count(13), 1u);
}

TEST_F(MessagesRange, RowDialogDeletesRowsOrMakesWayForANewList)
{
    start();
    setRows({{"1"}, {"2"}, {"3"}, {"4"}, {"5"}});
    ASSERT_FALSE(modified());
    click("SpeedButton51");
    RangeDialog* dialog = tab()->commands()->rangeDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->isHidden());
    EXPECT_TRUE(modified()) << "the flag is set as the dialog opens";
    apply(dialog, "3", "2");
    ASSERT_EQ(table().rowCount(), 4);
    EXPECT_EQ(table().cell(1, 0), "1");
    EXPECT_EQ(table().cell(2, 0), "4");
    EXPECT_EQ(table().cell(3, 0), "5");

    // All rows: the new-list command with its save-first question.
    click("SpeedButton51");
    dialogs.answers = {qm::Answer::No};
    apply(dialog, "1", "3");
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{kSaveFirst});
    EXPECT_EQ(table().rowCount(), 2);
    EXPECT_EQ(table().cell(1, 0), "");
    EXPECT_FALSE(modified());
    EXPECT_TRUE(emu->received().empty());
}

} // namespace
