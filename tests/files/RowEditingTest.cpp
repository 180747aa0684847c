// Row editing: add, copy, insert, delete, renumber, sort by column 0 and delete a range.

#include <gtest/gtest.h>

#include "FilesTestSupport.h"
#include "common/TableLayouts.h"
#include "files/RowEditing.h"
#include "files/RowRange.h"
#include "common/RowSort.h"

namespace qm
{
namespace
{

using qm::Answer;

// A message table whose rows hold the given numbers in column 0 and a tag in column 1.
Table numbered(const std::vector<std::string>& numbers)
{
    Table t = makeTable(messageLayout());
    t.setRowCount(static_cast<int>(numbers.size()) + 1);
    for (size_t i = 0; i < numbers.size(); ++i) {
        t.setCell(static_cast<int>(i) + 1, 0, numbers[i]);
        t.setCell(static_cast<int>(i) + 1, 1, "r" + std::to_string(i + 1));
    }
    return t;
}

std::vector<std::string> column(const Table& t, int col)
{
    std::vector<std::string> out;
    for (int r = 1; r < t.rowCount(); ++r)
        out.push_back(t.cell(r, col));
    return out;
}

using Texts = std::vector<std::string>;

TEST(RowEditing, AddCopyInsertDelete)
{
    Table t = numbered({"A", "B", "C"});
    EXPECT_TRUE(copyRow(t, 2));
    EXPECT_EQ(column(t, 0), (Texts{"A", "B", "B", "C"}));
    EXPECT_EQ(t.cell(3, 1), "r2");

    t = numbered({"A", "B", "C"});
    EXPECT_TRUE(insertRow(t, 2));
    EXPECT_EQ(column(t, 0), (Texts{"A", "B", "", "C"}));
    EXPECT_TRUE(insertRow(t, 4)); // below the last row
    EXPECT_EQ(t.lastRow(), 5);

    t = numbered({"A", "B", "C"});
    EXPECT_TRUE(deleteRow(t, 2));
    EXPECT_EQ(column(t, 0), (Texts{"A", "C"}));
    t = numbered({"A"});
    EXPECT_TRUE(deleteRow(t, 1));
    EXPECT_EQ(t, makeTable(messageLayout()));

    EXPECT_TRUE(addRow(t));
    EXPECT_EQ(t.lastRow(), 2);
    EXPECT_FALSE(copyRow(t, 0));
    EXPECT_FALSE(deleteRow(t, 3));
    EXPECT_EQ(t.lastRow(), 2);
}

TEST(RowEditing, RenumberAsksFirst)
{
    qmtest::ScriptedFeedback feedback;
    Table t = numbered({"9", "x", ""});
    feedback.answers = {Answer::No};
    EXPECT_FALSE(renumberRows(t, TableId::Products, feedback));
    EXPECT_EQ(column(t, 0), (Texts{"9", "x", ""}));
    EXPECT_EQ(feedback.questions[0], "ВНИМАНИЕ !\r\nНомера ячеек PLU будут изменены.\r\nПродолжить ?");
    feedback.answers = {Answer::Yes};
    EXPECT_TRUE(renumberRows(t, TableId::Messages, feedback));
    EXPECT_EQ(column(t, 0), (Texts{"1", "2", "3"}));
    EXPECT_EQ(feedback.questions[1], "ВНИМАНИЕ !\r\nНомера ячеек MSG будут изменены.\r\nПродолжить ?");
}

TEST(RowSort, StableAndCellsUnchanged)
{
    qmtest::ScriptedFeedback feedback;
    Table t = numbered({"5", "3", " 5", "1", "$2", "-7"});
    const SortResult r = sortRowsByNumber(t, TableId::Messages, feedback);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.modified);
    EXPECT_EQ(column(t, 0), (Texts{"-7", "1", "$2", "3", "5", " 5"}));
    EXPECT_EQ(column(t, 1), (Texts{"r6", "r4", "r5", "r2", "r1", "r3"})); // equal 5s keep their order
    EXPECT_TRUE(feedback.messages.empty());

    Table one = numbered({"abc"});
    EXPECT_TRUE(sortRowsByNumber(one, TableId::Messages, feedback).ok); // fewer than two rows: no check
}

TEST(RowSort, BadNumberStopsWhereTheFirstPassMeetsIt)
{
    qmtest::ScriptedFeedback feedback;
    // The first pass carries 9 down to just above the bad row; the rest stays.
    Table t = numbered({"9", "4", "7", "x", "1"});
    const SortResult r = sortRowsByNumber(t, TableId::Products, feedback);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.modified);
    EXPECT_EQ(r.badRow, 4);
    EXPECT_EQ(column(t, 0), (Texts{"4", "7", "9", "x", "1"}));
    ASSERT_EQ(feedback.messages.size(), 1u);
    EXPECT_EQ(feedback.messages[0], "Ошибка ввода данных в таблице.");
    EXPECT_EQ(feedback.cursor.back(), (qmtest::Cursor{TableId::Products, 4, 0}));

    Table first = numbered({"abc", "2", "1"});
    EXPECT_EQ(sortRowsByNumber(first, TableId::Products, feedback).badRow, 1);
    EXPECT_EQ(column(first, 0), (Texts{"abc", "2", "1"}));

    qmtest::ScriptedFeedback quiet;
    Table q = numbered({"2", "1", ""});
    const SortResult qr = sortRowsByNumber(q, TableId::Products, quiet, true);
    EXPECT_EQ(qr.badRow, 3);
    EXPECT_EQ(column(q, 0), (Texts{"1", "2", ""}));
    EXPECT_TRUE(quiet.messages.empty());
    EXPECT_TRUE(quiet.cursor.empty());
}

TEST(NumberRange, DialogChecks)
{
    const auto ok = checkRowRange("7", "3", 10, TableId::Products);
    ASSERT_TRUE(ok.range);
    EXPECT_EQ(ok.range->first, 3);
    EXPECT_EQ(ok.range->last, 7);

    EXPECT_EQ(checkRowRange("", "3", 10, TableId::Products).message, "Проверьте правильность ввода параметров.");
    const std::string zero = "Номер строки не может быть нулевым. Проверьте правильность ввода параметров.";
    EXPECT_EQ(checkRowRange("0", "3", 10, TableId::Products).message, zero);
    EXPECT_EQ(checkRowRange("-3", "2", 10, TableId::Products).message, zero);
    EXPECT_FALSE(checkRowRange("-3", "2", 10, TableId::Products).range);
    EXPECT_EQ(checkRowRange("1", "11", 10, TableId::Products).message,
              "В таблице товаров нет такого большого количества строк, проверьте правильность ввода параметров.");
    EXPECT_EQ(checkRowRange("11", "1", 10, TableId::Messages).message,
              "В таблице сообщений нет такого большого количества строк, проверьте правильность ввода параметров.");
    EXPECT_TRUE(checkRowRange("10", "10", 10, TableId::Messages).range);

    EXPECT_TRUE(rangeKeyAccepted("12", '3'));
    EXPECT_FALSE(rangeKeyAccepted("12", 'a'));
    EXPECT_TRUE(rangeKeyAccepted("400", '1')); // 4001 gets through; "Применить" catches it
    EXPECT_FALSE(rangeKeyAccepted("4001", '1'));
    EXPECT_TRUE(rangeKeyAccepted("4001", '\b'));
}

TEST(NumberRange, RemovesRowsOrRunsNewList)
{
    Table t = numbered({"1", "2", "3", "4", "5"});
    EXPECT_TRUE(removeRows(t, {2, 3}));
    EXPECT_EQ(column(t, 0), (Texts{"1", "4", "5"}));
    EXPECT_FALSE(removeRows(t, {2, 4}));
    EXPECT_EQ(t.lastRow(), 3);

    test::TempDir dir;
    qmtest::ScriptedFeedback feedback;
    test::ScriptedChooser chooser;
    FileCommandContext ctx{feedback, chooser, dir.path()};
    t = numbered({"1", "2", "3", "4", "5"});
    bool modified = true; // set when the dialog opened
    feedback.answers = {Answer::Cancel};
    EXPECT_EQ(deleteRowRange(ctx, t, modified, {1, 5}, TableId::Messages), Outcome::Cancelled);
    EXPECT_EQ(t.lastRow(), 5);
    EXPECT_EQ(feedback.questions.back(),
              "Будет открыт новый список сообщений.\r\nВ таблице  были изменения.\r\nСохранить ?");
    feedback.answers = {Answer::No};
    EXPECT_EQ(deleteRowRange(ctx, t, modified, {1, 5}, TableId::Messages), Outcome::Done);
    EXPECT_EQ(t, makeTable(messageLayout()));
    EXPECT_FALSE(modified);

    t = numbered({"1", "2", "3"});
    EXPECT_EQ(deleteRowRange(ctx, t, modified, {1, 2}, TableId::Products), Outcome::Done);
    EXPECT_EQ(column(t, 0), Texts{"3"});
}

} // namespace
} // namespace qm
