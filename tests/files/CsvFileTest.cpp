// The CSV exchange of the product, message and configuration tables: the bytes written, round
// trips, files as spreadsheets and accounting systems write them, and the report of every wrong
// record.

#include <gtest/gtest.h>

#include <algorithm>

#include "FilesTestSupport.h"
#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "config/ConfigTable.h"
#include "files/CsvFile.h"
#include "files/CsvText.h"
#include "messages/MessageCheck.h"
#include "products/PluCheck.h"

namespace qm
{
namespace
{

using Fields = std::vector<std::string>;

const std::string kBom = "\xEF\xBB\xBF";
const std::string kProductHeader = "№ PLU;Наименование 1;Наименование 2;Цена,коп.;Срок хранения;Вес тары;Код товара;"
                                   "Код группы;№ Сообщения;Логотип;Знач. РСТ\r\n";

Table tableOf(const TableLayout& layout, const std::vector<Fields>& utf8Rows)
{
    Table t = makeTable(layout);
    std::vector<Row> rows;
    for (const auto& r : utf8Rows) {
        Row row;
        for (const auto& cell : r)
            row.push_back(cp(cell));
        rows.push_back(row);
    }
    t.setDataRows(rows);
    return t;
}

Table products(const std::vector<Fields>& rows)
{
    return tableOf(productLayout(), rows);
}

CsvImport importProducts(const std::string& bytes)
{
    return tableFromCsv(bytes, makeTable(productLayout()), productRowFailure);
}

CsvImport importMessages(const std::string& bytes)
{
    return tableFromCsv(bytes, makeTable(messageLayout()), messageRowFailure);
}

std::string problemsOf(const CsvImport& imported)
{
    std::string text;
    for (const auto& p : imported.problems)
        text += std::to_string(p.row) + "/" + std::to_string(p.column) + " " + p.text + "\n";
    return text;
}

// --- the text layer ---

TEST(CsvText, RecordsAsRfc4180Writes)
{
    const auto records = parseCsvRecords("a;\"b;c\";\"say \"\"hi\"\"\"\r\n"
                                         "\"two\r\nlines\";x\n"
                                         "\n"
                                         "last;\r"
                                         "end",
                                         ';');
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[0].fields, (Fields{"a", "b;c", "say \"hi\""}));
    EXPECT_EQ(records[1].fields, (Fields{"two\r\nlines", "x"})); // LF alone ends a record
    EXPECT_EQ(records[2].fields, (Fields{""}));                  // a blank line
    EXPECT_EQ(records[3].fields, (Fields{"last", ""}));          // a trailing separator; CR alone ends it
    EXPECT_EQ(records[4].fields, (Fields{"end"}));               // no line break after the last
    EXPECT_FALSE(records[4].unterminated);

    // Stray quotes are characters, as spreadsheets read them; an open quote runs to the end.
    EXPECT_EQ(parseCsvRecords("5\" disk;\"a\"b\r\n", ';')[0].fields, (Fields{"5\" disk", "ab"}));
    const auto open = parseCsvRecords("1;\"never closed\r\n2;x\r\n", ';');
    ASSERT_EQ(open.size(), 1u);
    EXPECT_TRUE(open[0].unterminated);
    EXPECT_EQ(open[0].fields, (Fields{"1", "never closed\r\n2;x\r\n"}));
    EXPECT_TRUE(parseCsvRecords("", ';').empty());
    EXPECT_EQ(parseCsvRecords("a;", ';')[0].fields, (Fields{"a", ""}));
}

TEST(CsvText, SeparatorOfTheFirstRecordOutsideQuotes)
{
    EXPECT_EQ(detectSeparator("1;Молоко, 3,2%;5000\r\n"), ';');
    EXPECT_EQ(detectSeparator("1,\"Молоко; 3,2%\",5000\r\n"), ',');
    EXPECT_EQ(detectSeparator("1\tМолоко, 3%\t5000\r\na;b;c;d;e\r\n"), '\t'); // only the first record counts
    EXPECT_EQ(detectSeparator("one field\r\n"), ';');
    EXPECT_EQ(detectSeparator("a;b,c\r\n"), ';'); // a tie goes to ";"
    EXPECT_EQ(detectSeparator("\"a;b;c\",d\r\n"), ',');
}

TEST(CsvText, EncodingDetected)
{
    EXPECT_EQ(decodeText(kBom + "Цена").encoding, TextEncoding::Utf8);
    EXPECT_EQ(decodeText(kBom + "Цена").text, "Цена");
    EXPECT_EQ(decodeText("Цена").encoding, TextEncoding::Utf8);
    EXPECT_EQ(decodeText("plain ascii").encoding, TextEncoding::Utf8);
    const auto cp1251 = decodeText(cp("Цена;Молоко"));
    EXPECT_EQ(cp1251.encoding, TextEncoding::Cp1251);
    EXPECT_EQ(cp1251.text, cp("Цена;Молоко"));
    // UTF-16 as a spreadsheet's "Unicode text": "Ц\t😀" little-endian, then big-endian.
    const std::string le("\xFF\xFE\x26\x04\x09\x00\x3D\xD8\x00\xDE", 10);
    EXPECT_EQ(decodeText(le).text, "Ц\t😀");
    const std::string be("\xFE\xFF\x04\x26\x00\x09", 6);
    EXPECT_EQ(decodeText(be).text, "Ц\t");
}

// --- writing ---

TEST(CsvExport, BytesAsSpreadsheetsOpenThem)
{
    const Table t = tableOf(messageLayout(), {{"1", " Хлеб ", "a;b", "say \"hi\"", "", "", "", "", ""},
                                              {"2", "", "", "", "", "", "", "", "Ёлка №1"}});
    std::string expected = kBom;
    expected += "№ MSG;Первая строка;Вторая строка;Третья строка;Четвертая строка;Пятая строка;Шестая строка;"
                "Седьмая строка;Восьмая строка\r\n";            // the headers without their blanks
    expected += "1; Хлеб ;\"a;b\";\"say \"\"hi\"\"\";;;;;\r\n"; // cells with their blanks; quoting
    expected += "2;;;;;;;;Ёлка №1\r\n";
    EXPECT_EQ(csvFromTable(t), expected);

    // A name read from a scale may hold a line break: it is quoted, never split.
    Table odd = products({{"1", "a\r\nb"}});
    EXPECT_NE(csvFromTable(odd).find("1;\"a\r\nb\";;"), std::string::npos);
}

// --- round trips ---

TEST(CsvRoundTrip, EveryTableComesBackIdentical)
{
    const Table p =
        products({{"1", "Молоко \"Домик\"; 3,2%", " Хлеб  ", "4590", "311299", "0", "123", "4", "0", "1", "РСТ1"},
                  {" 2", "Ёжик", "", "0", "5", "6000", "999999", "999999", "1000", "2", "a\"b"},
                  {"$10", "x", "y", "1", "0", "0", "0", "0", "0", "0", ""}});
    const CsvImport back = importProducts(csvFromTable(p));
    EXPECT_EQ(problemsOf(back), "");
    EXPECT_EQ(back.table, p);

    const Table m = tableOf(messageLayout(), {{"1", "Первая; строка", "\"", "", "", "", "", "", "  "},
                                              {"1000", "€ ‰ №", "", "", "", "", "", "", "last"}});
    const CsvImport mBack = importMessages(csvFromTable(m));
    EXPECT_EQ(problemsOf(mBack), "");
    EXPECT_EQ(mBack.table, m);

    const Table c = tableOf(
        configLayout(), {{"1", "Весы 1", "Отдел; мясо", "1", "COM1", "9600", "C:\\load\\a.pl6", "", "заметка \"x\""}});
    const CsvImport cBack = tableFromCsv(csvFromTable(c), makeTable(configLayout()), configRowFailure);
    EXPECT_EQ(problemsOf(cBack), "");
    EXPECT_EQ(cBack.table, c);

    // The empty table: one empty data row out, one empty data row back.
    const Table empty = makeTable(productLayout());
    EXPECT_EQ(importProducts(csvFromTable(empty)).table, empty);
    EXPECT_TRUE(importProducts(csvFromTable(empty)).problems.empty());
}

// --- files as spreadsheets and accounting systems write them ---

TEST(CsvImport, CommaSeparatedUtf8WithoutMarkAndLf)
{
    const std::string sheet = "1,\"Сыр, твёрдый\",\"12\"\" пицца\",1500,10,0,1,2,0,0,\n"
                              "2,Хлеб,,30,3,0,1,2,0,0,\n";
    const CsvImport in = importProducts(sheet);
    EXPECT_EQ(problemsOf(in), "");
    EXPECT_EQ(in.table, products({{"1", "Сыр, твёрдый", "12\" пицца", "1500", "10", "0", "1", "2", "0", "0", ""},
                                  {"2", "Хлеб", "", "30", "3", "0", "1", "2", "0", "0", ""}}));
}

TEST(CsvImport, CodePage1251AndTabs)
{
    const std::string sheet = cp("№ MSG\tПервая строка\r\n7\tСвежий хлеб №1\r\n");
    const CsvImport in = importMessages(sheet);
    EXPECT_EQ(problemsOf(in), "");
    EXPECT_EQ(in.table, tableOf(messageLayout(), {{"7", "Свежий хлеб №1"}}));
}

TEST(CsvImport, HeaderInAnotherOrderWithExtraAndMissingColumns)
{
    // Titles match without their blanks and letter case; "Остаток" and "Склад" are no columns;
    // the lines 3..8 are missing and stay empty.
    const std::string sheet = kBom + "Остаток;Склад;ПЕРВАЯ СТРОКА ; № msg;  вторая строка\r\n"
                                     "12;x;Акция;5;Скидка 10%\r\n"
                                     "0;;Новинка;6;\r\n";
    const CsvImport in = importMessages(sheet);
    EXPECT_EQ(problemsOf(in), "");
    EXPECT_EQ(in.table, tableOf(messageLayout(), {{"5", "Акция", "Скидка 10%"}, {"6", "Новинка"}}));

    // A repeated title: the first column of it wins.
    const CsvImport twice = importMessages("№ MSG;№ MSG\r\n3;4\r\n");
    EXPECT_EQ(twice.table.cell(1, 0), "3");
}

TEST(CsvImport, EmptyRecordsAreLeftOutButCounted)
{
    const std::string sheet = "№ PLU;Цена,коп.;Срок хранения;Вес тары;Код товара;Код группы;№ Сообщения;Логотип\r\n"
                              "1;100;5;0;0;0;0;0\r\n"
                              "\r\n"
                              ";;;;;;;\r\n"
                              "x;100;5;0;0;0;0;0\r\n"
                              ";;;;;;;\r\n";
    const CsvImport in = importProducts(sheet);
    ASSERT_EQ(in.problems.size(), 1u);
    EXPECT_EQ(in.problems[0].row, 4); // the sheet's fourth data record, blanks counted
    EXPECT_EQ(in.table.lastRow(), 2);
    EXPECT_EQ(importProducts("").table, makeTable(productLayout()));
    EXPECT_EQ(importProducts(kBom + kProductHeader).table, makeTable(productLayout()));
}

// --- wrong records ---

TEST(CsvImport, EveryWrongRecordIsReported)
{
    const std::string sheet = kBom + kProductHeader +
                              "1;Молоко;;100;5;0;0;0;0;0;\r\n"             // good
                              "0;Кефир;;100;5;0;0;0;0;0;\r\n"              // PLU 0
                              "3;Сметана;;-1;5;0;0;0;0;0;\r\n"             // price
                              "4;Йогурт ✓;;100;1000;0;0;0;0;0;\r\n"        // a character 1251 lacks, and the shelf life
                              "5;\"Творог\nмягкий\";;100;5;0;0;0;0;3;\r\n" // a line break, and the logo
                              "6;Сыр;;100;5;6001;0;0;0;0;\r\n";            // tare
    const CsvImport in = importProducts(sheet);
    EXPECT_EQ(problemsOf(in), "2/0 Неправильно задан номер PLU.\n"
                              "3/3 Неправильно задана цена товара.\n"
                              "4/1 Символ \"✓\" (U+2713) нельзя записать в таблицу: его нет в кодовой странице 1251.\n"
                              "4/4 Неправильно задан срок хранения.\n"
                              "5/1 Перенос строки внутри ячейки: в ячейке таблицы его быть не может.\n"
                              "5/9 Неправильно задан номер логотипа.( 0 - отсутствует, 1 - Ростест, 2 - "
                              "Индивидуальный.)\n"
                              "6/5 Неправильно задан вес тары.\n");

    const std::string report = csvProblemReport("/tmp/prices.csv", in.problems, makeTable(productLayout()));
    EXPECT_EQ(report.substr(0, report.find("\r\n")), "Файл \"/tmp/prices.csv\" не загружен. Строк с ошибками: 5.");
    EXPECT_NE(report.find("\r\nСтрока 3, столбец \"Цена,коп.\": Неправильно задана цена товара."), std::string::npos);
    EXPECT_NE(report.find("\r\nСтрока 5, столбец \"Наименование 1\": Перенос строки"), std::string::npos);
    const std::string shortReport = csvProblemReport("/tmp/prices.csv", in.problems, makeTable(productLayout()), 2);
    EXPECT_EQ(std::count(shortReport.begin(), shortReport.end(), '\n'), 3);
    EXPECT_NE(shortReport.find("\r\nИ еще ошибок: 5."), std::string::npos);
}

TEST(CsvImport, WrongRecordsOfMessagesAndConfiguration)
{
    const CsvImport m = importMessages("1;a\r\n1001;b\r\n12a;c\r\n 7;d\r\n");
    EXPECT_EQ(problemsOf(m), "2/0 Неправильно задан номер сообщения задан. Это целое число от 1 до 1000.\n"
                             "3/0 Неправильно задан номер сообщения задан. Это целое число от 1 до 1000.\n");

    const std::string sheet = "№ п/п;Название весов;Номер весов;Подключение;Скорость\r\n"
                              "1;A;1;COM1;9600\r\n"
                              "2;B;1;COM17;9600\r\n"
                              "3;C;100;COM1;9600\r\n"
                              "4;D;1;COM1;9601\r\n";
    const CsvImport c = tableFromCsv(sheet, makeTable(configLayout()), configRowFailure);
    EXPECT_EQ(problemsOf(c), "2/4 " + configErrorMessage(2) + "\n3/3 " + configErrorMessage(1) + "\n4/5 " +
                                 configErrorMessage(3) + "\n");
}

TEST(CsvImport, RecordsThatCannotBeRowsAreReported)
{
    // Without a header a field past the last column would be lost: refused unless empty.
    const CsvImport extra = importMessages("1;a;b;c;d;e;f;g;h;overflow\r\n2;a;b;c;d;e;f;g;h;;\r\n");
    EXPECT_EQ(problemsOf(extra), "1/-1 Лишние поля: в таблице столбцов 9, а в строке 10.\n");

    const CsvImport open = importMessages("1;a\r\n2;\"b\r\n3;c\r\n");
    EXPECT_EQ(problemsOf(open), "2/-1 Кавычка, открытая в этой строке, не закрыта до конца файла.\n"
                                "2/1 Перенос строки внутри ячейки: в ячейке таблицы его быть не может.\n");

    // Bytes that are not UTF-8 in a file marked as UTF-8, and the end-of-file byte of the files.
    const CsvImport bad = importMessages(kBom + "1;\xFF\r\n2;a\x1A\r\n");
    EXPECT_EQ(problemsOf(bad), "1/1 В ячейке есть байты, которые не являются текстом UTF-8.\n"
                               "2/1 Символ U+001A нельзя записать в ячейку таблицы.\n");
    const CsvImport cpBad = importMessages(cp("1;Я\x1A\r\n")) /* code page 1251 */;
    EXPECT_EQ(cpBad.problems.size(), 1u);
}

TEST(CsvFiles, SaveAndLoadThroughFiles)
{
    test::TempDir dir;
    const Table t = products({{"1", "Молоко", "", "100", "5", "0", "0", "0", "0", "0", ""}});
    ASSERT_EQ(saveCsvFile(dir / "a.csv", t), std::nullopt);
    const CsvLoad load = loadCsvFile(dir / "a.csv", makeTable(productLayout()), productRowFailure);
    EXPECT_TRUE(load.ok());
    EXPECT_EQ(load.table, t);

    const CsvLoad missing = loadCsvFile(dir / "none.csv", makeTable(productLayout()), productRowFailure);
    ASSERT_TRUE(missing.error);
    EXPECT_NE(missing.error->find("none.csv"), std::string::npos);
    EXPECT_FALSE(saveCsvFile(dir / "no-dir" / "a.csv", t) == std::nullopt);
}

} // namespace
} // namespace qm
