#include "app/CellDelegate.h"

#include <QLineEdit>

#include "app/CellValidator.h"

namespace qm::app
{

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const
{
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setValidator(new CellValidator(editor));
    connect(editor, &QLineEdit::textEdited, this,
            [this, editor] { emit const_cast<CellDelegate*>(this)->commitData(editor); });
    return editor;
}

void CellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* line = static_cast<QLineEdit*>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    // The cell changes with every key; writing the same text back would move the caret.
    if (line->text() != text)
        line->setText(text);
}

void CellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    model->setData(index, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
}

} // namespace qm::app
