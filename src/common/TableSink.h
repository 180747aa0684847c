#pragma once
// Where a read operation puts the rows it receives. The command line and the tests write into
// a Table directly; the window applies the same calls to its grid on the user-interface thread.

#include "common/Table.h"

namespace qm
{

class TableSink
{
  public:
    virtual ~TableSink() = default;
    virtual int rowCount() const = 0;
    virtual void clear() = 0; // one empty data row
    virtual void setRow(int row, const Row& cells) = 0;
    virtual void appendRow() = 0;
    virtual void removeLastRow() = 0;
    virtual void setModified() = 0;
    // The modified flag as the save-first question of a read sees it: asked only when set,
    // cleared after Yes or No.
    virtual bool isModified() const { return false; }
    virtual void clearModified() {}
};

// A sink over a Table the caller owns.
class TableWriter : public TableSink
{
  public:
    explicit TableWriter(Table& table, bool* modified = nullptr) : m_table(table), m_modified(modified) {}
    int rowCount() const override { return m_table.rowCount(); }
    void clear() override { m_table.clearData(); }
    void setRow(int row, const Row& cells) override { m_table.setRow(row, cells); }
    void appendRow() override { m_table.appendRow(); }
    void removeLastRow() override
    {
        if (m_table.rowCount() > 2)
            m_table.removeRow(m_table.lastRow());
    }
    void setModified() override
    {
        if (m_modified)
            *m_modified = true;
    }
    bool isModified() const override { return m_modified && *m_modified; }
    void clearModified() override
    {
        if (m_modified)
            *m_modified = false;
    }

  private:
    Table& m_table;
    bool* m_modified;
};

} // namespace qm
