// qmscales-cli read-report, read-totals, clear-totals and print, run as a real process against
// an emulated scale.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "StateFile.h"
#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "files/CellFile.h"
#include "files/ReportFile.h"
#include "support/CliProcess.h"
#include "support/CliStartDir.h"
#include "support/EmuProcess.h"

namespace fs = std::filesystem;

namespace
{

// The start directory of the scale "Весы" (number 1).
struct ReportDir : qmtest::CliStartDir {
    explicit ReportDir(const qmtest::EmuProcess& scale) : CliStartDir(&scale, 1, "Весы") {}
};

qmtest::CliRun cli(const ReportDir& dir, std::vector<std::string> args)
{
    return dir.cli(std::move(args));
}

// PLU 3 and 7 with sales; the grand total cleared on 31.12.03 at 09:05:07.
qmtest::EmuOptions scaleWithSales()
{
    emu::ScaleState s;
    emu::PluRecord r;
    r.sum = 12345;
    r.weight = 1500;
    r.sales = 7;
    s.plu[3] = r;
    r.sum = 5;
    r.weight = 0;
    r.sales = 1;
    s.plu[7] = r;
    s.totals = {1200, 35, 12350, 8, 1500, 9, 5, 7, 31, 12, 3};
    return qmtest::withState(emu::stateToJson(s));
}

} // namespace

TEST(CliReports, ReadReportWithTotalsWritesTheReportFileTheTabOpens)
{
    qmtest::EmuProcess scale(scaleWithSales());
    ReportDir dir(scale);
    auto r = cli(dir, {"read-report", "--scale", "Весы", "--all", "--totals", "--out", "day.acc"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    const qm::ReportLoad load = qm::loadReportFile(dir.path / "day.acc");
    ASSERT_FALSE(load.error);
    EXPECT_EQ(load.file.totals, (qm::ReportTotals{"1200", "35", "31.12.03", "09:05:07", "123,5", "8", "1,5", "123,5",
                                                  "8", "1,5", "3998", "1000"}));
    ASSERT_EQ(load.file.table.rowCount(), 3);
    EXPECT_EQ(load.file.table.cell(1, 0), "3");
    EXPECT_EQ(load.file.table.cell(1, 5), "123,45");
    EXPECT_EQ(load.file.table.cell(2, 0), "7");
    EXPECT_EQ(load.file.table.cell(2, 5), "0,05");

    r = cli(dir, {"read-report", "--scale", "Весы", "--plu", "7", "--out", "one.acc"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    const qm::ReportLoad one = qm::loadReportFile(dir.path / "one.acc");
    ASSERT_EQ(one.file.table.rowCount(), 2);
    EXPECT_EQ(one.file.table.cell(1, 7), "1");
    EXPECT_EQ(one.file.totals[0], "0") << "no --totals: the fields as the tab starts";

    r = cli(dir, {"read-report", "--scale", "Весы", "--plu", "4001", "--out", "bad.acc"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "Ошибка ввода номера PLU. Это число от 1 до 4000.\n");
    EXPECT_EQ(cli(dir, {"read-report", "--scale", "Весы", "--all", "--plu", "3", "--out", "x.acc"}).status, 2);
    EXPECT_EQ(cli(dir, {"read-report", "--scale", "Весы", "--all"}).status, 2);
    EXPECT_FALSE(fs::exists(dir.path / "bad.acc"));
}

TEST(CliReports, ReadTotalsAsTextAndAsJson)
{
    qmtest::EmuProcess scale(scaleWithSales());
    ReportDir dir(scale);
    auto r = cli(dir, {"read-totals", "--scale", "Весы", "--json"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "{\"run_mm\":1200,\"labels\":35,\"cleared_date\":\"31.12.03\",\"cleared_time\":\"09:05:07\","
                     "\"plu_sum\":\"123,5\",\"plu_count\":8,\"plu_weight\":\"1,5\",\"grand_sum\":\"123,5\","
                     "\"grand_count\":8,\"grand_weight\":\"1,5\",\"free_plu\":3998,\"free_msg\":1000}\n");
    EXPECT_EQ(r.err, "Данные приняты.\n");
    r = cli(dir, {"read-totals", "--scale", "Весы"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Всего: Общая сумма: 123,5\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Данные приняты.\n"), std::string::npos);
}

TEST(CliReports, ClearTotalsAsksUnlessYesAndClearsWhatItIsTold)
{
    qmtest::EmuProcess scale(scaleWithSales());
    ReportDir dir(scale);
    auto r = cli(dir, {"clear-totals", "--scale", "Весы", "--plu", "3"});
    EXPECT_NE(r.status, 0);
    EXPECT_EQ(scale.state().plu.at(3).sum, 12345u);

    r = cli(dir, {"clear-totals", "--scale", "Весы", "--plu", "3", "--yes"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "Итог продаж по товару № 3 обнулен. (Это не приводит к стиранию суммарных итогов по всем "
                     "товарам.)\n");
    EXPECT_EQ(scale.state().plu.at(3).sum, 0u);
    EXPECT_EQ(scale.state().plu.at(7).sum, 5u);

    r = cli(dir, {"clear-totals", "--scale", "Весы", "--grand", "--yes"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(scale.state().totals.grandSum, 0);
    EXPECT_EQ(scale.state().plu.at(7).sum, 5u);

    r = cli(dir, {"clear-totals", "--scale", "Весы", "--all-plu", "--yes"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(scale.state().plu.at(7).sum, 0u);

    EXPECT_EQ(cli(dir, {"clear-totals", "--scale", "Весы", "--grand", "--plu", "3"}).status, 2);
    EXPECT_EQ(cli(dir, {"clear-totals", "--scale", "Весы"}).status, 2);
    EXPECT_EQ(cli(dir, {"clear-totals", "--scale", "Весы", "--plu", "0", "--yes"}).status, 2);
}

TEST(CliReports, PrintWritesThePdfWithoutADisplay)
{
    qmtest::EmuProcess scale;
    ReportDir dir(scale);
    // A service has no display: the command must not need one.
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    ::unsetenv("QT_QPA_PLATFORM");

    qm::Table products = qm::makeTable(qm::productLayout());
    std::vector<qm::Row> rows(100, qm::Row(qm::kProductColumns, "1"));
    products.setDataRows(rows);
    std::ofstream(dir.path / "p.pl6", std::ios::binary) << qm::cellFileBytes(products);
    auto r = cli(dir, {"print", "p.pl6", "--pdf", "p.pdf"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "Страниц: 3, файл p.pdf записан.\n");
    EXPECT_EQ(qmtest::fileText(dir.path / "p.pdf").substr(0, 5), "%PDF-");

    qm::ReportTotals totals;
    totals.fill("1");
    ASSERT_FALSE(qm::saveReportFile(dir.path / "r.acc", totals, qm::makeTable(qm::reportLayout())));
    r = cli(dir, {"print", "r.acc", "--pdf", "r.pdf"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "Страниц: 1, файл r.pdf записан.\n");

    EXPECT_EQ(cli(dir, {"print", "missing.msg", "--pdf", "m.pdf"}).status, 1);
    EXPECT_FALSE(fs::exists(dir.path / "m.pdf"));
    EXPECT_EQ(cli(dir, {"print", "p.txt", "--pdf", "t.pdf"}).status, 1);
    EXPECT_EQ(cli(dir, {"print", "p.pl6"}).status, 2);
}
