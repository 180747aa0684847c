// Product files: .plu and .pl6 byte for byte, their readers, and the choice of format by name.

#include <gtest/gtest.h>

#include "FilesTestSupport.h"
#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "files/CellFile.h"
#include "files/PluFile.h"
#include "files/TableFiles.h"

namespace qm
{
namespace
{

// Row 1: 1, "Молоко", "", 4550, 5, 10, 123, 7, 0, logo 1, no mark. Row 2: everything full width.
Table smallTable()
{
    Table t = makeTable(productLayout());
    t.setRowCount(3);
    t.setRow(1, {"1", "\xCC\xEE\xEB\xEE\xEA\xEE", "", "4550", "5", "10", "123", "7", "0", "1", ""});
    t.setRow(2,
             {"4000", std::string(28, 'A'), "\xA8\xB8", "999999", "311", "6000", "999999", "99", "999", "2", "RU01"});
    return t;
}

// Written by hand from the record layout.
const std::string kRecord1 = std::string("   1 ") + "\x8C\xAE\xAB\xAE\xAA\xAE" + std::string(22, ' ') + " " +
                             std::string(28, ' ') + " " + "  4550 " + "  5 " + "0010 " + "000123 " + "07 " + "000";
const std::string kRecord2 = std::string("4000 ") + std::string(28, 'A') + " " + "\xF0\xF1" + std::string(26, ' ') +
                             " " + "999999 " + "311 " + "6000 " + "999999 " + "99 " + "999";

TEST(PluFile, WritesRecordsByteForByte)
{
    ASSERT_EQ(kRecord1.size(), kPluRecordSize);
    ASSERT_EQ(kRecord2.size(), kPluRecordSize);
    EXPECT_EQ(pluFileBytes(smallTable()), kRecord1 + kRecord2 + "\x1A");
}

TEST(PluFile, EmptyRowIsOneRecordOfFillAndTheEndByte)
{
    const std::string expected = std::string(4, ' ') + " " + std::string(28, ' ') + " " + std::string(28, ' ') + " " +
                                 std::string(6, ' ') + " " + std::string(3, ' ') + " 0000 000000 00 000\x1A";
    const std::string bytes = pluFileBytes(makeTable(productLayout()));
    EXPECT_EQ(bytes.size(), 93u);
    EXPECT_EQ(bytes, expected);
}

TEST(PluFile, LongFieldsKeepTheirFirstCharactersAndAreReported)
{
    Table t = makeTable(productLayout());
    t.setRowCount(4);
    t.setRow(1, {"12345", std::string(30, 'N'), "", "1", "1", "1", "1", "1", "1", "0", ""});
    t.setRow(2, {"2", "ok", "", "1", "311225", "1", "1", "123", "1000", "0", ""});
    t.setRow(3, {"3", "ok", "", "1", "5", "1", "1", "12", "100", "0", ""});
    const std::string bytes = pluFileBytes(t);
    EXPECT_EQ(bytes.substr(0, 4), "1234");
    EXPECT_EQ(bytes.substr(5, 28), std::string(28, 'N'));
    const std::string r2 = bytes.substr(kPluRecordSize, kPluRecordSize);
    EXPECT_EQ(r2.substr(70, 3), "311");
    EXPECT_EQ(r2.substr(86, 2), "12");
    EXPECT_EQ(r2.substr(89, 3), "100");

    const auto losses = pluLosses(t);
    ASSERT_EQ(losses.size(), 2u);
    EXPECT_EQ(losses[0].row, 1);
    EXPECT_EQ(losses[0].columns, (std::vector<int>{0, 1}));
    EXPECT_EQ(losses[1].row, 2);
    EXPECT_EQ(losses[1].columns, (std::vector<int>{4, 7, 8}));
    const std::string q = pluLossQuestion(losses);
    EXPECT_EQ(q.rfind("ВНИМАНИЕ !", 0), 0u);
    EXPECT_NE(q.find("1, 2"), std::string::npos);
}

TEST(PluFile, LogoMarkAndNumbersTheZeroFillWouldChangeAreLosses)
{
    Table t = makeTable(productLayout());
    t.setRowCount(5);
    t.setRow(1, {"1", "a", "", "1", "1", "0", "0", "0", "0", "2", ""});      // logo 2 is not stored
    t.setRow(2, {"2", "b", "", "1", "1", "0", "0", "0", "0", "0", "RU.A"});  // nor the mark
    t.setRow(3, {"3", "c", "", "1", "1", "-5", " 7", "0", "$1", "", "   "}); // "00-5", "0000 7", "0$1"
    t.setRow(4, {"4", "d", "", "1", "1", "05", "abc", "", "7", "0", ""});    // no number to change
    const auto losses = pluLosses(t);
    ASSERT_EQ(losses.size(), 3u);
    EXPECT_EQ(losses[0].columns, std::vector<int>{9});
    EXPECT_EQ(losses[0].kinds, std::vector<PluLossKind>{PluLossKind::NotStored});
    EXPECT_EQ(losses[1].columns, std::vector<int>{10});
    EXPECT_EQ(losses[2].row, 3);
    EXPECT_EQ(losses[2].columns, (std::vector<int>{5, 6, 8}));
    EXPECT_EQ(losses[2].kinds, std::vector<PluLossKind>(3, PluLossKind::NumberChanged));

    t.setCell(1, 0, "12345");
    const std::string q = pluLossQuestion(pluLosses(t));
    EXPECT_EQ(q, "ВНИМАНИЕ !\r\nФормат .plu не вмещает все данные таблицы товаров.\r\n"
                 "В строках 1, 2, 3 часть данных будет потеряна:\r\n"
                 "- поля обрезаются до ширины полей файла .plu (№ PLU)\r\n"
                 "- эти столбцы в файле .plu не хранятся (Логотип, Знач. РСТ)\r\n"
                 "- числа после дополнения нулями слева станут другими (Вес тары, Код товара, № Сообщения)\r\n"
                 "Продолжить ?");
}

TEST(PluFile, NameBytesThatDoNotComeBackAreLosses)
{
    Table t = makeTable(productLayout());
    t.setRowCount(3);
    t.setCell(1, 1,
              "\xAB"
              "x\xBB"); // « comes back as л
    t.setCell(2, 2, std::string("a\0b", 3));
    t.setCell(2, 1, cp("Ёж ёлка №5")); // these letters travel whole
    const auto losses = pluLosses(t);
    ASSERT_EQ(losses.size(), 2u);
    EXPECT_EQ(losses[0].columns, std::vector<int>{1});
    EXPECT_EQ(losses[1].columns, std::vector<int>{2});
}

TEST(PluFile, ReadsRecordsWithFillLogoFromChooserAndNoMark)
{
    const PluRead read = readPluBytes(kRecord1 + kRecord2 +
                                          "\x1A"
                                          "garbage after the end",
                                      2);
    EXPECT_FALSE(read.truncated);
    ASSERT_EQ(read.table.lastRow(), 2);
    const Row expected1{"   1",
                        "\xCC\xEE\xEB\xEE\xEA\xEE" + std::string(22, ' '),
                        std::string(28, ' '),
                        "  4550",
                        "  5",
                        "0010",
                        "000123",
                        "07",
                        "000",
                        "2",
                        ""};
    EXPECT_EQ(read.table.row(1), expected1);
    EXPECT_EQ(read.table.cell(2, 2), "\xA8\xB8" + std::string(26, ' ')); // Ё and ё come back as themselves
    EXPECT_EQ(read.table.cell(2, 9), "2");
    EXPECT_EQ(read.table.cell(2, 10), "");
}

TEST(PluFile, ReaderEdges)
{
    // No 0x1A: read to the physical end.
    EXPECT_EQ(readPluBytes(kRecord1, 0).table.lastRow(), 1);
    // Only the end byte, or nothing: one empty row.
    EXPECT_EQ(readPluBytes("\x1A", 0).table, makeTable(productLayout()));
    EXPECT_EQ(readPluBytes("", 0).table, makeTable(productLayout()));
    // A zero byte in a name reads as a blank; separators are skipped whatever they hold.
    std::string r = kRecord1;
    r[6] = '\0';
    r[4] = 'X';
    const Table t = readPluBytes(r, -1).table;
    EXPECT_EQ(t.cell(1, 1)[1], ' ');
    EXPECT_EQ(t.cell(1, 0), "   1");
    EXPECT_EQ(t.cell(1, 9), "-1");
    // A record cut short: the whole records stay, the reader says so.
    const PluRead cut = readPluBytes(kRecord1 + kRecord2.substr(0, 50), 0);
    EXPECT_TRUE(cut.truncated);
    EXPECT_EQ(cut.records, 1);
    EXPECT_EQ(cut.table.lastRow(), 1);
    EXPECT_EQ(cut.table.cell(1, 3), "  4550");
}

TEST(PluFile, RoundTripKeepsWhatTheFormatHolds)
{
    const Table original = smallTable();
    const Table back = readPluBytes(pluFileBytes(original), 1).table;
    ASSERT_EQ(back.lastRow(), original.lastRow());
    // The fill characters stay, so a second round gives the same bytes.
    EXPECT_EQ(pluFileBytes(back), pluFileBytes(original));
    EXPECT_EQ(back.cell(1, 1).substr(0, 6), original.cell(1, 1));
}

TEST(Pl6File, WritesElevenLinesPerRowAndReadsBackTheSameTable)
{
    const Table t = smallTable();
    const std::string bytes = cellFileBytes(t);
    const std::string expected = "1\r\n\xCC\xEE\xEB\xEE\xEA\xEE\r\n\r\n4550\r\n5\r\n10\r\n123\r\n7\r\n0\r\n1\r\n\r\n"
                                 "4000\r\n" +
                                 std::string(28, 'A') +
                                 "\r\n\xA8\xB8\r\n999999\r\n311\r\n6000\r\n"
                                 "999999\r\n99\r\n999\r\n2\r\nRU01\r\n";
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(readPl6Bytes(bytes), t);
}

TEST(Pl6File, ShortLastRowLeavesEmptyCells)
{
    const Table t = readPl6Bytes("1\r\na\r\nb\r\n100\r\n");
    ASSERT_EQ(t.lastRow(), 1);
    EXPECT_EQ(t.cell(1, 3), "100");
    EXPECT_EQ(t.cell(1, 4), "");
    EXPECT_EQ(t.cell(1, 10), "");
}

TEST(ProductFormat, ChosenByExactExtension)
{
    EXPECT_EQ(productFormatOf("a.pl6"), ProductFormat::Pl6);
    EXPECT_EQ(productFormatOf("dir.pl6/a.plu"), ProductFormat::Plu);
    EXPECT_EQ(productFormatOf("a.PL6"), ProductFormat::Plu); // capitals differ
    EXPECT_EQ(productFormatOf("a.txt"), ProductFormat::Plu);
    EXPECT_EQ(productFormatOf("a"), ProductFormat::Plu);
    EXPECT_EQ(extensionOf("/x/y.tar.gz"), ".gz");
    EXPECT_EQ(extensionOf("/x.d/y"), "");
}

TEST(ProductFormat, SaveNameIsAlwaysReadBackInItsOwnFormat)
{
    EXPECT_EQ(productSaveName("/d/a.pl6", 1), "/d/a.pl6");
    EXPECT_EQ(productSaveName("/d/a.plu", 1), "/d/a.plu.pl6");
    EXPECT_EQ(productSaveName("/d/a.PL6", 1), "/d/a.PL6.pl6");
    EXPECT_EQ(productSaveName("/d/a.plu", 2), "/d/a.plu");
    EXPECT_EQ(productSaveName("/d/a.pl6", 2), "/d/a.pl6.plu");
    EXPECT_EQ(productSaveName("/d/a.PLU", 2), "/d/a.PLU.plu");
    EXPECT_TRUE(productSaveName("rel.plu", 2).is_absolute());
    for (const char* name : {"/d/a.plu", "/d/a.pl6", "/d/a.PL6", "/d/a"}) {
        EXPECT_EQ(productFormatOf(productSaveName(name, 1)), ProductFormat::Pl6) << name;
        EXPECT_EQ(productFormatOf(productSaveName(name, 2)), ProductFormat::Plu) << name;
    }
}

TEST(ProductFiles, LoadByExtensionAndDamagedFileMessages)
{
    test::TempDir dir;
    const Table t = smallTable();
    ASSERT_FALSE(SaveFile1_5(dir / "a.plu", t));
    ASSERT_FALSE(saveCellFile(dir / "a.pl6", t));

    EXPECT_EQ(loadProductFile(dir / "a.pl6", 0).table, t);
    const ProductLoad plu = loadProductFile(dir / "a.plu", 1);
    EXPECT_FALSE(plu.error);
    EXPECT_EQ(plu.table.cell(2, 0), "4000");

    test::writeAll(dir / "cut.plu", kRecord1 + "12");
    const ProductLoad cut = loadProductFile(dir / "cut.plu", 0);
    ASSERT_TRUE(cut.error);
    EXPECT_NE(cut.error->find("cut.plu"), std::string::npos);
    EXPECT_EQ(cut.table.lastRow(), 1);

    const ProductLoad missing = loadProductFile(dir / "none.pl6", 0);
    ASSERT_TRUE(missing.error);
    EXPECT_NE(missing.error->find("none.pl6"), std::string::npos);
    EXPECT_EQ(missing.table, makeTable(productLayout()));
}

} // namespace
} // namespace qm
