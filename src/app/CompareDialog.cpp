#include "app/CompareDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/ScaleTab.h"
#include "app/StringGrid.h"
#include "app/TableModel.h"
#include "app/UiThread.h"
#include "common/IntText.h"

namespace qm::app
{

namespace
{

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// A line of the list; the number is kept as a number so that the column sorts 2 before 10.
QTreeWidgetItem* line(QTreeWidget* list, int number, const QString& field, const std::string& mine,
                      const std::string& theirs, const char* kind)
{
    auto* item = new QTreeWidgetItem(list);
    item->setData(CompareDialog::Number, Qt::DisplayRole, number);
    item->setText(CompareDialog::Field, field);
    item->setText(CompareDialog::TableValue, TableModel::toQString(mine));
    item->setText(CompareDialog::ScaleValue, TableModel::toQString(theirs));
    item->setText(CompareDialog::Kind, text(kind));
    return item;
}

} // namespace

CompareDialog::CompareDialog(const QString& name, StringGrid* grid, QWidget* parent)
    : QDialog(parent), m_grid(grid), m_list(new QTreeWidget(this)), m_summary(new QLabel(this))
{
    setObjectName(name);
    setWindowTitle(text("Сравнение с весами"));
    m_list->setObjectName(QStringLiteral("CompareList"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({text("№"), text("Поле"), text("В таблице"), text("В весах"), text("Различие")});
    m_list->setSortingEnabled(true);
    m_list->sortByColumn(Number, Qt::AscendingOrder);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_summary->setObjectName(QStringLiteral("CompareSummary"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(text("Закрыть"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { selectInGrid(item); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_summary);
    layout->addWidget(buttons);
    resize(720, 420);
}

QString CompareDialog::summaryText(const TableComparison& c)
{
    if (c.equal())
        return text("Различий нет.");
    return text("Только в таблице: %1, только в весах: %2, различных полей: %3.")
        .arg(c.onlyInTable.size())
        .arg(c.onlyInScale.size())
        .arg(c.fields.size());
}

void CompareDialog::showComparison(const TableComparison& c)
{
    // Sorting stays off while the lines go in: each would otherwise move the ones before it.
    m_list->setSortingEnabled(false);
    m_list->clear();
    for (int n : c.onlyInTable)
        line(m_list, n, QString(), {}, {}, "только в таблице");
    for (int n : c.onlyInScale)
        line(m_list, n, QString(), {}, {}, "только в весах");
    for (const FieldDifference& d : c.fields)
        line(m_list, d.number, QString::fromStdString(d.field), d.tableValue, d.scaleValue, "поле различается");
    m_list->setSortingEnabled(true);
    m_summary->setText(summaryText(c));
    show();
    raise();
    activateWindow();
}

void CompareDialog::selectInGrid(QTreeWidgetItem* item)
{
    if (!item || !m_grid)
        return;
    const int number = item->data(Number, Qt::DisplayRole).toInt();
    const Table& table = m_grid->tableModel()->table();
    // The last row of the number: a number the table holds twice is compared as its last row.
    int row = 0;
    for (int r = 1; r < table.rowCount(); ++r)
        if (intText(table.cell(r, 0)) == number)
            row = r;
    if (row == 0)
        return;
    int column = 0;
    const QString field = item->text(Field);
    for (int c = 1; c < table.columnCount() && !field.isEmpty(); ++c)
        if (m_grid->tableModel()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().trimmed() == field)
            column = c;
    m_grid->setCurrentCell(row, column);
    m_grid->setFocus();
}

void CompareDialog::compareOnScale(const ScaleTab& scale, QObject* context, Table table, Compare compare)
{
    scale.runOnScale(
        [table = std::move(table), context, compare, dialog = QPointer<CompareDialog>(this)](const ScaleLink& link) {
            TableComparison found;
            if (compare(link, table, found))
                postTo(context, [dialog, found] {
                    if (dialog)
                        dialog->showComparison(found);
                });
        });
}

} // namespace qm::app
