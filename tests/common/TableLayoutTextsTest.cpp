// The six tables' header texts and column widths, written out as the window shows them: the
// blanks around a header are part of it, and the wide name headers are padded with them.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/TableLayouts.h"

namespace
{

using Columns = std::vector<std::pair<std::string, int>>;

void expectLayout(const qm::TableLayout& layout, const Columns& expected)
{
    ASSERT_EQ(layout.headers.size(), expected.size());
    ASSERT_EQ(layout.widths.size(), expected.size());
    for (size_t c = 0; c < expected.size(); ++c) {
        EXPECT_EQ(layout.headers[c], expected[c].first) << "column " << c;
        EXPECT_EQ(layout.widths[c], expected[c].second) << "column " << c;
    }
}

} // namespace

TEST(TableLayoutTexts, Products)
{
    const auto& layout = qm::productLayout();
    expectLayout(layout, {
                             {" № PLU ", 51},
                             {" Наименование 1                           ", 135},
                             {" Наименование 2                           ", 126},
                             {" Цена,коп.", 54},
                             {" Срок хранения ", 103},
                             {" Вес тары ", 73},
                             {" Код товара ", 75},
                             {" Код группы ", 90},
                             {" № Сообщения ", 99},
                             {" Логотип ", 66},
                             {" Знач. РСТ", 98},
                         });
    EXPECT_TRUE(layout.editable);
    EXPECT_EQ(layout.fixedColumns, 0);
}

TEST(TableLayoutTexts, Messages)
{
    const auto& layout = qm::messageLayout();
    expectLayout(layout, {
                             {" № MSG ", 54},
                             {" Первая строка          ", 114},
                             {" Вторая строка          ", 126},
                             {" Третья строка          ", 133},
                             {" Четвертая строка       ", 145},
                             {" Пятая строка      ", 94},
                             {" Шестая строка    ", 112},
                             {" Седьмая строка     ", 101},
                             {" Восьмая строка ", 110},
                         });
    EXPECT_TRUE(layout.editable);
    EXPECT_EQ(layout.fixedColumns, 0);
}

TEST(TableLayoutTexts, Configuration)
{
    const auto& layout = qm::configLayout();
    expectLayout(layout, {
                             {" № п/п ", 43},
                             {" Название весов ", 104},
                             {" Название отдела ", 106},
                             {" Номер весов ", 92},
                             {" Подключение ", 92},
                             {" Скорость ", 97},
                             {" Имя файла товаров                    ", 174},
                             {" Имя файла сообщений                    ", 166},
                             {" Примечание ", 109},
                         });
    EXPECT_TRUE(layout.editable);
    EXPECT_EQ(layout.fixedColumns, 0);
}

TEST(TableLayoutTexts, Report)
{
    const auto& layout = qm::reportLayout();
    expectLayout(layout, {
                             {" № PLU", 38},
                             {" Наименование 1                                        ", 144},
                             {" Наименование 2                                        ", 146},
                             {" Дата обнуления ", 122},
                             {" Время обнуления ", 121},
                             {" Общая сумма ", 129},
                             {" Общий вес ", 128},
                             {" Кол-во продаж", 148},
                         });
    EXPECT_FALSE(layout.editable);
}

TEST(TableLayoutTexts, PriceKeysAndTests)
{
    const auto& keys = qm::priceKeyLayout();
    expectLayout(keys, {{"Клавиша цены", 130}, {"Номер ячейки", 145}});
    EXPECT_EQ(keys.fixedColumns, 1);
    EXPECT_TRUE(keys.editable);

    const auto& tests = qm::testLayout();
    expectLayout(tests, {{"№ п/п", 64},
                         {"Название весов", 160},
                         {"Подключение", 150},
                         {"Состояние связи", 138},
                         {"Время ответа, мсек", 164},
                         {"Состояние весов", 166}});
    EXPECT_FALSE(tests.editable);
}

TEST(TableLayoutTexts, EmptyTablesCarryTheHeadersInCodePage1251)
{
    const qm::Table products = qm::makeTable(qm::productLayout());
    ASSERT_EQ(products.rowCount(), 2);
    // " № PLU " in code page 1251: the sign № is the single byte 0xB9.
    EXPECT_EQ(products.cell(0, 0), "\x20\xB9\x20PLU\x20");
    EXPECT_EQ(products.cell(0, 1).size(), 42u);
    EXPECT_EQ(products.cell(1, 0), "");
}
