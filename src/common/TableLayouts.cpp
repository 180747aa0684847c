#include "common/TableLayouts.h"

#include "common/Cp1251.h"

namespace qm
{

namespace
{
std::string padded(const std::string& text, int trailingBlanks)
{
    return text + std::string(static_cast<size_t>(trailingBlanks), ' ');
}
} // namespace

const TableLayout& productLayout()
{
    static const TableLayout layout{{" № PLU ", padded(" Наименование 1", 27), padded(" Наименование 2", 27),
                                     " Цена,коп.", " Срок хранения ", " Вес тары ", " Код товара ", " Код группы ",
                                     " № Сообщения ", " Логотип ", " Знач. РСТ"},
                                    {51, 135, 126, 54, 103, 73, 75, 90, 99, 66, 98},
                                    true,
                                    0,
                                    kMaxProductRows};
    return layout;
}

const TableLayout& messageLayout()
{
    static const TableLayout layout{{" № MSG ", padded(" Первая строка", 10), padded(" Вторая строка", 10),
                                     padded(" Третья строка", 10), padded(" Четвертая строка", 7),
                                     padded(" Пятая строка", 6), padded(" Шестая строка", 4),
                                     padded(" Седьмая строка", 5), " Восьмая строка "},
                                    {54, 114, 126, 133, 145, 94, 112, 101, 110},
                                    true,
                                    0,
                                    kMaxMessageRows};
    return layout;
}

const TableLayout& priceKeyLayout()
{
    static const TableLayout layout{{"Клавиша цены", "Номер ячейки"}, {130, 145}, true, 1, 54};
    return layout;
}

const TableLayout& configLayout()
{
    static const TableLayout layout{{" № п/п ", " Название весов ", " Название отдела ", " Номер весов ",
                                     " Подключение ", " Скорость ", padded(" Имя файла товаров", 20),
                                     padded(" Имя файла сообщений", 20), " Примечание "},
                                    {43, 104, 106, 92, 92, 97, 174, 166, 109},
                                    true,
                                    0,
                                    kMaxConfigRows};
    return layout;
}

const TableLayout& reportLayout()
{
    static const TableLayout layout{{" № PLU", padded(" Наименование 1", 40), padded(" Наименование 2", 40),
                                     " Дата обнуления ", " Время обнуления ", " Общая сумма ", " Общий вес ",
                                     " Кол-во продаж"},
                                    {38, 144, 146, 122, 121, 129, 128, 148},
                                    false,
                                    0,
                                    kMaxReportRows};
    return layout;
}

const TableLayout& testLayout()
{
    static const TableLayout layout{
        {"№ п/п", "Название весов", "Подключение", "Состояние связи", "Время ответа, мсек", "Состояние весов"},
        {64, 160, 150, 138, 164, 166},
        false,
        0,
        kMaxConfigRows};
    return layout;
}

std::string columnTitle(const TableLayout& layout, int column)
{
    const std::string& header = layout.headers.at(static_cast<size_t>(column));
    const auto first = header.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return header.substr(first, header.find_last_not_of(' ') - first + 1);
}

Table makeTable(const TableLayout& layout)
{
    Row headers;
    for (const auto& h : layout.headers)
        headers.push_back(cp(h));
    return Table(std::move(headers));
}

int maxRowsOf(const Table& table)
{
    for (const TableLayout* layout :
         {&productLayout(), &messageLayout(), &priceKeyLayout(), &configLayout(), &reportLayout(), &testLayout()})
        if (makeTable(*layout).headers() == table.headers())
            return layout->maxRows;
    return kMaxProductRows;
}

Table makePriceKeyTable()
{
    Table t = makeTable(priceKeyLayout());
    t.setRowCount(55);
    for (int r = 1; r <= 54; ++r)
        t.setCell(r, 0, std::to_string(r));
    return t;
}

} // namespace qm
