#include "files/RowRange.h"

#include <vector>

#include "common/IntText.h"

namespace qm
{

bool rangeKeyAccepted(const std::string& text, char key, int limit)
{
    if (key == '\b')
        return true;
    if (text.size() > 2) {
        const auto value = intText(text);
        if (value && *value > limit)
            return false;
    }
    return key >= '0' && key <= '9';
}

RangeCheck checkRowRange(const std::string& firstText, const std::string& lastText, int dataRows, TableId id)
{
    return checkRange(tableRowsRule(id), firstText, lastText, dataRows);
}

bool removeRows(Table& table, NumberRange range)
{
    if (range.first < 1 || range.last < range.first || range.last > table.lastRow())
        return false;
    std::vector<Row> rows = table.dataRows();
    rows.erase(rows.begin() + (range.first - 1), rows.begin() + range.last);
    table.setDataRows(std::move(rows));
    return true;
}

Outcome deleteRowRange(FileCommandContext& ctx, Table& table, bool& modified, NumberRange range, TableId id)
{
    if (range.first == 1 && range.last == table.lastRow())
        return id == TableId::Messages ? newMessageList(ctx, table, modified) : newProductList(ctx, table, modified);
    return removeRows(table, range) ? Outcome::Done : Outcome::Failed;
}

} // namespace qm
