#pragma once
// The in-place editor of the grids: a line edit guarded by CellValidator whose every change goes
// straight into the cell, as the grid's own editor does, so a typed character marks the table
// modified at once and a snapshot taken while the editor is open holds what is on the screen.

#include <QStyledItemDelegate>

namespace qm::app
{

class CellDelegate : public QStyledItemDelegate
{
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
};

} // namespace qm::app
