#include "common/Table.h"

#include <algorithm>

namespace qm
{

namespace
{
const std::string kEmpty;
}

Table::Table(Row headers) : m_headers(std::move(headers))
{
    m_rows = {m_headers, emptyRow()};
}

const std::string& Table::cell(int row, int col) const
{
    if (row < 0 || row >= rowCount() || col < 0 || col >= columnCount())
        return kEmpty;
    return m_rows[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

void Table::setCell(int row, int col, std::string text)
{
    if (row < 1 || row >= rowCount() || col < 0 || col >= columnCount())
        return;
    m_rows[static_cast<size_t>(row)][static_cast<size_t>(col)] = std::move(text);
}

void Table::setRow(int r, Row cells)
{
    if (r < 1 || r >= rowCount())
        return;
    cells.resize(m_headers.size());
    m_rows[static_cast<size_t>(r)] = std::move(cells);
}

void Table::setRowCount(int count)
{
    m_rows.resize(static_cast<size_t>(std::max(count, 2)), emptyRow());
}

void Table::appendRow()
{
    m_rows.push_back(emptyRow());
}

void Table::insertRow(int at)
{
    at = std::clamp(at, 1, rowCount());
    m_rows.insert(m_rows.begin() + at, emptyRow());
}

void Table::removeRow(int at)
{
    if (at < 1 || at >= rowCount())
        return;
    if (rowCount() == 2) {
        m_rows[1] = emptyRow();
        return;
    }
    m_rows.erase(m_rows.begin() + at);
}

void Table::clearData()
{
    m_rows.resize(1);
    m_rows.push_back(emptyRow());
}

bool Table::holdsNoData() const
{
    for (size_t r = 1; r < m_rows.size(); ++r)
        for (const auto& cell : m_rows[r])
            if (!cell.empty())
                return false;
    return true;
}

std::vector<Row> Table::dataRows() const
{
    return {m_rows.begin() + 1, m_rows.end()};
}

void Table::setDataRows(std::vector<Row> rows)
{
    m_rows.resize(1);
    for (auto& r : rows) {
        r.resize(m_headers.size());
        m_rows.push_back(std::move(r));
    }
    if (m_rows.size() < 2)
        m_rows.push_back(emptyRow());
}

} // namespace qm
