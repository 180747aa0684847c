// "Сравнить с весами" on the tabs "Товары" and "Сообщения" against an emulated scale on COM1:
// the dialog's lines and summary, a double click that selects the row, and a table (cells,
// modified flag, cursor) that the compare leaves as it was.

#include <QLabel>
#include <QTreeWidget>

#include "MessagesFixture.h"
#include "ProductsTabRig.h"
#include "app/CompareDialog.h"

using namespace qm::app;
using apptest::find;
using apptest::waitFor;

namespace
{

// The dialog's lines as "number|field|table|scale|kind", in the list's order.
std::vector<std::string> lines(const CompareDialog* dialog)
{
    std::vector<std::string> out;
    const QTreeWidget* list = dialog->list();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c)
            cells << list->topLevelItem(i)->text(c).trimmed();
        out.push_back(cells.join(QLatin1Char('|')).toStdString());
    }
    return out;
}

using CompareProducts = apptest::ProductsTabRig;

TEST_F(CompareProducts, DialogListsEachKindAndTheTableStaysAsItWas)
{
    qmtest::EmuProcess scale;
    connect(scale);
    setProducts({{"1", "Сыр", "4550"}, {"7", "Молоко", "100"}, {"9", "Хлеб", "30"}});
    clickAndWait("SpeedButton31");
    // The table now differs: 7's price, 5 only here, 9 only in the scale.
    setProducts({{"7", "Молоко", "120"}, {"1", "Сыр", "4550"}, {"5", "Чай", "75"}});
    modified() = false;
    grid()->setCurrentCell(2, 1);
    const qm::Table before = products();
    dialogs.messages.clear();

    clickAndWait("SpeedButton110");
    CompareDialog* dialog = tab()->compareDialog();
    ASSERT_TRUE(waitFor([&] { return dialog->isVisible(); }));
    EXPECT_EQ(lines(dialog), (std::vector<std::string>{"5||||только в таблице", "7|Цена,коп.|120|100|поле различается",
                                                       "9||||только в весах"}));
    EXPECT_EQ(dialog->summary()->text().toStdString(), "Только в таблице: 1, только в весах: 1, различных полей: 1.");
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front();
    EXPECT_EQ(products(), before);
    EXPECT_FALSE(modified());
    EXPECT_EQ(grid()->currentRow(), 2) << "the compare's read moves no cursor";
    EXPECT_EQ(grid()->currentCol(), 1);
    EXPECT_EQ(scale.state().plu.size(), 3u) << "a compare writes nothing";

    // Sorted by number descending, then a double click on 7's line selects its price cell.
    dialog->list()->sortByColumn(CompareDialog::Number, Qt::DescendingOrder);
    EXPECT_EQ(lines(dialog).front(), "9||||только в весах");
    QTreeWidgetItem* seven = dialog->list()->topLevelItem(1);
    emit dialog->list()->itemDoubleClicked(seven, 0);
    EXPECT_EQ(grid()->currentRow(), 1);
    EXPECT_EQ(grid()->currentCol(), 3);

    // Sent as it stands, the table compares equal.
    clickAndWait("SpeedButton31");
    dialog->hide();
    clickAndWait("SpeedButton110");
    ASSERT_TRUE(waitFor([&] { return dialog->isVisible(); }));
    EXPECT_EQ(dialog->list()->topLevelItemCount(), 1) << "9 is still only in the scale";
}

using CompareMessages = apptest::MessagesTabTest;

TEST_F(CompareMessages, JustSentTableComparesEqualAndKeepsTheCursor)
{
    start();
    setRows({{"3", "Хранить при t 0..4"}, {"8", "", "Акция"}});
    click("SpeedButton54");
    grid()->setCurrentCell(2, 2);
    const qm::Table before = table();
    click("SpeedButton111");
    auto* dialog = form->messagesTab()->compareDialog();
    ASSERT_TRUE(waitFor([&] { return dialog->isVisible(); }));
    EXPECT_EQ(dialog->list()->topLevelItemCount(), 0);
    EXPECT_EQ(dialog->summary()->text().toStdString(), "Различий нет.");
    EXPECT_EQ(table(), before);
    EXPECT_EQ(grid()->currentRow(), 2);
    EXPECT_EQ(grid()->currentCol(), 2);
}

} // namespace
