// The grids' cells: code page 1251 bytes on one side, QString on the other, and an editor that
// refuses what a cell cannot hold instead of changing it.

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "WindowRig.h"
#include "app/CellValidator.h"
#include "app/StringGrid.h"
#include "app/TForm1.h"
#include "app/TableModel.h"
#include "app/tabs/ConfigTab.h"
#include "app/tabs/MessagesTab.h"
#include "app/tabs/ProductsTab.h"
#include "common/TableLayouts.h"

using namespace qm::app;

namespace
{

TEST(TableModel, MapsTableRowsAndConvertsCodePage1251BothWays)
{
    qm::Table table({"\xB9 A", "B"}); // "№ A" in code page 1251
    table.setRowCount(3);
    table.setCell(1, 0, "\xCC\xEE\xEB\xEE\xEA\xEE"); // "Молоко"
    table.setCell(2, 1, "\x88\xB8");                 // "€ё"
    TableModel model(table, true, 0);
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "№ A");
    EXPECT_EQ(model.headerData(1, Qt::Vertical, Qt::DisplayRole).toInt(), 2);
    EXPECT_EQ(model.data(model.index(0, 0), Qt::DisplayRole).toString(), "Молоко");
    EXPECT_EQ(model.data(model.index(1, 1), Qt::EditRole).toString(), "€ё");

    int edits = 0;
    model.setOnEdited([&edits] { ++edits; });
    EXPECT_TRUE(model.setData(model.index(1, 0), QString("Ёж №5 €"), Qt::EditRole));
    EXPECT_EQ(model.table().cell(2, 0), "\xA8\xE6 \xB9"
                                        "5 \x88");
    EXPECT_EQ(edits, 1);
    // The same text again is no change.
    EXPECT_TRUE(model.setData(model.index(1, 0), QString("Ёж №5 €"), Qt::EditRole));
    EXPECT_EQ(edits, 1);
}

TEST(TableModel, RefusesTextACellCannotHold)
{
    TableModel model(qm::makeTable(qm::productLayout()), true, 0);
    bool edited = false;
    model.setOnEdited([&edited] { edited = true; });
    model.setCell(1, 1, "old");
    for (const QString& bad : {QString("a✓"), QString("a\nb"), QString("a\rb"), QString("a") + QChar(0x1A),
                               QString::fromUcs4(U"\U0001F600")}) {
        EXPECT_FALSE(model.setData(model.index(0, 1), bad, Qt::EditRole)) << bad.toStdString();
        EXPECT_EQ(model.table().cell(1, 1), "old");
    }
    EXPECT_FALSE(edited);

    CellValidator validator;
    int pos = 0;
    QString euro("цена €");
    EXPECT_EQ(validator.validate(euro, pos), QValidator::Acceptable);
    QString check("готово ✓");
    EXPECT_EQ(validator.validate(check, pos), QValidator::Invalid);
}

TEST(TableModel, ReadOnlyAndFixedColumnsRefuseEditing)
{
    TableModel report(qm::makeTable(qm::reportLayout()), false, 0);
    EXPECT_FALSE(report.setData(report.index(0, 0), "1", Qt::EditRole));
    EXPECT_EQ(report.table().cell(1, 0), "");
    TableModel keys(qm::makePriceKeyTable(), true, 1);
    EXPECT_FALSE(keys.setData(keys.index(0, 0), "9", Qt::EditRole));
    EXPECT_EQ(keys.table().cell(1, 0), "1");
    EXPECT_TRUE(keys.setData(keys.index(0, 1), "9", Qt::EditRole));
    EXPECT_EQ(keys.table().cell(1, 1), "9");
}

TEST(TableModel, SinkLikeChangesKeepOneDataRow)
{
    TableModel model(qm::makeTable(qm::testLayout()), false, 0);
    model.appendRow();
    model.setRow(2, {"2", "b"});
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.table().cell(2, 1), "b");
    model.setRow(5, {"5"}); // outside the table: ignored, as qm::Table does
    EXPECT_EQ(model.rowCount(), 2);
    model.removeLastRow();
    model.removeLastRow();
    EXPECT_EQ(model.rowCount(), 1);
    model.setRow(1, {"1", "a"});
    model.clearData();
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.table().cell(1, 1), "");
}

class GridEditor : public apptest::WindowRig
{
  protected:
    QLineEdit* openEditor(StringGrid* grid, int tab, int row, int col)
    {
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
        form.pageControl()->setCurrentIndex(tab);
        QApplication::processEvents();
        grid->setFocus();
        grid->setCurrentCell(row, col);
        QApplication::processEvents();
        return qobject_cast<QLineEdit*>(grid->indexWidget(grid->currentIndex()));
    }
};

TEST_F(GridEditor, TypingGoesIntoTheCellAndMarksTheTable)
{
    StringGrid* grid = form.productsTab()->grid();
    QLineEdit* editor = openEditor(grid, 0, 1, 1);
    ASSERT_NE(editor, nullptr) << "the editor stays open on the current cell";
    EXPECT_FALSE(form.context().state().productsModified);
    apptest::typeText(editor, "М");
    apptest::typeText(editor, "€");
    EXPECT_EQ(grid->tableModel()->table().cell(1, 1), "\xCC\x88");
    EXPECT_TRUE(form.context().state().productsModified);
    EXPECT_FALSE(form.context().state().messagesModified);
}

TEST_F(GridEditor, ForeignCharactersAreRefusedTypedOrPasted)
{
    StringGrid* grid = form.productsTab()->grid();
    QLineEdit* editor = openEditor(grid, 0, 1, 2);
    ASSERT_NE(editor, nullptr);
    apptest::typeText(editor, "a");
    apptest::typeText(editor, "✓");
    EXPECT_EQ(editor->text(), "a");
    EXPECT_EQ(grid->tableModel()->table().cell(1, 2), "a");

    QGuiApplication::clipboard()->setText("x\ny");
    editor->paste();
    EXPECT_EQ(editor->text(), "a");
    QGuiApplication::clipboard()->setText("b✓");
    editor->paste();
    EXPECT_EQ(editor->text(), "a");
    QGuiApplication::clipboard()->setText("бв");
    editor->paste();
    EXPECT_EQ(editor->text(), "aбв");
    EXPECT_EQ(grid->tableModel()->table().cell(1, 2), "a\xE1\xE2");
}

TEST_F(GridEditor, TabMovesToTheNextCellWithItsEditor)
{
    StringGrid* grid = form.configTab()->grid();
    QLineEdit* editor = openEditor(grid, 4, 1, 0);
    ASSERT_NE(editor, nullptr) << "the grid opens its editor when it first shows";
    apptest::typeText(editor, "\t", Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(grid->currentCol(), 1);
    QWidget* next = grid->indexWidget(grid->currentIndex());
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(next->hasFocus());
    EXPECT_EQ(grid->indexWidget(grid->model()->index(0, 0)), nullptr) << "one editor, on the current cell";
    EXPECT_FALSE(form.context().state().configModified);
}

TEST_F(GridEditor, FocusLeavingAGridCommitsItsEditorAndComingBackReopensIt)
{
    StringGrid* products = form.productsTab()->grid();
    QLineEdit* first = openEditor(products, 0, 1, 3);
    ASSERT_NE(first, nullptr);
    apptest::typeText(first, "5");
    StringGrid* config = form.configTab()->grid();
    QLineEdit* second = openEditor(config, 4, 1, 2);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->hasFocus());
    form.pageControl()->setCurrentIndex(0);
    QApplication::processEvents();
    EXPECT_EQ(products->tableModel()->table().cell(1, 3), "5");
    products->setFocus();
    QApplication::processEvents();
    auto* back = qobject_cast<QLineEdit*>(products->indexWidget(products->currentIndex()));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->text(), "5");
    EXPECT_EQ(products->currentCol(), 3);
}

TEST_F(GridEditor, SnapshotIsACopyOfWhatIsShown)
{
    StringGrid* grid = form.messagesTab()->grid();
    grid->tableModel()->setCell(1, 0, "7");
    qm::Table copy = grid->snapshot();
    grid->tableModel()->setCell(1, 0, "8");
    EXPECT_EQ(copy.cell(1, 0), "7");
    EXPECT_EQ(copy.headers(), grid->tableModel()->table().headers());
    EXPECT_FALSE(form.context().state().messagesModified) << "changes by the program are not typing";
}

} // namespace
