#include "operation/TableCompare.h"

#include "common/TableSink.h"
#include "link/ScaleSession.h"
#include "operation/KeptCursor.h"
#include "operation/ScaleFrame.h"

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

OperationResult compareWithScale(const ScaleLink& link, const std::string& noScaleMessage, const TableLayout& layout,
                                 const std::map<int, Row>& table, const ScaleRecordsRead& read, TableComparison& result)
{
    const OpenedScale scale = openScale(link, noScaleMessage);
    if (!scale)
        return scale;
    Table held = makeTable(layout);
    TableWriter sink(held);
    // The read fills `held`, not the person's table: over a session of its own on the line just
    // opened, whose feedback keeps the person's cursor where it is.
    KeptCursor kept(link.session.feedback());
    ScaleSession reading(link.session.line(), kept);
    const auto done = read(reading, scale.target.number, sink);
    if (!done)
        return done;
    std::map<int, Row> scaleRows;
    for (int row = 1; row < held.rowCount(); ++row)
        if (!held.cell(row, 0).empty())
            scaleRows[std::stoi(held.cell(row, 0))] = held.row(row);
    result = compareRows(layout, table, scaleRows);
    return OperationResult::done();
}

} // namespace qm
