#pragma once
// A grid of text cells as the program's tables hold them: row 0 is the header row, data rows
// start at 1, and a table always keeps at least one data row. Cells hold code page 1251 bytes.

#include <string>
#include <vector>

namespace qm
{

using Row = std::vector<std::string>;

class Table
{
  public:
    Table() = default;
    // A table with the given header texts and one empty data row.
    explicit Table(Row headers);

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    int columnCount() const { return static_cast<int>(m_headers.size()); }
    int lastRow() const { return rowCount() - 1; }

    // Row 0 reads the headers. Cells outside the table read as empty text.
    const std::string& cell(int row, int col) const;
    void setCell(int row, int col, std::string text);
    const Row& row(int r) const { return m_rows[static_cast<size_t>(r)]; }
    void setRow(int r, Row cells); // cut or padded to the column count
    const Row& headers() const { return m_headers; }

    // Never below 2 (the header row and one data row); new rows are empty.
    void setRowCount(int count);
    void appendRow();
    void insertRow(int at);   // 1 <= at <= rowCount()
    void removeRow(int at);   // keeps one data row: removing the only one empties it
    void clearData();         // one empty data row
    bool holdsNoData() const; // every data cell empty, as in a new table

    // Data rows (1..last) as a plain list, and back.
    std::vector<Row> dataRows() const;
    void setDataRows(std::vector<Row> rows);

    bool operator==(const Table& other) const { return m_rows == other.m_rows; }

  private:
    Row emptyRow() const { return Row(m_headers.size()); }
    Row m_headers;
    std::vector<Row> m_rows{Row{}, Row{}}; // m_rows[0] mirrors m_headers
};

} // namespace qm
