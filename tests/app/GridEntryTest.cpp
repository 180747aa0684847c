// Data entry as a person does it: real mouse clicks and key presses on the product, message and
// configuration grids, and after each step what the grid shows, what the table holds, what a
// saved file holds and what the scale receives agree.

#include <QLineEdit>
#include <QStyleOptionViewItem>

#include "ProductsTabRig.h"
#include "StateBuilder.h"
#include "app/CellDelegate.h"
#include "app/tabs/MessagesTab.h"

using namespace qm::app;
using apptest::find;

namespace
{

// What a person sees in a cell: the editor's text where one is open, the cell's text elsewhere.
QString shown(StringGrid* grid, int row, int col)
{
    const QModelIndex at = grid->model()->index(row - 1, col);
    if (auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(at)); editor && editor->isVisible())
        return editor->text();
    return at.data(Qt::DisplayRole).toString();
}

// Editors on the screen; the grid must never show more than the one of its current cell.
int visibleEditors(StringGrid* grid)
{
    int count = 0;
    for (QLineEdit* e : grid->viewport()->findChildren<QLineEdit*>())
        count += e->isVisible() ? 1 : 0;
    return count;
}

// A click lands on whatever is drawn at the cell's centre: its editor when one is open there.
void clickCell(StringGrid* grid, int row, int col)
{
    const QModelIndex index = grid->model()->index(row - 1, col);
    grid->scrollTo(index);
    const QPoint centre = grid->visualRect(index).center();
    QWidget* target = grid->viewport()->childAt(centre);
    const QPoint at = target ? target->mapFrom(grid->viewport(), centre) : centre;
    QTest::mouseClick(target ? target : grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

// Keys go where the window's focus is, as a keyboard's do.
void type(const QString& text)
{
    for (const QChar ch : text) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        apptest::typeText(focus, QString(ch));
    }
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, key, modifiers);
}

bool focusInside(QWidget* w)
{
    QWidget* focus = QApplication::focusWidget();
    return focus && (focus == w || w->isAncestorOf(focus));
}

class GridEntry : public apptest::ProductsTabRig
{
  protected:
    void showTab(int index)
    {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        form.pageControl()->setCurrentIndex(index);
        QApplication::processEvents();
    }
    // The product file as saved through "Сохранить список товаров": its first lines.
    std::vector<std::string> savedProducts()
    {
        dialogs.files.push_back(qm::ChosenFile{dir / "entry.pl6", 1});
        click("SpeedButton10");
        return apptest::fileLines(dir / "entry.pl6");
    }
};

TEST_F(GridEntry, ProductCellsShowWhatTheTableSavesAndSends)
{
    qmtest::EmuProcess scale(qmtest::withState(emu::StateBuilder().plu(1, "Молоко", 5000).json()));
    connect(scale);
    showTab(0);
    clickAndWait("SpeedButton35"); // "Прочитать из весов выбранный товар", PLU 1
    ASSERT_EQ(products().cell(1, 0), "1");

    clickCell(grid(), 1, 0);
    type("33");
    EXPECT_EQ(shown(grid(), 1, 0), "33");
    EXPECT_EQ(products().cell(1, 0), "33");
    clickCell(grid(), 1, 3);
    type("7777");
    EXPECT_EQ(shown(grid(), 1, 0), "33") << "the cell left keeps what was typed";
    EXPECT_EQ(shown(grid(), 1, 3), "7777");
    EXPECT_EQ(products().cell(1, 3), "7777");
    EXPECT_EQ(visibleEditors(grid()), 1);
    auto lines = savedProducts();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "33");
    EXPECT_EQ(lines[3], "7777");

    clickCell(grid(), 1, 0);
    type("4");
    EXPECT_EQ(shown(grid(), 1, 0), "4");
    EXPECT_EQ(products().cell(1, 0), "4");
    EXPECT_EQ(visibleEditors(grid()), 1);
    lines = savedProducts();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "4");

    clickAndWait("SpeedButton32"); // "Загрузить активную строку таблицы в весы"
    const auto state = scale.state();
    EXPECT_EQ(state.plu.count(4), 1u);
    EXPECT_EQ(state.plu.count(33), 0u);
    EXPECT_EQ(state.plu.at(4).price, 7777u);
}

TEST_F(GridEntry, MessageCellsShowWhatTheTableSavesAndSends)
{
    qmtest::EmuProcess scale(qmtest::withState(emu::StateBuilder().message(1, {"Хранить в холоде"}).json()));
    connect(scale);
    find<ChooserBox>(&form, "ComboBox10")->setText(QStringLiteral("Весы"));
    showTab(1);
    StringGrid* messages = form.messagesTab()->grid();
    find<QLineEdit>(&form, "Edit36")->setText("1");
    clickAndWait("SpeedButton58"); // read the message of "№ MSG"
    ASSERT_EQ(messages->tableModel()->table().cell(1, 0), "1");

    clickCell(messages, 1, 0);
    type("33");
    clickCell(messages, 1, 2);
    type("abc");
    EXPECT_EQ(shown(messages, 1, 0), "33");
    clickCell(messages, 1, 0);
    type("4");
    EXPECT_EQ(shown(messages, 1, 0), "4");
    EXPECT_EQ(messages->tableModel()->table().cell(1, 0), "4");
    EXPECT_EQ(messages->tableModel()->table().cell(1, 2), "abc");
    EXPECT_EQ(visibleEditors(messages), 1);

    clickAndWait("SpeedButton55"); // write the selected row
    const auto state = scale.state();
    EXPECT_EQ(state.messages.count(4), 1u);
    EXPECT_EQ(state.messages.count(33), 0u);
}

TEST_F(GridEntry, KeyboardMovesBetweenCellsAndCommitsOnTheWay)
{
    setProducts({{"1", "a", "10"}, {"2", "b", "20"}});
    showTab(0);
    clickCell(grid(), 1, 9);
    press(Qt::Key_Tab);
    EXPECT_EQ(grid()->currentCol(), 10);
    press(Qt::Key_Tab);
    EXPECT_EQ(grid()->currentRow(), 2) << "Tab at the end of a row goes on to the next row";
    EXPECT_EQ(grid()->currentCol(), 0);
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(grid()->currentRow(), 1);
    EXPECT_EQ(grid()->currentCol(), 10);

    // A cell reached by the keyboard is replaced by the first key typed, then appended to.
    clickCell(grid(), 1, 3);
    press(Qt::Key_Tab);
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    type("5");
    type("6");
    EXPECT_EQ(products().cell(1, 3), "56");

    // Enter commits and moves down; an arrow leaves an editor at the end of its text.
    press(Qt::Key_Return);
    EXPECT_EQ(grid()->currentRow(), 2);
    EXPECT_EQ(grid()->currentCol(), 3);
    type("7");
    press(Qt::Key_Up);
    EXPECT_EQ(grid()->currentRow(), 1);
    EXPECT_EQ(products().cell(2, 3), "7");
    press(Qt::Key_Right);
    EXPECT_EQ(grid()->currentCol(), 4) << "the whole text is selected: the arrow moves the cell";
    type("12");
    press(Qt::Key_Left);
    EXPECT_EQ(grid()->currentCol(), 4) << "inside a text the arrow moves the caret";
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    EXPECT_EQ(grid()->currentCol(), 5);
    EXPECT_EQ(products().cell(1, 4), "12");

    // Escape puts back what the cell held when its editor opened.
    type("99");
    press(Qt::Key_Escape);
    EXPECT_EQ(products().cell(1, 5), "0");
    EXPECT_EQ(shown(grid(), 1, 5), "0");
    EXPECT_EQ(visibleEditors(grid()), 1);
}

TEST_F(GridEntry, AKeyTypedRightAfterAClickIsNotLost)
{
    setProducts({{"1", "a", "10"}});
    showTab(0);
    // The focus is in "№ PLU"; the grid's current cell has no editor until it is clicked.
    find<QLineEdit>(&form, "Edit35")->setFocus();
    EXPECT_EQ(visibleEditors(grid()), 0);
    clickCell(grid(), grid()->currentRow(), grid()->currentCol());
    type("8");
    EXPECT_EQ(products().cell(1, 0), "8");
    // A click on another cell and a key at once.
    clickCell(grid(), 1, 3);
    type("9");
    EXPECT_EQ(products().cell(1, 3), "9");
    EXPECT_EQ(find<QLineEdit>(&form, "Edit35")->text(), "1");
}

TEST_F(GridEntry, ConfigurationTypingStaysInItsCell)
{
    showTab(4);
    StringGrid* config = form.configTab()->grid();
    clickCell(config, 1, 1);
    type("Весы");
    press(Qt::Key_Tab);
    type("Отдел");
    press(Qt::Key_Tab);
    type("3");
    const qm::Table& t = config->tableModel()->table();
    EXPECT_EQ(t.cell(1, 0), "");
    EXPECT_EQ(t.cell(1, 1), qm::cp("Весы"));
    EXPECT_EQ(t.cell(1, 2), qm::cp("Отдел"));
    EXPECT_EQ(t.cell(1, 3), "3");
    EXPECT_EQ(t.cell(1, 4), "");
}

TEST_F(GridEntry, ProgramChangesCloseTheEditorAndGiveTheGridTheFocus)
{
    setProducts({{"1", "a", "10"}, {"2", "b", "20"}});
    showTab(0);
    clickCell(grid(), 2, 1);
    type("x");
    // A row read from the scale over the row being edited: the editor shows the new cell.
    grid()->tableModel()->setRow(2, {"5", "new"});
    EXPECT_EQ(shown(grid(), 2, 1), "new");
    EXPECT_EQ(visibleEditors(grid()), 1);

    // New list: the grid has the focus, on its first cell.
    find<QLineEdit>(&form, "Edit35")->setFocus();
    modified() = false;
    click("SpeedButton8");
    EXPECT_TRUE(focusInside(grid()));
    EXPECT_EQ(grid()->currentRow(), 1);
    EXPECT_EQ(visibleEditors(grid()), 1);

    // After a check that stops at a bad cell, that cell alone is current and selected.
    setProducts({{"1", "a", "10"}, {"2", "b", "-5"}});
    clickCell(grid(), 1, 0);
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      grid()->visualRect(grid()->model()->index(1, 2)).center());
    ASSERT_GT(grid()->selectionModel()->selectedIndexes().size(), 1);
    click("SpeedButton36");
    EXPECT_EQ(grid()->currentRow(), 2);
    EXPECT_EQ(grid()->currentCol(), 3);
    const auto selected = grid()->selectionModel()->selectedIndexes();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected.front(), grid()->currentIndex());
}

// Names and lines come from the scale padded with blanks; the grid draws them without.
TEST_F(GridEntry, PaddedTextsAreDrawnWithoutTheirTrailingBlanks)
{
    struct Probe : CellDelegate {
        using CellDelegate::CellDelegate;
        using CellDelegate::initStyleOption;
    };
    std::string name = qm::cp("Молоко 3,2%");
    name.resize(28, ' ');
    setProducts({{"1", "", "10"}});
    grid()->tableModel()->setCell(1, 1, name);
    Probe probe(grid());
    QStyleOptionViewItem option;
    option.initFrom(grid());
    probe.initStyleOption(&option, grid()->model()->index(0, 1));
    EXPECT_EQ(option.text, QStringLiteral("Молоко 3,2%"));
    EXPECT_LT(option.fontMetrics.horizontalAdvance(option.text), grid()->columnWidth(1)) << "nothing to elide";
    EXPECT_EQ(products().cell(1, 1), name) << "the table keeps the blanks";

    grid()->tableModel()->setCell(1, 2, std::string(28, ' '));
    probe.initStyleOption(&option, grid()->model()->index(0, 2));
    EXPECT_TRUE(option.text.isEmpty());
}

} // namespace
