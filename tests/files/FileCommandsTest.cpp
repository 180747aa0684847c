// New, open and save of the tables with a scripted person: save-first questions, dialogs, flags.

#include <gtest/gtest.h>

#include "FilesTestSupport.h"
#include "common/TableLayouts.h"
#include "files/FileCommands.h"
#include "files/FileIo.h"
#include "files/PluFile.h"
#include "files/TableFiles.h"

namespace qm
{
namespace
{

using qm::Answer;

using FileCommands = test::FileCommandTest;

TEST_F(FileCommands, SaveFirstYesThenCancelledDialogKeepsTheTable)
{
    Table t = products(3);
    bool modified = true;
    feedback.answers = {Answer::Yes};
    cancelDialog();
    EXPECT_EQ(newProductList(ctx, t, modified), Outcome::Cancelled);
    EXPECT_EQ(t, products(3));
    EXPECT_TRUE(modified);
    ASSERT_EQ(feedback.questions.size(), 1u);
    EXPECT_EQ(feedback.questions[0], "Будет открыт новый список товаров.\r\nВ таблице  были изменения.\r\nСохранить ?");

    // The same for open: the table is not emptied and no open dialog shows.
    feedback.answers = {Answer::Yes};
    cancelDialog();
    EXPECT_EQ(openProductList(ctx, t, modified, 0), Outcome::Cancelled);
    EXPECT_EQ(t, products(3));
    EXPECT_EQ(chooser.shown.size(), 2u);
    EXPECT_EQ(chooser.shown[1].name, "PluSaveDialog");
}

TEST_F(FileCommands, SaveFirstYesThenFailedSaveKeepsTheTable)
{
    Table m = makeTable(messageLayout());
    m.setCell(1, 0, "1");
    bool modified = true;
    feedback.answers = {Answer::Yes};
    choose((dir / "missing-dir" / "a.msg").string());
    EXPECT_EQ(newMessageList(ctx, m, modified), Outcome::Cancelled);
    EXPECT_EQ(m.cell(1, 0), "1");
    EXPECT_TRUE(modified);
    ASSERT_EQ(feedback.messages.size(), 1u);
    EXPECT_NE(feedback.messages[0].find("missing-dir"), std::string::npos);
}

TEST_F(FileCommands, SaveFirstAnswers)
{
    Table t = products(2);
    bool modified = true;
    feedback.answers = {Answer::Cancel};
    EXPECT_EQ(newProductList(ctx, t, modified), Outcome::Cancelled);
    EXPECT_EQ(t, products(2));
    EXPECT_TRUE(modified);

    feedback.answers = {Answer::No};
    EXPECT_EQ(newProductList(ctx, t, modified), Outcome::Done);
    EXPECT_EQ(t, makeTable(productLayout()));
    EXPECT_FALSE(modified);

    t = products(2);
    modified = true;
    feedback.answers = {Answer::Yes};
    choose("saved");
    EXPECT_EQ(newProductList(ctx, t, modified), Outcome::Done);
    EXPECT_FALSE(modified);
    EXPECT_EQ(t, makeTable(productLayout()));
    EXPECT_EQ(loadProductFile(dir / "saved.pl6", 0).table, products(2));

    // No question without the flag.
    feedback.questions.clear();
    EXPECT_EQ(newProductList(ctx, t, modified), Outcome::Done);
    EXPECT_TRUE(feedback.questions.empty());
}

TEST_F(FileCommands, ProductSaveAndOpenInBothFormats)
{
    const Table t = products(2);
    bool modified = true;
    choose("list.plu", 1); // a .plu name under the .pl6 filter
    EXPECT_EQ(saveProductList(ctx, t, modified), Outcome::Done);
    EXPECT_FALSE(modified);
    EXPECT_TRUE(std::filesystem::exists(dir / "list.plu.pl6"));
    EXPECT_EQ(chooser.shown.back().name, "PluSaveDialog");
    EXPECT_EQ(chooser.shown.back().initialName, "noname01");
    EXPECT_EQ(chooser.shown.back().defaultExtension, "pl6");
    EXPECT_EQ(chooser.shown.back().directory, dir.path());

    modified = true;
    choose("list", 2);
    EXPECT_EQ(saveProductList(ctx, t, modified), Outcome::Done);
    EXPECT_EQ(test::readAll(dir / "list.plu"), pluFileBytes(t));

    Table opened = makeTable(productLayout());
    bool openedModified = false;
    choose("list.plu.pl6");
    EXPECT_EQ(openProductList(ctx, opened, openedModified, 2), Outcome::Done);
    EXPECT_EQ(opened, t);
    EXPECT_EQ(feedback.cursor.back(), (qmtest::Cursor{TableId::Products, 1, 0}));

    choose("list.plu");
    EXPECT_EQ(openProductList(ctx, opened, openedModified, 2), Outcome::Done);
    EXPECT_EQ(opened.lastRow(), 2);
    EXPECT_EQ(opened.cell(2, 9), "2");
    EXPECT_FALSE(openedModified);
}

TEST_F(FileCommands, PluSaveAsksBeforeLosingData)
{
    Table t = products(2);
    t.setCell(2, 4, "311225"); // an expiry date does not fit three characters
    bool modified = true;
    feedback.answers = {Answer::No};
    choose("cut", 2);
    EXPECT_EQ(saveProductList(ctx, t, modified), Outcome::Cancelled);
    EXPECT_TRUE(modified);
    EXPECT_FALSE(std::filesystem::exists(dir / "cut.plu"));
    ASSERT_EQ(feedback.questions.size(), 1u);
    EXPECT_NE(feedback.questions[0].find("строках 2 "), std::string::npos);

    feedback.answers = {Answer::Yes};
    choose("cut", 2);
    EXPECT_EQ(saveProductList(ctx, t, modified), Outcome::Done);
    EXPECT_FALSE(modified);
    EXPECT_EQ(test::readAll(dir / "cut.plu").substr(kPluRecordSize + 70, 3), "311");
}

TEST_F(FileCommands, OpenCancelLeavesAnEmptyTableAndDamageIsReported)
{
    Table t = products(2);
    bool modified = false;
    cancelDialog();
    EXPECT_EQ(openProductList(ctx, t, modified, 0), Outcome::Cancelled);
    EXPECT_EQ(t, makeTable(productLayout()));
    EXPECT_FALSE(modified);

    // Capitals: read as .plu, and this text file is no whole record.
    test::writeAll(dir / "x.PL6", "1\r\nname\r\n");
    choose("x.PL6");
    EXPECT_EQ(openProductList(ctx, t, modified, 0), Outcome::Failed);
    ASSERT_EQ(feedback.messages.size(), 1u);
    EXPECT_NE(feedback.messages[0].find("x.PL6"), std::string::npos);
    EXPECT_EQ(t, makeTable(productLayout()));
}

TEST_F(FileCommands, ConfigurationFiles)
{
    Table c = makeTable(configLayout());
    c.setRow(1, {"1", "scale", "dep", "1", "COM1", "9600", "", "", ""});
    bool modified = true;
    choose("scales"); // the dialog adds its default extension; a bare name is kept as chosen
    EXPECT_EQ(saveConfigTable(ctx, c, modified), Outcome::Done);
    EXPECT_EQ(chooser.shown.back().filter, "конфигурация(*.cfl)|*.cfl");
    EXPECT_FALSE(modified);

    Table opened = makeTable(configLayout());
    modified = true;
    feedback.answers = {Answer::No};
    choose("scales");
    EXPECT_EQ(openConfigTable(ctx, opened, modified), Outcome::Done);
    EXPECT_EQ(opened, c);
    EXPECT_EQ(feedback.questions.back(),
              "Будет открыта новая таблица конфигураций.\r\nВ старой таблице были изменения.\r\nСохранить ?");
}

TEST_F(FileCommands, ReportFilesKeepTotalsOnNewAndReadThemOnOpen)
{
    ReportTotals totals;
    totals.fill("5");
    Table report = makeTable(reportLayout());
    report.setCell(1, 0, "3");
    bool modified = true;

    feedback.answers = {Answer::No};
    EXPECT_EQ(newReportTable(ctx, totals, report, modified), Outcome::Done);
    EXPECT_EQ(feedback.questions.back(),
              "Будет открыт новый список отчетов.\r\nВ таблице  были изменения.\r\nСохранить ?");
    EXPECT_EQ(totals[0], "5");
    EXPECT_EQ(report, makeTable(reportLayout()));

    report.setCell(1, 0, "3");
    choose("r.acc");
    EXPECT_EQ(saveReportTable(ctx, totals, report, modified), Outcome::Done);

    ReportTotals readTotals;
    Table readReport = makeTable(reportLayout());
    modified = true;
    feedback.answers = {Answer::No};
    choose("r.acc");
    EXPECT_EQ(openReportTable(ctx, readTotals, readReport, modified), Outcome::Done);
    EXPECT_EQ(feedback.questions.back(),
              "Будет открыта новая таблица отчетов.\r\nВ старой таблице были изменения.\r\nСохранить ?");
    EXPECT_EQ(readTotals, totals);
    EXPECT_EQ(readReport, report);
    EXPECT_FALSE(modified);
}

TEST_F(FileCommands, FailedSaveKeepsTheOldFileAndTheFlag)
{
    Table m = makeTable(messageLayout());
    m.setCell(1, 0, "old");
    bool modified = true;
    choose("m.msg");
    ASSERT_EQ(saveMessageList(ctx, m, modified), Outcome::Done);

    std::filesystem::create_directory(dir / "m2.msg"); // a directory where the file should go
    m.setCell(1, 0, "new");
    modified = true;
    choose("m2.msg");
    EXPECT_EQ(saveMessageList(ctx, m, modified), Outcome::Failed);
    EXPECT_TRUE(modified);
    EXPECT_EQ(test::readAll(dir / "m.msg").substr(0, 5), "old\r\n");
    EXPECT_EQ(test::entries(dir.path()), (std::vector<std::string>{"m.msg", "m2.msg"}));
}

TEST_F(FileCommands, PickScaleFileByExtension)
{
    Table c = makeTable(configLayout());
    c.setRowCount(3);
    choose("a.plu");
    EXPECT_TRUE(pickScaleFile(ctx, c, 2));
    EXPECT_EQ(c.cell(2, 6), (dir / "a.plu").string());
    EXPECT_EQ(chooser.shown.back().name, "PluMsgOpenDialog");
    choose("b.msg");
    EXPECT_TRUE(pickScaleFile(ctx, c, 2));
    EXPECT_EQ(c.cell(2, 7), (dir / "b.msg").string());
    choose("c.txt");
    EXPECT_FALSE(pickScaleFile(ctx, c, 2));
    choose("d.PLU");
    EXPECT_FALSE(pickScaleFile(ctx, c, 1));
    cancelDialog();
    EXPECT_FALSE(pickScaleFile(ctx, c, 1));
    EXPECT_EQ(c.cell(1, 6), "");
}

TEST(FileIo, AtomicSaveReplacesWholeAndLeavesNoTemporary)
{
    test::TempDir dir;
    test::writeAll(dir / "f", "old content");
    ASSERT_FALSE(saveFileAtomically(dir / "f", "new"));
    EXPECT_EQ(test::readAll(dir / "f"), "new");
    test::writeAll(dir / "f.tmp0", "someone else's");
    ASSERT_FALSE(saveFileAtomically(dir / "f", "newer"));
    EXPECT_EQ(test::readAll(dir / "f"), "newer");
    EXPECT_EQ(test::readAll(dir / "f.tmp0"), "someone else's");
    EXPECT_EQ(test::entries(dir.path()), (std::vector<std::string>{"f", "f.tmp0"}));

    const auto error = saveFileAtomically(dir / "no" / "f", "x");
    ASSERT_TRUE(error);
    EXPECT_NE(error->find((dir / "no" / "f").string()), std::string::npos);

    const FileRead missing = readFileBytes(dir / "none");
    EXPECT_TRUE(missing.error);
    const FileRead folder = readFileBytes(dir.path());
    EXPECT_TRUE(folder.error);
}

} // namespace
} // namespace qm
