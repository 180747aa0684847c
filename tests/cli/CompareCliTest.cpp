// compare-products and compare-messages of qmscales-cli, run as a real process against an
// emulated scale that was first loaded by send-products / send-messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "files/CellFile.h"
#include "files/TableFiles.h"
#include "support/CliStartDir.h"
#include "support/EmuProcess.h"

namespace
{

struct CompareDir : qmtest::CliStartDir {
    explicit CompareDir(const qmtest::EmuProcess& emu) : CliStartDir(&emu, 1, "Весы") {}

    // Rows of UTF-8 cells, missing cells empty.
    void writeTable(const std::string& name, const qm::TableLayout& layout, int columns,
                    const std::vector<std::vector<std::string>>& rows) const
    {
        qm::Table t = qm::makeTable(layout);
        std::vector<qm::Row> data;
        for (const auto& r : rows) {
            qm::Row row(static_cast<size_t>(columns));
            for (size_t c = 0; c < r.size(); ++c)
                row[c] = qm::cp(r[c]);
            data.push_back(row);
        }
        t.setDataRows(data);
        write(name, qm::cellFileBytes(t));
    }
    void writeProducts(const std::string& name, const std::vector<std::vector<std::string>>& rows) const
    {
        writeTable(name, qm::productLayout(), qm::kProductColumns, rows);
    }
};

// PLU, name 1, name 2, price, shelf life, tare, code, group, message, logo, certification code.
std::vector<std::string> product(const std::string& plu, const std::string& price = "100")
{
    return {plu, "Товар " + plu, "", price, "5", "0", "0", "0", "0", "0", ""};
}

// Names longer than the scale keeps, the "Ростест" logo with its code inside the names, a
// shelf-life date: all of it changes on the way, and a table just sent still compares equal.
std::vector<std::string> awkward(const std::string& plu)
{
    return {plu, "Колбаса докторская высшего сорта ГОСТ", "в/у", "45990", "010525", "20", "123", "7", "0", "1", "AB12"};
}

std::string summary(int onlyFile, int onlyScale, int fields)
{
    return "Только в файле: " + std::to_string(onlyFile) + ", только в весах: " + std::to_string(onlyScale) +
           ", различных полей: " + std::to_string(fields) + ".\n";
}

// The names in the start directory and the sizes of their files.
std::map<std::string, std::uintmax_t> names(const CompareDir& dir)
{
    std::map<std::string, std::uintmax_t> out;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path)) {
        const std::string name = entry.path().filename().string();
        if (name != "stdout.txt" && name != "stderr.txt") // the captured output
            out[name] = entry.is_regular_file() ? entry.file_size() : 0;
    }
    return out;
}

struct ProductCase {
    const char* name;
    std::vector<std::vector<std::string>> sent;
    std::vector<std::vector<std::string>> compared;
    int status;
    std::string out;
    std::string json;
};

} // namespace

TEST(CliCompare, ProductsAgainstWhatWasSent)
{
    const std::string price = qm::columnTitle(qm::productLayout(), qm::plucol::Price);
    const ProductCase cases[] = {
        {"equal after a send",
         {awkward("1"), product("2")},
         {awkward("1"), product("2")},
         0,
         "Различий нет.\n",
         R"({"equal":true,"onlyInFile":[],"onlyInScale":[],"fields":[]})"},
        {"a row only in the file",
         {product("1")},
         {product("1"), product("40")},
         3,
         "№ 40: только в файле\n" + summary(1, 0, 0),
         R"({"equal":false,"onlyInFile":[40],"onlyInScale":[],"fields":[]})"},
        {"a record only in the scale",
         {product("1"), product("3999")},
         {product("1")},
         3,
         "№ 3999: только в весах\n" + summary(0, 1, 0),
         R"({"equal":false,"onlyInFile":[],"onlyInScale":[3999],"fields":[]})"},
        {"a field differs",
         {product("1"), product("2")},
         {product("1"), product("2", "120")},
         3,
         "№ 2, «" + price + "»: в файле \"120\", в весах \"100\"\n" + summary(0, 0, 1),
         R"({"equal":false,"onlyInFile":[],"onlyInScale":[],"fields":[{"number":2,"field":")" + price +
             R"(","file":"120","scale":"100"}]})"},
    };
    for (const ProductCase& c : cases) {
        SCOPED_TRACE(c.name);
        qmtest::EmuProcess scale;
        CompareDir dir(scale);
        dir.writeProducts("sent.pl6", c.sent);
        dir.writeProducts("compared.pl6", c.compared);
        ASSERT_EQ(dir.cli({"send-products", "--scale", "Весы", "sent.pl6"}).status, 0);
        const auto before = scale.state().plu;
        const auto namesBefore = names(dir);

        auto r = dir.cli({"compare-products", "--scale", "Весы", "compared.pl6"});
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, "");
        r = dir.cli({"compare-products", "--scale", "Весы", "compared.pl6", "--json"});
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(r.out, c.json + "\n");

        // Only reads went to the scale, and nothing new was written beside the files.
        EXPECT_EQ(scale.state().plu, before);
        EXPECT_EQ(names(dir), namesBefore);
    }
}

TEST(CliCompare, MessagesCutToTheirFiftyCharacterLines)
{
    qmtest::EmuProcess scale;
    CompareDir dir(scale);
    const std::string longLine = "Хранить при температуре от +2 до +6 градусов Цельсия, не замораживать";
    dir.writeTable("sent.msg", qm::messageLayout(), qm::kMessageColumns, {{"3", longLine, "вторая"}, {"7", "x"}});
    ASSERT_EQ(dir.cli({"send-messages", "--scale", "Весы", "sent.msg"}).status, 0);
    auto r = dir.cli({"compare-messages", "--scale", "Весы", "sent.msg"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Различий нет.\n");

    dir.writeTable("other.msg", qm::messageLayout(), qm::kMessageColumns, {{"3", longLine, "третья"}});
    r = dir.cli({"compare-messages", "--scale", "Весы", "other.msg"});
    EXPECT_EQ(r.status, 3) << r.err;
    const std::string field = qm::columnTitle(qm::messageLayout(), qm::msgcol::FirstLine + 1);
    std::string sentLine = "вторая";
    sentLine.resize(sentLine.size() + 50 - 6, ' ');
    std::string comparedLine = "третья";
    comparedLine.resize(comparedLine.size() + 50 - 6, ' ');
    EXPECT_EQ(r.out, "№ 7: только в весах\n№ 3, «" + field + "»: в файле \"" + comparedLine + "\", в весах \"" +
                         sentLine + "\"\n" + summary(0, 1, 1));
}

TEST(CliCompare, AFaultThatStaysFailsTheCompare)
{
    qmtest::EmuOptions options;
    options.faults = {"silent@0x81#5-1000"};
    qmtest::EmuProcess scale(options);
    CompareDir dir(scale);
    dir.writeProducts("list.pl6", {product("1")});
    for (const bool json : {false, true}) {
        std::vector<std::string> args{"compare-products", "--scale", "Весы", "list.pl6"};
        if (json)
            args.push_back("--json");
        const auto r = dir.cli(args);
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err, "");
    }
    dir.writeProducts("bad.pl6", {product("1", "12x")});
    EXPECT_EQ(dir.cli({"compare-products", "--scale", "Весы", "bad.pl6"}).status, 1);
    EXPECT_EQ(dir.cli({"compare-products", "--scale", "Весы"}).status, 2);
    EXPECT_EQ(dir.cli({"compare-messages", "list.pl6"}).status, 2);
}
