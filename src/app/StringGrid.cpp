#include "app/StringGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

#include "app/CellDelegate.h"
#include "app/HeaderFit.h"

namespace qm::app
{

namespace
{
constexpr int kPriceKeyRowHeight = 24;
constexpr int kBareRowHeaderWidth = 8;

// The arrow keys leave a line editor only at the edge of its text, or when the whole text is
// still selected (nothing typed yet): inside a text they move the caret.
bool arrowLeavesLine(const QLineEdit* line, int key)
{
    if (line->hasSelectedText())
        return line->selectedText() == line->text();
    return key == Qt::Key_Left ? line->cursorPosition() == 0 : line->cursorPosition() == line->text().size();
}
} // namespace

StringGrid::StringGrid(const QString& name, const TableLayout& layout, Table initial, QWidget* parent)
    : QTableView(parent), m_model(new TableModel(std::move(initial), layout.editable, layout.fixedColumns, this))
{
    setObjectName(name);
    setModel(m_model);
    setItemDelegate(new CellDelegate(this));
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(true);
    setWordWrap(false);
    // A moved cursor opens the editor at once; a key typed on a cell without one opens it and
    // goes into it; a click on the current cell opens it without the double-click delay (edit).
    setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::AnyKeyPressed |
                    QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed);

    QHeaderView* top = horizontalHeader();
    top->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    top->setHighlightSections(false);
    top->setStretchLastSection(false);
    top->setSectionResizeMode(QHeaderView::Interactive);
    for (size_t c = 0; c < layout.widths.size(); ++c)
        setColumnWidth(static_cast<int>(c), layout.widths[c]);
    keepHeadersFitted(*this);

    QHeaderView* side = verticalHeader();
    side->setSectionResizeMode(QHeaderView::Interactive);
    side->setHighlightSections(false);
    if (layout.fixedColumns > 0) {
        side->setDefaultSectionSize(kPriceKeyRowHeight);
        side->setFixedWidth(kBareRowHeaderWidth);
    } else {
        side->setDefaultSectionSize(fontMetrics().height() + 6);
    }

    connect(m_model, &TableModel::aboutToChange, this, &StringGrid::beforeProgramChange);
    connect(m_model, &TableModel::changed, this, &StringGrid::afterProgramChange);
    connect(m_model, &TableModel::busyChanged, this, &StringGrid::onBusyChanged);
    if (layout.editable) {
        // A new table starts on its first cell.
        const int firstEditable = layout.fixedColumns;
        connect(m_model, &QAbstractItemModel::modelReset, this,
                [this, firstEditable] { setCurrentCell(1, firstEditable); });
        setCurrentIndex(m_model->index(0, layout.fixedColumns));
    }
}

QWidget* StringGrid::cellEditor() const
{
    const QModelIndex at = currentIndex();
    return at.isValid() ? indexWidget(at) : nullptr;
}

void StringGrid::commitEditor()
{
    if (QWidget* editor = cellEditor())
        commitData(editor);
}

Table StringGrid::snapshot()
{
    commitEditor();
    return m_model->table();
}

void StringGrid::setCurrentCell(int row, int col)
{
    const int r = std::clamp(row, 1, m_model->rowCount()) - 1;
    const int c = std::clamp(col, 0, m_model->columnCount() - 1);
    const QModelIndex at = m_model->index(r, c);
    if (selectionModel())
        selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect);
    scrollTo(at);
}

void StringGrid::setFontName(const QString& family)
{
    QFont f = font();
    f.setFamily(family);
    setFont(f);
}

bool StringGrid::hasFocusInside() const
{
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == this || isAncestorOf(focus));
}

bool StringGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // A cursor moved by the program must not take the focus from where the user is typing;
    // the editor opens when the grid gets the focus.
    if (trigger == CurrentChanged && !hasFocusInside())
        return false;
    if (m_changing)
        return false;
    // A click on the current cell opens its editor at once: a key typed right after the click
    // must not wait for the double-click interval and get lost.
    if (trigger == SelectedClicked)
        return QTableView::edit(index, AllEditTriggers, nullptr);
    return QTableView::edit(index, trigger, event);
}

QModelIndex StringGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex at = currentIndex();
    if ((action != MoveNext && action != MovePrevious) || !at.isValid())
        return QTableView::moveCursor(action, modifiers);
    // Tab runs along the row and on to the next row; at the last cell of the table it stays.
    const int first = m_model->fixedColumns();
    const int last = m_model->columnCount() - 1;
    int row = at.row();
    int col = at.column() + (action == MoveNext ? 1 : -1);
    if (col > last) {
        col = first;
        ++row;
    } else if (col < first) {
        col = last;
        --row;
    }
    if (row < 0 || row >= m_model->rowCount())
        return at;
    return m_model->index(row, col);
}

void StringGrid::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    if (!m_changing)
        reopenEditor();
}

void StringGrid::keyPressEvent(QKeyEvent* event)
{
    // A key typed while an operation works on the table goes nowhere: not into a cell, nor into
    // a search that would move the cursor the operation shows.
    if (m_model->busy()) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void StringGrid::onBusyChanged(bool busy)
{
    if (!busy) {
        if (hasFocusInside())
            reopenEditor();
        return;
    }
    // The table was copied (or its editor committed) when the operation took it: whatever the
    // editor holds now was typed after that and is dropped, not written into the cell.
    if (QWidget* editor = cellEditor())
        closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void StringGrid::reopenEditor()
{
    const QModelIndex at = currentIndex();
    if (at.isValid() && !indexWidget(at) && (m_model->flags(at) & Qt::ItemIsEditable))
        QTableView::edit(at, AllEditTriggers, nullptr);
}

bool StringGrid::editorKey(QWidget* editor, QKeyEvent* event)
{
    if (editor != cellEditor())
        return false;
    const QModelIndex at = currentIndex();
    auto* line = qobject_cast<QLineEdit*>(editor);
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        commitData(editor);
        if (at.row() + 1 < m_model->rowCount())
            setCurrentCell(at.row() + 2, at.column());
        else if (line)
            line->selectAll();
        return true;
    }
    case Qt::Key_Escape: {
        // Cancelled: the cell gets back the text it had when the editor opened.
        if (line) {
            const QVariant original = line->property(CellDelegate::kOriginalText);
            if (original.isValid() && line->text() != original.toString()) {
                line->setText(original.toString());
                commitData(editor);
            }
            line->selectAll();
        }
        return true;
    }
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right: {
        if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
            return false;
        const bool vertical = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
        if (!vertical && line && !arrowLeavesLine(line, event->key()))
            return false;
        const CursorAction action = event->key() == Qt::Key_Up     ? MoveUp
                                    : event->key() == Qt::Key_Down ? MoveDown
                                    : event->key() == Qt::Key_Left ? MoveLeft
                                                                   : MoveRight;
        const QModelIndex to = moveCursor(action, Qt::NoModifier);
        commitData(editor);
        if (to.isValid() && to != at)
            setCurrentCell(to.row() + 1, to.column());
        return true;
    }
    default:
        return false;
    }
}

void StringGrid::beforeProgramChange()
{
    if (m_changing++ > 0)
        return;
    m_reopenEditor = false;
    if (QWidget* editor = cellEditor()) {
        m_reopenEditor = hasFocusInside();
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void StringGrid::afterProgramChange()
{
    if (m_changing == 0 || --m_changing > 0)
        return;
    if (m_reopenEditor || hasFocusInside()) {
        m_reopenEditor = false;
        reopenEditor();
    }
}

} // namespace qm::app
