#include "files/RowEditing.h"

#include <string>

namespace qm
{

namespace
{
bool isDataRow(const Table& table, int row)
{
    return row >= 1 && row <= table.lastRow();
}
} // namespace

bool addRow(Table& table)
{
    table.appendRow();
    return true;
}

bool copyRow(Table& table, int current)
{
    if (!isDataRow(table, current))
        return false;
    Row copy = table.row(current);
    table.insertRow(current + 1);
    table.setRow(current + 1, std::move(copy));
    return true;
}

bool insertRow(Table& table, int current)
{
    if (!isDataRow(table, current))
        return false;
    table.insertRow(current + 1);
    return true;
}

bool deleteRow(Table& table, int current)
{
    if (!isDataRow(table, current))
        return false;
    table.removeRow(current);
    return true;
}

bool renumberRows(Table& table, TableId id, Feedback& feedback)
{
    const char* text = id == TableId::Messages ? "ВНИМАНИЕ !\r\nНомера ячеек MSG будут изменены.\r\nПродолжить ?"
                                               : "ВНИМАНИЕ !\r\nНомера ячеек PLU будут изменены.\r\nПродолжить ?";
    if (feedback.ask(text, Buttons::YesNo) != Answer::Yes)
        return false;
    for (int r = 1; r < table.rowCount(); ++r)
        table.setCell(r, kNumberColumn, std::to_string(r));
    return true;
}

} // namespace qm
