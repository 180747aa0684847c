// The transfers of the tab "Сообщения" against an emulated scale on COM1: the buttons run the
// message operations on the worker thread with the chosen scale, rows read land in the grid,
// the save-first question guards a modified table, and the stop button ends a long read.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "MessagesFixture.h"
#include "files/FileCommands.h"

using namespace qm::app;
using namespace apptest;

namespace
{

using MessagesTransfer = MessagesTabTest;

TEST_F(MessagesTransfer, WriteTableSendsEveryRowToTheChosenScale)
{
    start();
    setRows({{"3", "Хранить при t 0..4", "", "", "", "", "", "", "ёЁ конец"}, {"0x7", "", "Акция"}});
    click("SpeedButton54");
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Данные переданы."});
    const auto state = emu->state();
    ASSERT_EQ(state.messages.size(), 2u);
    EXPECT_EQ(scaleLine(3, 0), "Хранить при t 0..4");
    EXPECT_EQ(scaleLine(3, 7), "ёЁ конец");
    EXPECT_EQ(scaleLine(7, 1), "Акция");
    // The running display is taken down at the end.
    EXPECT_TRUE(find<QProgressBar>(form.get(), "ProgressBar2")->isHidden());
    EXPECT_TRUE(find<QPushButton>(form.get(), "Button17")->isHidden());
    EXPECT_TRUE(find<QLabel>(form.get(), "Label66")->isHidden());
}

TEST_F(MessagesTransfer, WriteChecksFirstOnlyWhenTheBoxIsTicked)
{
    start();
    setRows({{"3", "a"}, {"1001", "b"}});
    click("SpeedButton54");
    EXPECT_EQ(dialogs.messages,
              std::vector<std::string>{"Неправильно задан номер сообщения задан. Это целое число от 1 до 1000."});
    EXPECT_TRUE(emu->state().messages.empty()) << "the check pass comes before any write";
    EXPECT_EQ(grid()->currentRow(), 2);

    // Without the check row 1 goes out before the bad row ends the write.
    find<QCheckBox>(form.get(), "CheckBox21")->setChecked(false);
    dialogs.messages.clear();
    setRows({{"3", "a"}, {"abc", "b"}});
    click("SpeedButton54");
    EXPECT_EQ(emu->state().messages.size(), 1u);
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(MessagesTransfer, WriteSelectedRowWritesOnlyTheCurrentRow)
{
    start();
    setRows({{"5", "пять"}, {"6", "шесть"}});
    grid()->setCurrentCell(2, 3);
    click("SpeedButton55");
    const auto state = emu->state();
    ASSERT_EQ(state.messages.size(), 1u);
    EXPECT_EQ(scaleLine(6, 0), "шесть");
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Данные переданы."});
}

TEST_F(MessagesTransfer, ReadAllFillsTheGridAfterTheSaveFirstQuestion)
{
    start(emu::StateBuilder(kScale).message(3, {"три"}).message(7, {"", "семь"}).json());
    setRows({{"1", "old"}});
    modified() = true;
    dialogs.answers = {qm::Answer::No};
    click("SpeedButton57");
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{kSaveFirst});
    ASSERT_EQ(table().rowCount(), 3);
    EXPECT_EQ(table().row(1), row("3", {"три"}));
    EXPECT_EQ(table().row(2), row("7", {"", "семь"}));
    EXPECT_TRUE(modified()) << "rows read from a scale are not saved yet";
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MessagesTransfer, ReadOneKeepsAModifiedTableUnlessItWasSavedOrGivenUp)
{
    start(emu::StateBuilder(kScale).message(9, {"девять"}).json());
    setRows({{"1", "мой"}});
    modified() = true;
    find<QLineEdit>(form.get(), "Edit36")->setText("9");

    dialogs.answers = {qm::Answer::Cancel};
    click("SpeedButton58");
    EXPECT_EQ(table().cell(1, 1), qm::cp("мой"));
    EXPECT_TRUE(modified());

    // Yes, then the save dialog cancelled: nothing was saved, so nothing is replaced.
    dialogs.answers = {qm::Answer::Yes};
    click("SpeedButton58");
    EXPECT_EQ(dialogs.shownNames(), std::vector<std::string>{"MsgSaveDialog"});
    EXPECT_EQ(table().cell(1, 1), qm::cp("мой"));
    EXPECT_TRUE(modified());

    // Yes with a file: the old table is in the file and the message read replaces it.
    dialogs.answers = {qm::Answer::Yes};
    dialogs.files = {qm::ChosenFile{dir / "old.msg", 1}};
    click("SpeedButton58");
    EXPECT_EQ(apptest::fileLines(dir / "old.msg")[1], qm::cp("мой"));
    ASSERT_EQ(table().rowCount(), 2);
    EXPECT_EQ(table().row(1), row("9", {"девять"}));
    EXPECT_TRUE(modified());
    EXPECT_EQ(dialogs.questions.size(), 3u);
}

TEST_F(MessagesTransfer, DeleteOneAsksWithTheFieldTextAndAWrongNumberIsRefused)
{
    start(emu::StateBuilder(kScale).message(7, {"семь"}).message(8, {"восемь"}).json());
    auto* field = find<QLineEdit>(form.get(), "Edit36");
    field->setText("7");
    dialogs.answers = {qm::Answer::Yes};
    click("SpeedButton61");
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{
                                     "ВНИМАНИЕ !\r\nСообщение № 7 из выбранных весов будет удалено.\r\nПродолжить ?"});
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Сообщение удалено."});
    EXPECT_EQ(emu->state().messages.count(7), 0u);
    EXPECT_EQ(emu->state().messages.count(8), 1u);

    dialogs.messages.clear();
    field->setText("1001");
    click("SpeedButton61");
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Ошибка ввода номера MSG. Это число от 1 до 1000."});
    EXPECT_EQ(dialogs.questions.size(), 1u) << "no question for a wrong number";
    EXPECT_EQ(emu->state().messages.count(8), 1u);
}

TEST_F(MessagesTransfer, StopButtonEndsAReadAndKeepsTheRowsRead)
{
    emu::StateBuilder scale(kScale);
    for (std::uint32_t n = 1; n <= 400; ++n)
        scale.message(n, {"m" + std::to_string(n)});
    start(scale.json());
    QTest::mouseClick(find<QToolButton>(form.get(), "SpeedButton57"), Qt::LeftButton);
    auto* stop = find<QPushButton>(form.get(), "Button17");
    ASSERT_TRUE(apptest::waitFor([&] { return table().rowCount() > 4 && !stop->isHidden(); }));
    EXPECT_TRUE(stop->isEnabled()) << "the stop button stays live while the read runs";
    EXPECT_FALSE(find<QToolButton>(form.get(), "SpeedButton54")->isEnabled());
    const auto requests = [this] {
        const auto got = emu->received();
        int n = 0;
        for (size_t i = 0; i + 1 < got.size(); ++i)
            n += got[i] == kScale && got[i + 1] == 0x83;
        return n;
    };
    const int askedAtStop = requests();
    QTest::mouseClick(stop, Qt::LeftButton);
    ASSERT_TRUE(form->context().runner().waitIdle(20000));
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Действие прервано."});
    const int rows = table().rowCount() - 1;
    EXPECT_GE(rows, 4);
    // Whatever the machine's speed: the message in flight may come in, no other is asked for.
    EXPECT_LE(requests(), askedAtStop + 1);
    EXPECT_EQ(table().cell(rows, 0), std::to_string(rows)) << "no empty row left at the end";
    EXPECT_TRUE(find<QToolButton>(form.get(), "SpeedButton54")->isEnabled());
}

TEST_F(MessagesTransfer, CheckCommandStopsAtTheFirstWrongRow)
{
    start();
    setRows({{"1"}, {" 1000"}, {"12a"}, {"0"}});
    QTest::mouseClick(find<QToolButton>(form.get(), "SpeedButton53"), Qt::LeftButton);
    EXPECT_EQ(dialogs.messages,
              std::vector<std::string>{"Неправильно задан номер сообщения задан. Это целое число от 1 до 1000."});
    EXPECT_EQ(grid()->currentRow(), 3);
    EXPECT_TRUE(find<QProgressBar>(form.get(), "ProgressBar2")->isHidden());

    setRows({{"1"}, {"1000"}});
    QTest::mouseClick(find<QToolButton>(form.get(), "SpeedButton53"), Qt::LeftButton);
    EXPECT_EQ(dialogs.messages.back(), "Список сообщений ошибок не имеет.");
    EXPECT_TRUE(emu->received().empty()) << "the check never talks to the scale";
}

} // namespace
