#include "operation/TableCompare.h"

namespace qm
{

namespace
{

std::string cellOf(const Row& row, size_t column)
{
    return column < row.size() ? row[column] : std::string();
}

} // namespace

TableComparison compareRows(const TableLayout& layout, const std::map<int, Row>& table, const std::map<int, Row>& scale)
{
    TableComparison out;
    for (const auto& [number, row] : table) {
        const auto held = scale.find(number);
        if (held == scale.end()) {
            out.onlyInTable.push_back(number);
            continue;
        }
        for (size_t c = 1; c < layout.headers.size(); ++c) {
            const std::string mine = cellOf(row, c);
            const std::string theirs = cellOf(held->second, c);
            if (mine != theirs)
                out.fields.push_back({number, columnTitle(layout, static_cast<int>(c)), mine, theirs});
        }
    }
    for (const auto& [number, row] : scale)
        if (!table.count(number))
            out.onlyInScale.push_back(number);
    return out;
}

} // namespace qm
