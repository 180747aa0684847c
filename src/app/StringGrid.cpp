#include "app/StringGrid.h"

#include <QHeaderView>
#include <algorithm>

#include "app/CellDelegate.h"
#include "app/HeaderFit.h"

namespace qm::app
{

namespace
{
constexpr int kPriceKeyRowHeight = 24;
constexpr int kBareRowHeaderWidth = 8;
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
    // The grid opens its own editor on the current cell (currentChanged); the view's triggers
    // would open a second one.
    setEditTriggers(QAbstractItemView::NoEditTriggers);

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

    if (layout.editable) {
        // A reset closes the editor; bring it back on the same cell.
        const int firstEditable = layout.fixedColumns;
        connect(m_model, &QAbstractItemModel::modelReset, this,
                [this, firstEditable] { setCurrentCell(1, firstEditable); });
        setCurrentIndex(m_model->index(0, layout.fixedColumns));
    }
}

void StringGrid::commitEditor()
{
    if (QWidget* editor = indexWidget(currentIndex()))
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
    setCurrentIndex(at);
    scrollTo(at);
}

void StringGrid::setFontName(const QString& family)
{
    QFont f = font();
    f.setFamily(family);
    setFont(f);
}

QWidget* StringGrid::editorAt(const QModelIndex& index) const
{
    return index.isValid() ? indexWidget(index) : nullptr;
}

void StringGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QWidget* old = editorAt(previous);
    const bool focused = hasFocus() || (old && old->hasFocus());
    QTableView::currentChanged(current, previous);
    if (old)
        closePersistentEditor(previous);
    if (current.isValid() && (m_model->flags(current) & Qt::ItemIsEditable)) {
        openPersistentEditor(current);
        if (QWidget* editor = editorAt(current); editor && focused)
            editor->setFocus();
    }
}

void StringGrid::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    if (QWidget* editor = editorAt(currentIndex()))
        editor->setFocus();
}

} // namespace qm::app
