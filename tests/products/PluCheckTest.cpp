#include <gtest/gtest.h>

#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "products/PluCheck.h"
#include "support/ScriptedFeedback.h"

using namespace qm;

namespace
{

Row goodRow()
{
    return {"1", cp("Молоко"), "", "4550", "365", "20", "123", "7", "0", "0", ""};
}

// The column at which the row fails, or -1 when it passes.
int failingColumn(const Row& row)
{
    int column = -1;
    return PluCheckError(row, column) ? column : -1;
}

int failingColumnWith(int col, const std::string& text)
{
    Row row = goodRow();
    row[static_cast<size_t>(col)] = text;
    return failingColumn(row);
}

} // namespace

TEST(PluCheck, ShelfLifeCountsAndDates)
{
    for (const char* ok : {"0", "999", "311299", "010525", " 5", "$FF", "310125"})
        EXPECT_TRUE(shelfLifeTextValid(ok)) << ok;
    for (const char* bad :
         {"", "1000", "12345", "1234567", "320125", "011325", "000000", "010025", "-1", "abc", "0105a5"})
        EXPECT_FALSE(shelfLifeTextValid(bad)) << bad;
}

TEST(PluCheck, EachFieldFailsAtItsColumnAndBounds)
{
    EXPECT_EQ(failingColumn(goodRow()), -1);
    EXPECT_EQ(failingColumnWith(plucol::Plu, "0"), plucol::Plu);
    EXPECT_EQ(failingColumnWith(plucol::Plu, "4001"), plucol::Plu);
    EXPECT_EQ(failingColumnWith(plucol::Plu, "4000"), -1);
    EXPECT_EQ(failingColumnWith(plucol::Price, "-1"), plucol::Price);
    EXPECT_EQ(failingColumnWith(plucol::Price, "1000000"), plucol::Price);
    EXPECT_EQ(failingColumnWith(plucol::Price, "999999"), -1);
    EXPECT_EQ(failingColumnWith(plucol::Shelf, "1000"), plucol::Shelf);
    EXPECT_EQ(failingColumnWith(plucol::Tare, "6001"), plucol::Tare);
    EXPECT_EQ(failingColumnWith(plucol::Tare, "6000"), -1);
    EXPECT_EQ(failingColumnWith(plucol::Code, "1000000"), plucol::Code);
    EXPECT_EQ(failingColumnWith(plucol::Group, "-5"), plucol::Group);
    EXPECT_EQ(failingColumnWith(plucol::Message, "1001"), plucol::Message);
    EXPECT_EQ(failingColumnWith(plucol::Message, "1000"), -1);
    EXPECT_EQ(failingColumnWith(plucol::Logo, "3"), plucol::Logo);
    EXPECT_EQ(failingColumnWith(plucol::Logo, "2"), -1);
    // Names and the certification code are never looked at.
    EXPECT_EQ(failingColumnWith(plucol::Name1, std::string(300, 'x')), -1);
    EXPECT_EQ(failingColumnWith(plucol::Cert, "\x01\x02"), -1);
    // Hexadecimal integer texts count as integers.
    EXPECT_EQ(failingColumnWith(plucol::Plu, "$10"), -1);
}

TEST(PluCheck, FirstFailingFieldWinsAndEmptyRowFailsAtPlu)
{
    EXPECT_EQ(failingColumn(Row(11)), plucol::Plu);
    Row row = goodRow();
    row[plucol::Tare] = "x";
    row[plucol::Price] = "x";
    EXPECT_EQ(failingColumn(row), plucol::Price);
    EXPECT_EQ(pluRowErrorMessage(plucol::Message), "Неправильно задан номер сообщения");
    EXPECT_EQ(pluRowErrorMessage(plucol::Logo),
              "Неправильно задан номер логотипа.( 0 - отсутствует, 1 - Ростест, 2 - Индивидуальный.)");
}

TEST(PluCheck, CheckTableStopsAtFirstBadRowWithCursorOnCell)
{
    Table products = makeTable(productLayout());
    products.setRow(1, goodRow());
    products.appendRow();
    Row bad = goodRow();
    bad[plucol::Shelf] = "320125";
    products.setRow(2, bad);
    products.appendRow(); // row 3 is empty and would fail too
    qmtest::ScriptedFeedback fb;
    const OperationResult checked = checkProductTable(products, fb);
    EXPECT_FALSE(checked);
    ASSERT_EQ(fb.messages.size(), 1u);
    EXPECT_EQ(fb.messages[0], "Неправильно задан срок хранения.");
    EXPECT_EQ(fb.cursor.back(), (qmtest::Cursor{TableId::Products, 2, plucol::Shelf}));
    // The failure names the cell the cursor points at.
    ASSERT_TRUE(checked.failure);
    EXPECT_EQ(checked.failure->kind, FailureKind::BadRow);
    EXPECT_TRUE(checked.failure->namesCellOf(TableId::Products));
    EXPECT_EQ(checked.failure->row, 2);
    EXPECT_EQ(checked.failure->column, plucol::Shelf);
    EXPECT_EQ(fb.failures.size(), 1u);
    EXPECT_EQ(fb.progressMaximum, 3);
    EXPECT_EQ(fb.progress.back(), 2); // row 3 never reached
    EXPECT_FALSE(fb.progressVisible);

    products.removeRow(3);
    products.setRow(2, goodRow());
    qmtest::ScriptedFeedback ok;
    EXPECT_TRUE(checkProductTable(products, ok));
    EXPECT_EQ(ok.messages, std::vector<std::string>{"В списке товаров ошибок не обнаружено."});
}
