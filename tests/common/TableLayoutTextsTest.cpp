// The six tables' header texts and column widths, written out as the window shows them: the
// blanks around a header are part of it, and the wide name headers are padded with them.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/TableLayouts.h"

namespace
{

struct LayoutCase {
    const char* name;
    const qm::TableLayout& (*layout)();
    bool editable;
    int fixedColumns;
    std::vector<std::pair<std::string, int>> columns; // header, width
};

const LayoutCase kLayouts[] = {
    {"products",
     qm::productLayout,
     true,
     0,
     {{" № PLU ", 51},
      {" Наименование 1                           ", 135},
      {" Наименование 2                           ", 126},
      {" Цена,коп.", 54},
      {" Срок хранения ", 103},
      {" Вес тары ", 73},
      {" Код товара ", 75},
      {" Код группы ", 90},
      {" № Сообщения ", 99},
      {" Логотип ", 66},
      {" Знач. РСТ", 98}}},
    {"messages",
     qm::messageLayout,
     true,
     0,
     {{" № MSG ", 54},
      {" Первая строка          ", 114},
      {" Вторая строка          ", 126},
      {" Третья строка          ", 133},
      {" Четвертая строка       ", 145},
      {" Пятая строка      ", 94},
      {" Шестая строка    ", 112},
      {" Седьмая строка     ", 101},
      {" Восьмая строка ", 110}}},
    {"configuration",
     qm::configLayout,
     true,
     0,
     {{" № п/п ", 43},
      {" Название весов ", 104},
      {" Название отдела ", 106},
      {" Номер весов ", 92},
      {" Подключение ", 92},
      {" Скорость ", 97},
      {" Имя файла товаров                    ", 174},
      {" Имя файла сообщений                    ", 166},
      {" Примечание ", 109}}},
    {"report",
     qm::reportLayout,
     false,
     0,
     {{" № PLU", 38},
      {" Наименование 1                                        ", 144},
      {" Наименование 2                                        ", 146},
      {" Дата обнуления ", 122},
      {" Время обнуления ", 121},
      {" Общая сумма ", 129},
      {" Общий вес ", 128},
      {" Кол-во продаж", 148}}},
    {"price keys", qm::priceKeyLayout, true, 1, {{"Клавиша цены", 130}, {"Номер ячейки", 145}}},
    {"tests",
     qm::testLayout,
     false,
     0,
     {{"№ п/п", 64},
      {"Название весов", 160},
      {"Подключение", 150},
      {"Состояние связи", 138},
      {"Время ответа, мсек", 164},
      {"Состояние весов", 166}}},
};

} // namespace

TEST(TableLayoutTexts, HeadersWidthsAndEditing)
{
    for (const LayoutCase& c : kLayouts) {
        SCOPED_TRACE(c.name);
        const qm::TableLayout& layout = c.layout();
        ASSERT_EQ(layout.headers.size(), c.columns.size());
        ASSERT_EQ(layout.widths.size(), c.columns.size());
        for (size_t col = 0; col < c.columns.size(); ++col) {
            EXPECT_EQ(layout.headers[col], c.columns[col].first) << "column " << col;
            EXPECT_EQ(layout.widths[col], c.columns[col].second) << "column " << col;
        }
        EXPECT_EQ(layout.editable, c.editable);
        EXPECT_EQ(layout.fixedColumns, c.fixedColumns);
    }
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
