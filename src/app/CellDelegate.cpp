#include "app/CellDelegate.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "app/CellValidator.h"
#include "app/StringGrid.h"

namespace qm::app
{

CellDelegate::CellDelegate(StringGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const
{
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setValidator(new CellValidator(editor));
    editor->setProperty(kUntouched, true);
    QPointer<StringGrid> grid = m_grid;
    connect(editor, &QLineEdit::textEdited, this, [this, grid, editor] {
        editor->setProperty(kUntouched, false);
        // Only the editor the grid shows on its current cell writes into the table.
        if (grid && grid->cellEditor() == editor)
            emit const_cast<CellDelegate*>(this)->commitData(editor);
    });
    return editor;
}

void CellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* line = static_cast<QLineEdit*>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    if (!line->property(kOriginalText).isValid())
        line->setProperty(kOriginalText, text);
    // The cell changes with every key; writing the same text back would move the caret.
    if (line->text() != text)
        line->setText(text);
}

void CellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    model->setData(index, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
}

void CellDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    qsizetype end = option->text.size();
    while (end > 0 && option->text.at(end - 1) == QLatin1Char(' '))
        --end;
    option->text.truncate(end);
}

bool CellDelegate::eventFilter(QObject* watched, QEvent* event)
{
    // The first click on an editor that opened with its text selected keeps the selection, as
    // a click on a cell does, so the text typed next replaces the cell's; a second click
    // places the caret.
    if (event->type() == QEvent::MouseButtonPress && watched->property(kUntouched).toBool()) {
        watched->setProperty(kUntouched, false);
        return true;
    }
    if (event->type() == QEvent::KeyPress)
        watched->setProperty(kUntouched, false);
    if (event->type() == QEvent::KeyPress && m_grid) {
        auto* editor = qobject_cast<QWidget*>(watched);
        if (editor && m_grid->editorKey(editor, static_cast<QKeyEvent*>(event)))
            return true;
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}

} // namespace qm::app
