// qmscales-cli export-csv and import-csv, run as a real process.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "files/CellFile.h"
#include "files/PluFile.h"
#include "files/TableFiles.h"
#include "support/CliProcess.h"

namespace fs = std::filesystem;

namespace
{

struct CsvDir {
    CsvDir()
    {
        std::string pattern = (fs::temp_directory_path() / "qmcsvcli-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~CsvDir() { fs::remove_all(path); }

    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream out(path / name, std::ios::binary);
        out << bytes;
    }
    std::string read(const std::string& name) const { return qmtest::fileText(path / name); }

    fs::path path;
};

qmtest::CliRun cli(const CsvDir& dir, std::vector<std::string> args)
{
    args.insert(args.begin(), {"--dir", dir.path.string()});
    return qmtest::runCli(dir.path, args, {}, dir.path);
}

qm::Table products()
{
    qm::Table t = qm::makeTable(qm::productLayout());
    t.setDataRows(
        {{"1", qm::cp("Молоко; 3,2%"), qm::cp("\"Домик\""), "8900", "010525", "0", "12", "3", "0", "1", qm::cp("АБ12")},
         {" 2", qm::cp("Хлеб  "), "", "4500", "3", "10", "0", "0", "7", "0", ""}});
    return t;
}

TEST(CliCsv, ExportAndImportEveryKindOfTableFile)
{
    CsvDir dir;
    dir.write("a.pl6", qm::cellFileBytes(products()));
    auto r = cli(dir, {"export-csv", "a.pl6", "a.csv"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(dir.read("a.csv").substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(dir.read("a.csv").find("\r\n1;\"Молоко; 3,2%\";\"\"\"Домик\"\"\";8900;"), std::string::npos);

    r = cli(dir, {"import-csv", "a.csv", "b.pl6"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(dir.read("b.pl6"), dir.read("a.pl6"));
    // Into the older format too, and back out of it: the extension picks the format.
    r = cli(dir, {"import-csv", "a.csv", "b.plu"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(dir.read("b.plu"), qm::pluFileBytes(products()));

    qm::Table m = qm::makeTable(qm::messageLayout());
    m.setDataRows({{"5", qm::cp("Свежее"), "", "", "", "", "", "", qm::cp("конец")}});
    dir.write("m.MSG", qm::cellFileBytes(m)); // letter case of the extension aside
    ASSERT_EQ(cli(dir, {"export-csv", "m.MSG", "m.csv"}).status, 0);
    ASSERT_EQ(cli(dir, {"import-csv", "m.csv", "n.msg"}).status, 0);
    EXPECT_EQ(dir.read("n.msg"), dir.read("m.MSG"));

    dir.write("s.csv", "Название весов,Номер весов,Подключение,Скорость\n\"Весы, зал\",3,COM2,19200\n");
    r = cli(dir, {"import-csv", "s.csv", "s.cfl"});
    ASSERT_EQ(r.status, 0) << r.err;
    const qm::Table config = qm::readConfigBytes(dir.read("s.cfl"));
    EXPECT_EQ(config.cell(1, 1), qm::cp("Весы, зал"));
    EXPECT_EQ(config.cell(1, 4), "COM2");
}

TEST(CliCsv, ImportListsEveryWrongRowAndWritesNothing)
{
    CsvDir dir;
    dir.write("old.pl6", "kept");
    dir.write("bad.csv", "1;a;;100;5;0;0;0;0;0\r\n"
                         "2;b;;100;5;0;0;0;0;7\r\n"
                         "3;c ✓;;100;5;0;0;0;0;0\r\n"
                         "4;d;;abc;5;0;0;0;0;0\r\n");
    const auto r = cli(dir, {"import-csv", "bad.csv", "old.pl6"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(dir.read("old.pl6"), "kept");
    EXPECT_NE(r.err.find("Строк с ошибками: 3."), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("\nСтрока 2, столбец \"Логотип\": Неправильно задан номер логотипа."), std::string::npos);
    EXPECT_NE(r.err.find("\nСтрока 3, столбец \"Наименование 1\": Символ \"✓\" (U+2713)"), std::string::npos);
    EXPECT_NE(r.err.find("\nСтрока 4, столбец \"Цена,коп.\": Неправильно задана цена товара."), std::string::npos);
    EXPECT_EQ(r.err.find('\r'), std::string::npos);
    EXPECT_EQ(cli(dir, {"import-csv", "bad.csv", "new.pl6"}).status, 1);
    EXPECT_FALSE(fs::exists(dir.path / "new.pl6"));
}

TEST(CliCsv, UsageAndMissingFiles)
{
    CsvDir dir;
    EXPECT_EQ(cli(dir, {"export-csv", "a.pl6"}).status, 2);
    EXPECT_EQ(cli(dir, {"export-csv", "a.pl6", "b.csv", "c"}).status, 2);
    const auto wrong = cli(dir, {"export-csv", "a.txt", "b.csv"});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_NE(wrong.err.find("a.txt"), std::string::npos);
    EXPECT_EQ(cli(dir, {"import-csv", "a.csv", "b.acc"}).status, 2);
    EXPECT_EQ(cli(dir, {"export-csv", "missing.msg", "b.csv"}).status, 1);
    EXPECT_EQ(cli(dir, {"import-csv", "missing.csv", "b.msg"}).status, 1);
    EXPECT_FALSE(fs::exists(dir.path / "b.csv"));
    EXPECT_FALSE(fs::exists(dir.path / "b.msg"));
}

} // namespace
