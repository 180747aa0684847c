// The transfers of the tab "Товары" end to end: buttons, worker thread, emulated scale on COM1,
// the range dialogs, the stop button and the rows read back into the grid.

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "ProductsTabRig.h"
#include "StateBuilder.h"
#include "app/RangeDialog.h"
#include "support/CliProcess.h"

using namespace qm::app;
using apptest::find;

namespace
{

const char* const kSaveFirst = "Будет получен новый список товаров.\r\nВ таблице  были изменения.\r\nСохранить ?";

qmtest::EmuOptions holding(const emu::StateBuilder& builder, int baud = 0)
{
    qmtest::EmuOptions o;
    o.stateJson = builder.json();
    o.baud = baud;
    return o;
}

class ProductsTransfer : public apptest::ProductsTabRig
{
  protected:
    void apply(RangeDialog* dialog, const char* first, const char* last)
    {
        dialog->firstField()->setText(QString::fromUtf8(first));
        dialog->lastField()->setText(QString::fromUtf8(last));
        QTest::mouseClick(dialog->applyButton(), Qt::LeftButton);
    }
};

TEST_F(ProductsTransfer, SendTableWritesEveryRowThenCheckStopsAtABadRow)
{
    qmtest::EmuProcess scale;
    connect(scale);
    setProducts({{"1", "Сыр", "4550"}, {"7", "Молоко", "100"}});
    clickAndWait("SpeedButton31");
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Данные переданы."});
    EXPECT_TRUE(dialogs.errors.empty());
    const auto state = scale.state();
    ASSERT_EQ(state.plu.size(), 2u);
    EXPECT_EQ(state.plu.at(1).price, 4550u);
    EXPECT_EQ(state.plu.at(1).name1, emu::scaleName("Сыр"));
    EXPECT_EQ(state.plu.at(7).price, 100u);
    EXPECT_EQ(state.plu.at(7).shelf, 30u);
    EXPECT_TRUE(find<QProgressBar>(&form, "ProgressBar1")->isHidden());
    EXPECT_TRUE(find<QPushButton>(&form, "Button16")->isHidden());
    EXPECT_EQ(grid()->currentRow(), 1);

    // "Протестировать данные перед записью" finds row 3 wrong before a record goes out.
    scale.clearLog();
    dialogs.messages.clear();
    setProducts({{"2", "a", "1"}, {"3", "b", "2"}, {"4", "c", "-1"}});
    clickAndWait("SpeedButton31");
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Неправильно задана цена товара."});
    EXPECT_EQ(scale.state().plu.size(), 2u) << "nothing was sent";
    EXPECT_EQ(grid()->currentRow(), 3);
    EXPECT_EQ(grid()->currentCol(), 3);
}

TEST_F(ProductsTransfer, VirtualSynchronisationSortsTheWindowsTable)
{
    qmtest::EmuProcess scale;
    connect(scale);
    setProducts({{"5", "e", "50"}, {"2", "b", "20"}, {"9", "i", "90"}});
    find<QCheckBox>(&form, "CheckBox22")->setChecked(true);
    clickAndWait("SpeedButton31");
    EXPECT_EQ(pluColumn(), (std::vector<std::string>{"2", "5", "9"}));
    EXPECT_TRUE(modified());
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.front().rfind("Данные переданы.\r\nНачало передачи: ", 0), 0u);
    const auto state = scale.state();
    EXPECT_EQ(state.plu.size(), 3u);
    EXPECT_EQ(state.plu.at(9).price, 90u);
    EXPECT_FALSE(state.range.has_value()) << "the range is cancelled at the end";
}

TEST_F(ProductsTransfer, ReadAllStoppedByTheStopButtonKeepsTheRowsReadSoFar)
{
    emu::StateBuilder b;
    for (std::uint32_t n = 1; n <= 12; ++n)
        b.plu(n, "p" + std::to_string(n), n * 10);
    // At 9600 baud a record takes about 0.1 s on the line: time to press the button.
    qmtest::EmuProcess scale(holding(b, 9600));
    connect(scale);
    setProducts({{"99", "old", "1"}});
    modified() = true;
    dialogs.answers = {qm::Answer::No};

    click("SpeedButton34");
    ASSERT_TRUE(apptest::waitFor([&] { return products().rowCount() >= 5; }, 20000)) << "three records read";
    EXPECT_FALSE(find<QPushButton>(&form, "Button16")->isHidden());
    const auto requests = [&scale] {
        const auto got = scale.received();
        size_t n = 0;
        for (size_t i = 0; i + 1 < got.size(); ++i)
            n += got[i] == 1 && got[i + 1] == 0x81;
        return n;
    };
    const size_t askedAtStop = requests();
    click("Button16");
    ASSERT_TRUE(form.context().runner().waitIdle(20000));

    EXPECT_EQ(dialogs.questions, std::vector<std::string>{kSaveFirst});
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Действие прервано."});
    const auto plu = pluColumn();
    ASSERT_GE(plu.size(), 3u);
    // Whatever the machine's speed: the record in flight may come in, no other is asked for.
    EXPECT_LE(requests(), askedAtStop + 1) << "the read went on after the stop";
    for (size_t i = 0; i < plu.size(); ++i)
        EXPECT_EQ(plu[i], std::to_string(i + 1)) << "row " << i + 1;
    EXPECT_EQ(products().cell(2, 3), "20");
    EXPECT_EQ(products().cell(2, 1), "p2" + std::string(26, ' '));
    EXPECT_TRUE(modified()) << "rows read set the flag again after No cleared it";
    EXPECT_TRUE(find<QProgressBar>(&form, "ProgressBar1")->isHidden());
}

TEST_F(ProductsTransfer, SendRangeDialogRefusesWrongInputThenSendsTheSwappedRange)
{
    qmtest::EmuProcess scale;
    connect(scale);
    setProducts({{"1", "a", "10"}, {"2", "b", "20"}, {"3", "c", "30"}, {"4", "d", "40"}});
    RangeDialog* dialog = tab()->sendRangeDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->objectName(), "Form4");

    clickAndWait("SpeedButton33");
    ASSERT_TRUE(dialog->isVisible()) << "the frame passed, the dialog shows";
    EXPECT_TRUE(form.isMinimized());
    EXPECT_EQ(dialog->firstField()->text(), "0");

    apply(dialog, "0", "2");
    apply(dialog, "2", "5");
    EXPECT_EQ(dialogs.messages,
              (std::vector<std::string>{
                  "Номер строки не может быть нулевым. Проверьте правильность ввода параметров.",
                  "В таблице товаров нет такого большого количества строк, проверьте правильность ввода параметров."}));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(scale.state().plu.empty());

    dialogs.messages.clear();
    apply(dialog, "3", "2");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(form.isMinimized());
    ASSERT_TRUE(form.context().runner().waitIdle(20000));
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Данные переданы."});
    const auto state = scale.state();
    ASSERT_EQ(state.plu.size(), 2u);
    EXPECT_EQ(state.plu.at(2).price, 20u);
    EXPECT_EQ(state.plu.at(3).price, 30u);
}

TEST_F(ProductsTransfer, ReadRangeAndDeleteRangeRunThroughTheirDialogs)
{
    qmtest::EmuProcess scale(holding(emu::StateBuilder().plu(3, "три", 30).plu(5, "пять", 50).plu(9, "девять", 90)));
    connect(scale);

    clickAndWait("SpeedButton37");
    RangeDialog* read = tab()->readRangeDialog();
    ASSERT_TRUE(read->isVisible());
    apply(read, "4001", "3");
    EXPECT_TRUE(read->isVisible());
    apply(read, "7", "3");
    ASSERT_TRUE(form.context().runner().waitIdle(20000));
    EXPECT_EQ(pluColumn(), (std::vector<std::string>{"3", "5"}));
    EXPECT_EQ(products().cell(2, 3), "50");

    dialogs.messages.clear();
    clickAndWait("SpeedButton40");
    RangeDialog* remove = tab()->deleteRangeDialog();
    ASSERT_TRUE(remove->isVisible());
    apply(remove, "0", "5");
    EXPECT_TRUE(remove->isVisible());
    dialogs.answers = {qm::Answer::Yes};
    apply(remove, "5", "1");
    ASSERT_TRUE(form.context().runner().waitIdle(20000));
    EXPECT_EQ(dialogs.questions.back(),
              "ВНИМАНИЕ !\r\nВыбранные ячейки товаров из весов будут удалены.\r\nПродолжить ?");
    EXPECT_EQ(dialogs.messages,
              (std::vector<std::string>{
                  "Номер ячейки не может быть нулевым или больше 4000. Проверьте правильность ввода параметров.",
                  "Таблица товаров удалена. Для просмотра количества свободных ячеек товара на весах - "
                  "перезагрузите их."}));
    const auto state = scale.state();
    ASSERT_EQ(state.plu.size(), 1u);
    EXPECT_EQ(state.plu.count(9), 1u);
}

TEST_F(ProductsTransfer, FailedSortOfAVirtualTransferLeavesTheCursorOnTheBadRow)
{
    qmtest::EmuProcess scale;
    connect(scale);
    setProducts({{"3", "c", "30"}, {"abc", "b", "20"}, {"1", "a", "10"}});
    find<QCheckBox>(&form, "CheckBox20")->setChecked(false);
    find<QCheckBox>(&form, "CheckBox22")->setChecked(true);
    clickAndWait("SpeedButton31");
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Ошибка ввода данных в таблице."});
    EXPECT_EQ(grid()->currentRow(), 2);
    EXPECT_EQ(grid()->currentCol(), 0);
    EXPECT_TRUE(scale.state().plu.empty());
}

TEST_F(ProductsTransfer, WindowAndCommandLineTakeTurnsOnOneScale)
{
    qmtest::EmuProcess scale(holding(emu::StateBuilder().plu(5, "пять", 50)));
    connect(scale);
    find<QLineEdit>(&form, "Edit35")->setText("5");
    clickAndWait("SpeedButton35");
    ASSERT_EQ(pluColumn(), std::vector<std::string>{"5"});

    // The window holds no port between operations: the command line gets the scale.
    std::string cfl;
    for (const std::string cell : {"1", "Весы", "", "1", "COM1", "9600", "", "", ""})
        cfl += qm::cp(cell) + "\r\n";
    apptest::writeFile(dir / "scales.cfl", cfl);
    const auto run = qmtest::runCli(dir.path(), {"--dir", dir.path().string(), "--config",
                                                 (dir / "scales.cfl").string(), "test-link", "--scale", "Весы"});
    EXPECT_EQ(run.status, 0) << run.out << run.err;

    // And the window gets it back.
    dialogs.messages.clear();
    clickAndWait("SpeedButton32");
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Данные переданы."});
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(ProductsTransfer, OneRecordByEdit35AndNoScaleChosen)
{
    qmtest::EmuProcess scale(holding(emu::StateBuilder().plu(5, "пять", 50)));
    connect(scale);
    auto* plu = find<QLineEdit>(&form, "Edit35");
    plu->setText("5");
    clickAndWait("SpeedButton35");
    EXPECT_EQ(pluColumn(), std::vector<std::string>{"5"});
    EXPECT_TRUE(modified());

    dialogs.answers = {qm::Answer::Yes};
    clickAndWait("SpeedButton39");
    EXPECT_TRUE(scale.state().plu.empty());
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"Данные приняты.", "Выбранная ячейка удалена."}));

    dialogs.messages.clear();
    find<ChooserBox>(&form, "ComboBox8")->setText(QStringLiteral("Нет таких"));
    clickAndWait("SpeedButton89");
    EXPECT_EQ(
        dialogs.messages,
        std::vector<std::string>{"Для записи таблицы товаров выберите весы из списка (или заполните конфигурацию.)."});
}

} // namespace
