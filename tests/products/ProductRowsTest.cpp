#include <gtest/gtest.h>

#include "common/Cp1251.h"
#include "common/TableColumns.h"
#include "common/TableLayouts.h"
#include "products/ProductRanges.h"
#include "products/ProductRows.h"
#include "support/ScriptedFeedback.h"

using namespace qm;

TEST(ProductRows, PrepareReadsNumbersAndKeepsTexts)
{
    const Row row{" 12", cp("Хлеб"), "", "$10", "010525", "0", "123", "7", "5", "1", "AB"};
    const PreparedRow p = prepareRow(row);
    ASSERT_TRUE(p.record);
    EXPECT_EQ(p.record->plu, 12);
    EXPECT_EQ(p.record->price, 16);
    EXPECT_EQ(p.record->shelf, 10525);
    EXPECT_EQ(p.record->logo, 1);
    EXPECT_EQ(p.record->name1, cp("Хлеб"));
    EXPECT_EQ(p.record->cert, "AB");
}

TEST(ProductRows, PrepareNamesTheCellAtFault)
{
    Row row{"1", "", "", "12a", "5", "0", "0", "0", "0", "0", ""};
    PreparedRow p = prepareRow(row);
    EXPECT_FALSE(p.record);
    EXPECT_EQ(p.problem, RowProblem::NotInteger);
    EXPECT_EQ(p.column, plucol::Price);

    row[plucol::Price] = "1";
    row[plucol::Tare] = "70000";
    p = prepareRow(row);
    EXPECT_EQ(p.problem, RowProblem::DoesNotFit);
    EXPECT_EQ(p.column, plucol::Tare);

    Table products = makeTable(productLayout());
    products.setRow(1, Row{"1", "", "", "12a"});
    qmtest::ScriptedFeedback fb;
    reportRowProblem(fb, products, 1, prepareRow(products.row(1)));
    EXPECT_EQ(fb.lastMessage(), "Строка 1, столбец «Цена,коп.»: \"12a\" не является целым числом.");
    EXPECT_EQ(fb.cursor.back(), (qmtest::Cursor{TableId::Products, 1, plucol::Price}));

    products.setRow(1, Row{"1", "", "", "-1", "0", "0", "0", "0", "0", "0"});
    reportRowProblem(fb, products, 1, prepareRow(products.row(1)));
    EXPECT_EQ(fb.lastMessage(), "Неправильно задана цена товара.");
}

TEST(ProductRows, FillKeepsDateDigitsAndNames)
{
    PluRecord r;
    r.plu = 7;
    r.name1 = std::string(28, ' ');
    r.name2 = "x" + std::string(27, ' ');
    r.shelf = 10525;
    r.shelfIsDate = true;
    r.logo = 2;
    r.cert = "12  ";
    Row row = rowFromRecord(r);
    ASSERT_EQ(row.size(), 11u);
    EXPECT_EQ(row[plucol::Plu], "7");
    EXPECT_EQ(row[plucol::Shelf], "010525"); // the leading zero stays: the row check accepts it
    EXPECT_EQ(row[plucol::Name1].size(), 28u);
    EXPECT_EQ(row[plucol::Name2], r.name2);
    EXPECT_EQ(row[plucol::Logo], "2");
    EXPECT_EQ(row[plucol::Cert], "12  ");
    r.shelfIsDate = false;
    r.shelf = 5;
    EXPECT_EQ(rowFromRecord(r)[plucol::Shelf], "5");
}

TEST(ProductRanges, DialogChecksInOrder)
{
    using K = ProductRangeKind;
    auto r = checkRange(productRange(K::RowsToSend), "7", "3", 10);
    ASSERT_TRUE(r.range);
    EXPECT_EQ(r.range->first, 3);
    EXPECT_EQ(r.range->last, 7);
    EXPECT_EQ(checkRange(productRange(K::RowsToSend), "x", "3", 10).message,
              "Проверьте правильность ввода параметров.");
    EXPECT_EQ(checkRange(productRange(K::RowsToSend), "", "3", 10).message, "Проверьте правильность ввода параметров.");
    EXPECT_EQ(checkRange(productRange(K::RowsToSend), "0", "3", 10).message,
              "Номер строки не может быть нулевым. Проверьте правильность ввода параметров.");
    // Negative rows are refused as row 0 is, not taken for rows of the table.
    EXPECT_FALSE(checkRange(productRange(K::RowsToSend), "-2", "3", 10).range);
    EXPECT_EQ(checkRange(productRange(K::RowsToSend), "3", "11", 10).message,
              "В таблице товаров нет такого большого количества строк, проверьте правильность ввода параметров.");
    EXPECT_TRUE(checkRange(productRange(K::RowsToSend), "10", "10", 10).range);

    r = checkRange(productRange(K::PluToRead), "4000", "1");
    ASSERT_TRUE(r.range);
    EXPECT_EQ(r.range->first, 1);
    EXPECT_EQ(r.range->last, 4000);
    EXPECT_EQ(checkRange(productRange(K::PluToRead), "0", "5").message,
              "Номер строки не может быть нулевым или больше 4000. Проверьте правильность ввода параметров.");
    EXPECT_EQ(checkRange(productRange(K::PluToDelete), "1", "4001").message,
              "Номер ячейки не может быть нулевым или больше 4000. Проверьте правильность ввода параметров.");
}
