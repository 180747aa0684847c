#pragma once
// A table of the window: a view over a TableModel laid out by a qm::TableLayout (header texts,
// column widths, editable or read-only, fixed columns). Editable grids keep the cell editor open
// on the current cell, Tab moves between cells, rows and columns can be resized and ranges
// selected. Built for thousands of rows: one editor widget, uniform row heights.
//
// The editor is a persistent one: it moves with the current cell and stays open when the focus
// goes elsewhere, so two grids never take the focus from each other to reopen their editors.

#include <QTableView>

#include "app/TableModel.h"
#include "common/TableLayouts.h"

namespace qm::app
{

class StringGrid : public QTableView
{
    Q_OBJECT
  public:
    StringGrid(const QString& name, const TableLayout& layout, Table initial, QWidget* parent = nullptr);

    TableModel* tableModel() const { return m_model; }

    // Commits the open editor, then copies the table: what an operation takes with it.
    Table snapshot();
    void commitEditor();

    // The current cell in table coordinates (row 1 is the first data row).
    void setCurrentCell(int row, int col);
    int currentRow() const { return currentIndex().row() + 1; }
    int currentCol() const { return currentIndex().column(); }

    QString fontName() const { return font().family(); }
    void setFontName(const QString& family);

  protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void focusInEvent(QFocusEvent* event) override;

  private:
    QWidget* editorAt(const QModelIndex& index) const;

    TableModel* m_model;
};

} // namespace qm::app
