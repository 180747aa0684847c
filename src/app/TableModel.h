#pragma once
// One grid's data: a qm::Table shown through Qt's item views. Header row 0 of the table becomes
// the horizontal header; data rows 1..N are model rows 0..N-1. Cells stay code page 1251 bytes;
// this class is where they become QString and back (the choosers use the same two functions).

#include <QAbstractTableModel>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/Table.h"

namespace qm::app
{

class TableModel : public QAbstractTableModel
{
    Q_OBJECT
  public:
    TableModel(Table table, bool editable, int fixedColumns, QObject* parent = nullptr);

    const Table& table() const { return m_table; }
    void setTable(Table table);
    bool editable() const { return m_editable; }
    int fixedColumns() const { return m_fixedColumns; }

    // Changes made by the program; they do not count as typing.
    void setCell(int row, int col, std::string text); // table coordinates (row 1 = first data row)
    void setRow(int row, const Row& cells);           // rows outside the table are ignored, as qm::Table does
    void appendRow();
    void removeLastRow(); // keeps one data row
    void clearData();     // one empty data row

    // While an operation works on the table (sends it, fills it, walks its cursor over it),
    // nothing else may change it: no cell is editable, and the commands that change the table
    // wait (they follow busyChanged). The operation's own changes go through as ever.
    void setBusy(bool busy);
    bool busy() const { return m_busy; }

    // Called after the user changed a cell through the editor: the table's modified flag.
    void setOnEdited(std::function<void()> onEdited) { m_onEdited = std::move(onEdited); }

    static QString toQString(std::string_view cp1251);
    // nullopt when the text holds a character a cell cannot take (outside code page 1251, or
    // CR, LF, 0x1A): such text is refused, never changed. `typed` false lets the three control
    // characters through, for texts that came from cells in the first place.
    static std::optional<std::string> toCp1251(const QString& text, bool typed = true);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  signals:
    // Around every change made by the program (not by the editor): the grid closes its editor
    // before and opens it again after, so an editor never outlives the cell it was opened on.
    void aboutToChange();
    void changed();
    void busyChanged(bool busy);

  private:
    class ChangeScope;

    Table m_table;
    bool m_editable;
    int m_fixedColumns;
    bool m_busy = false;
    std::function<void()> m_onEdited;
};

} // namespace qm::app
