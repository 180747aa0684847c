#pragma once
// A table of the window: a view over a TableModel laid out by a qm::TableLayout (header texts,
// column widths, editable or read-only, fixed columns). Built for thousands of rows: one editor
// widget at a time, uniform row heights.
//
// Editing works like a spreadsheet's: the current cell of a focused grid has its editor open,
// with the text selected so that the first key typed replaces it; every key goes into the cell
// at once. Tab and Shift+Tab move along the row and on to the next or previous row, Enter
// commits and moves down, the arrows leave the editor (committing it) when the caret is at the
// edge of the text, Escape puts back the text the cell had when the editor opened. A change made
// by the program (a file opened, a row read from a scale, a row inserted) closes the editor first
// and opens it again afterwards, so the grid never shows an editor that is not its cell's.
//
// While its table is busy (an operation works on it, TableModel::setBusy) the grid is read-only:
// the open editor closes without writing what it holds, no editor opens and typed keys are
// dropped; the current cell still follows the operation.

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
    // The open editor of the current cell, or null.
    QWidget* cellEditor() const;

    // Makes the cell current and the only one selected (table coordinates: row 1 is the first
    // data row).
    void setCurrentCell(int row, int col);
    int currentRow() const { return currentIndex().row() + 1; }
    int currentCol() const { return currentIndex().column(); }

    QString fontName() const { return font().family(); }
    void setFontName(const QString& family);

    // A key typed into the open editor that moves or ends the edit (Enter, Escape, the
    // arrows); false leaves the key to the editor. Called by the grid's delegate.
    bool editorKey(QWidget* editor, QKeyEvent* event);

  protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool hasFocusInside() const;
    void beforeProgramChange();
    void afterProgramChange();
    void onBusyChanged(bool busy);
    void reopenEditor();

    TableModel* m_model;
    int m_changing = 0; // nesting of program changes under way
    bool m_reopenEditor = false;
};

} // namespace qm::app
