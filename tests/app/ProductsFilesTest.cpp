// The product list's file and row-editing buttons, the check button, the row-range dialog
// `Form2` and the configuration tab's file picker, with file dialogs answered from a script.

#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "ProductsTabRig.h"
#include "app/RangeDialog.h"
#include "app/UserDialogs.h"

using namespace qm::app;
using apptest::find;

namespace
{

const char* const kNewList = "Будет открыт новый список товаров.\r\nВ таблице  были изменения.\r\nСохранить ?";

class ProductsFiles : public apptest::ProductsTabRig
{
  protected:
    void choose(const std::string& name, int filter = 1)
    {
        dialogs.files.push_back(qm::ChosenFile{dir / name, filter});
    }
};

TEST_F(ProductsFiles, SaveNewOpenRoundTrip)
{
    setProducts({{"1", "Сыр", "4550"}, {"7", "Молоко", "100"}});
    modified() = true;
    choose("list.pl6");
    click("SpeedButton10");
    EXPECT_FALSE(modified());
    EXPECT_EQ(apptest::fileLines(dir / "list.pl6").size(), 22u);
    const QString named = programTitle() + " - " + QString::fromStdString((dir / "list.pl6").string());
    EXPECT_EQ(form.windowTitle(), named) << "the title names the file saved";

    grid()->setCurrentCell(2, 3);
    click("SpeedButton8");
    EXPECT_EQ(pluColumn(), std::vector<std::string>{""});
    EXPECT_TRUE(dialogs.questions.empty()) << "a saved table is replaced without asking";
    EXPECT_EQ(form.windowTitle(), programTitle()) << "a new list has no file";

    choose("list.pl6");
    click("SpeedButton9");
    EXPECT_EQ(form.windowTitle(), named) << "and the file opened";
    EXPECT_EQ(pluColumn(), (std::vector<std::string>{"1", "7"}));
    EXPECT_EQ(products().cell(1, 1), qm::cp("Сыр"));
    EXPECT_EQ(products().cell(2, 3), "100");
    EXPECT_FALSE(modified());
    EXPECT_EQ(grid()->currentRow(), 1);
    EXPECT_EQ(dialogs.shownNames(), (std::vector<std::string>{"PluSaveDialog", "PluOpenDialog"}));
}

TEST_F(ProductsFiles, PluFileTakesTheLogoChosenWhenOpening)
{
    setProducts({{"3", "Чай", "250"}, {"4", "Кофе", "900"}});
    choose("old.plu", 2);
    click("SpeedButton10");
    EXPECT_EQ(apptest::readFile(dir / "old.plu").size(), 2u * 92 + 1);

    find<ChooserBox>(&form, "ComboBox9")->selectIndex(2);
    choose("old.plu");
    click("SpeedButton9");
    ASSERT_EQ(products().rowCount(), 3);
    EXPECT_EQ(products().cell(1, 0), "   3");
    EXPECT_EQ(products().cell(1, 9), "2");
    EXPECT_EQ(products().cell(2, 9), "2");
}

TEST_F(ProductsFiles, SaveFirstQuestionCancelKeepsTheTable)
{
    setProducts({{"5", "a", "1"}});
    modified() = true;
    dialogs.answers = {qm::Answer::Cancel, qm::Answer::Cancel};
    click("SpeedButton9");
    click("SpeedButton8");
    EXPECT_EQ(dialogs.questions, (std::vector<std::string>{kNewList, kNewList}));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(pluColumn(), std::vector<std::string>{"5"});
    EXPECT_TRUE(modified());

    // No goes on without saving and clears the flag; a cancelled open dialog leaves it empty.
    dialogs.answers = {qm::Answer::No};
    click("SpeedButton9");
    EXPECT_EQ(pluColumn(), std::vector<std::string>{""});
    EXPECT_FALSE(modified());
}

TEST_F(ProductsFiles, RowEditingButtonsSetTheFlagAndKeepTheCursor)
{
    setProducts({{"1", "A", "1"}, {"2", "B", "2"}, {"3", "C", "3"}});
    grid()->setCurrentCell(2, 1);
    click("SpeedButton26");
    EXPECT_EQ(pluColumn(), (std::vector<std::string>{"1", "2", "2", "3"}));
    EXPECT_TRUE(modified());
    EXPECT_EQ(grid()->currentRow(), 2);
    EXPECT_EQ(grid()->currentCol(), 1);

    click("SpeedButton27");
    EXPECT_EQ(pluColumn(), (std::vector<std::string>{"1", "2", "", "2", "3"}));
    grid()->setCurrentCell(4, 0);
    click("SpeedButton28");
    click("SpeedButton25");
    EXPECT_EQ(pluColumn(), (std::vector<std::string>{"1", "2", "", "3", ""}));

    // The sort meets the empty number of row 3 and puts the cursor there.
    modified() = false;
    click("SpeedButton29");
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Ошибка ввода данных в таблице."});
    EXPECT_EQ(grid()->currentRow(), 3);
    EXPECT_EQ(grid()->currentCol(), 0);
    EXPECT_TRUE(modified());

    dialogs.answers = {qm::Answer::Yes};
    click("SpeedButton77");
    EXPECT_EQ(dialogs.questions,
              std::vector<std::string>{"ВНИМАНИЕ !\r\nНомера ячеек PLU будут изменены.\r\nПродолжить ?"});
    EXPECT_EQ(pluColumn(), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    grid()->setCurrentCell(5, 0);
    grid()->tableModel()->setCell(5, 0, "0");
    click("SpeedButton29");
    EXPECT_EQ(pluColumn(), (std::vector<std::string>{"0", "1", "2", "3", "4"}));
}

TEST_F(ProductsFiles, RowRangeDialogRemovesRowsOrMakesANewList)
{
    setProducts({{"1", "A", "1"}, {"2", "B", "2"}, {"3", "C", "3"}, {"4", "D", "4"}, {"5", "E", "5"}});
    click("SpeedButton30");
    RangeDialog* dialog = tab()->rowDeleteDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->objectName(), "Form2");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(modified()) << "set when the dialog opens";

    dialog->firstField()->setText("3");
    dialog->lastField()->setText("6");
    QTest::mouseClick(dialog->applyButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog->isVisible());
    dialog->lastField()->setText("2");
    QTest::mouseClick(dialog->applyButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(pluColumn(), (std::vector<std::string>{"1", "4", "5"}));

    // The whole table: the new-list command with its question (the flag is set).
    click("SpeedButton30");
    dialog->firstField()->setText("1");
    dialog->lastField()->setText("3");
    dialogs.answers = {qm::Answer::No};
    QTest::mouseClick(dialog->applyButton(), Qt::LeftButton);
    EXPECT_EQ(dialogs.messages,
              std::vector<std::string>{
                  "В таблице товаров нет такого большого количества строк, проверьте правильность ввода параметров."});
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{kNewList});
    EXPECT_EQ(pluColumn(), std::vector<std::string>{""});
    EXPECT_FALSE(modified());
}

TEST_F(ProductsFiles, CheckButtonFindsTheFirstWrongCell)
{
    setProducts({{"1", "A", "1"}, {"2", "B", "2"}});
    grid()->tableModel()->setCell(2, 4, "1000");
    bool barShown = false;
    bool stopShown = true;
    dialogs.onMessage = [&](const std::string&) {
        barShown = !find<QWidget>(&form, "ProgressBar1")->isHidden();
        stopShown = !find<QWidget>(&form, "Button16")->isHidden();
    };
    click("SpeedButton36");
    dialogs.onMessage = nullptr;
    EXPECT_TRUE(barShown) << "the bar stays up while the wrong row is reported";
    EXPECT_FALSE(stopShown) << "the check has no stop button";
    EXPECT_EQ(grid()->currentRow(), 2);
    EXPECT_EQ(grid()->currentCol(), 4);
    grid()->tableModel()->setCell(2, 4, "311299");
    click("SpeedButton36");
    EXPECT_EQ(dialogs.messages,
              (std::vector<std::string>{"Неправильно задан срок хранения.", "В списке товаров ошибок не обнаружено."}));
    EXPECT_TRUE(find<QWidget>(&form, "ProgressBar1")->isHidden());
}

TEST_F(ProductsFiles, ConfigFilePickerFillsTheFileColumnsOnly)
{
    form.configTab()->grid()->setCurrentCell(1, 2);
    choose("goods.pl6");
    choose("texts.msg");
    choose("other.txt");
    for (int i = 0; i < 3; ++i)
        click("SpeedButton86");
    const qm::Table& config = form.configTab()->grid()->tableModel()->table();
    EXPECT_EQ(config.cell(1, 6), (dir / "goods.pl6").string());
    EXPECT_EQ(config.cell(1, 7), (dir / "texts.msg").string());
    EXPECT_EQ(config.cell(1, 8), "");
    EXPECT_FALSE(form.context().state().configModified);
    EXPECT_EQ(dialogs.shownNames(), std::vector<std::string>(3, "PluMsgOpenDialog"));
}

} // namespace
