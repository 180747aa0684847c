#include <gtest/gtest.h>

#include "common/Cp1251.h"
#include "common/TableLayouts.h"

TEST(Table, KeepsOneDataRow)
{
    qm::Table t({"a", "b"});
    EXPECT_EQ(t.rowCount(), 2);
    t.setCell(1, 0, "x");
    t.removeRow(1);
    EXPECT_EQ(t.rowCount(), 2);
    EXPECT_EQ(t.cell(1, 0), "");
    t.setRowCount(0);
    EXPECT_EQ(t.rowCount(), 2);
    t.setCell(0, 0, "changed"); // the header row is not a data row
    EXPECT_EQ(t.cell(0, 0), "a");
    EXPECT_EQ(t.cell(7, 9), ""); // outside reads as empty
}

TEST(Table, RowsInsertAndRemoveInPlace)
{
    qm::Table t({"n"});
    t.setDataRows({{"1"}, {"2"}, {"3"}});
    t.insertRow(2);
    t.setCell(2, 0, "new");
    t.removeRow(1);
    ASSERT_EQ(t.rowCount(), 4);
    EXPECT_EQ(t.cell(1, 0), "new");
    EXPECT_EQ(t.cell(3, 0), "3");
    t.setDataRows({});
    EXPECT_EQ(t.rowCount(), 2);
}

TEST(TableLayouts, HeadersKeepTheirBlanks)
{
    const auto& p = qm::productLayout();
    ASSERT_EQ(p.headers.size(), 11u);
    EXPECT_EQ(qm::cp(p.headers[1]).size(), 42u);
    EXPECT_EQ(qm::cp(p.headers[2]).size(), 42u);
    EXPECT_EQ(p.headers[0], " № PLU ");
    const auto& m = qm::messageLayout();
    const size_t lengths[] = {7, 24, 24, 24, 24, 19, 18, 20, 16};
    for (size_t i = 0; i < 9; ++i)
        EXPECT_EQ(qm::cp(m.headers[i]).size(), lengths[i]) << i;
    EXPECT_EQ(qm::cp(qm::configLayout().headers[6]).size(), 38u);
    EXPECT_EQ(qm::cp(qm::configLayout().headers[7]).size(), 40u);
    EXPECT_EQ(qm::cp(qm::reportLayout().headers[1]).size(), 55u);
    const auto keys = qm::makePriceKeyTable();
    EXPECT_EQ(keys.rowCount(), 55);
    EXPECT_EQ(keys.cell(1, 0), "1");
    EXPECT_EQ(keys.cell(54, 0), "54");
}
