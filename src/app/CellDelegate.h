#pragma once
// The in-place editor of the grids: a line edit guarded by CellValidator whose every change goes
// straight into the cell, so a typed character marks the table modified at once and a snapshot
// taken while the editor is open holds what is on the screen. It draws cell texts without their
// trailing blanks: names and message lines come from the scale padded to their full width, and
// the table keeps them so (files and the scale rely on them), but on the screen the blanks would
// only push the real text out of sight.

#include <QStyledItemDelegate>

namespace qm::app
{

class StringGrid;

class CellDelegate : public QStyledItemDelegate
{
    Q_OBJECT
  public:
    // The editor's property with the cell's text as it was when the editor opened.
    static constexpr const char* kOriginalText = "qmOriginalText";
    // The editor's property that is true until a key or a click reaches it.
    static constexpr const char* kUntouched = "qmUntouched";

    explicit CellDelegate(StringGrid* grid);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    StringGrid* m_grid;
};

} // namespace qm::app
