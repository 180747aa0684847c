#pragma once
// The window that lists what a compare of a tab's table with a scale found: one line per
// difference (number, field, the table's value, the scale's value, kind), sortable by any column,
// and a summary line under it. A double click on a line selects that number's row in the grid
// (the field's cell when the line names a field); a number the table does not hold selects
// nothing. The dialog is not modal and changes nothing: the table stays as it was compared.

#include <QDialog>
#include <QPointer>

#include "operation/TableCompare.h"

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace qm::app
{

class ScaleTab;
class StringGrid;

class CompareDialog : public QDialog
{
    Q_OBJECT
  public:
    enum Column { Number, Field, TableValue, ScaleValue, Kind };

    CompareDialog(const QString& name, StringGrid* grid, QWidget* parent);

    // Fills the list from a compare's result and shows the dialog over the window.
    void showComparison(const TableComparison& comparison);

    QTreeWidget* list() const { return m_list; }
    QLabel* summary() const { return m_summary; }

    // Compares `table` with the tab's scale on the tab's worker; the dialog shows what the compare
    // found once the read ran to its end (the compare says its failure itself).
    using Compare = OperationResult (*)(const ScaleLink& link, const Table& table, TableComparison& result);
    void compareOnScale(const ScaleTab& scale, QObject* context, Table table, Compare compare);

    // "Различий нет." or the counts of the three kinds.
    static QString summaryText(const TableComparison& comparison);

  private:
    void selectInGrid(QTreeWidgetItem* item);

    QPointer<StringGrid> m_grid;
    QTreeWidget* m_list;
    QLabel* m_summary;
};

} // namespace qm::app
