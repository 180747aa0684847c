// "Экспорт в CSV" and "Импорт из CSV" with a scripted person: the save-first question, the
// dialogs, the modified flag, and a table that a refused file leaves alone.

#include <gtest/gtest.h>

#include "FilesTestSupport.h"
#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "config/ConfigTable.h"
#include "files/FileCommands.h"
#include "messages/MessageCheck.h"
#include "products/PluCheck.h"

namespace qm
{
namespace
{

using CsvCommands = test::FileCommandTest;

TEST_F(CsvCommands, ExportWritesTheTableAndLeavesTheFlag)
{
    const Table t = products(2);
    choose("prices.csv");
    EXPECT_EQ(exportCsv(ctx, t), Outcome::Done);
    ASSERT_EQ(chooser.shown.size(), 1u);
    EXPECT_EQ(chooser.shown[0].name, "CsvSaveDialog");
    EXPECT_EQ(chooser.shown[0].initialName, "noname01");
    EXPECT_EQ(chooser.shown[0].directory, dir.path());
    const std::string bytes = test::readAll(dir / "prices.csv");
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(bytes.find("\r\n2;name2;;100;5;0;1;2;0;0;\r\n"), std::string::npos);

    cancelDialog();
    EXPECT_EQ(exportCsv(ctx, t), Outcome::Cancelled);
    choose((dir / "missing" / "a.csv").string());
    EXPECT_EQ(exportCsv(ctx, t), Outcome::Failed);
    ASSERT_EQ(feedback.messages.size(), 1u);
    EXPECT_NE(feedback.messages[0].find("missing"), std::string::npos);
}

TEST_F(CsvCommands, ImportReplacesTheTableAndSetsTheFlag)
{
    test::writeAll(dir / "in.csv", "№ PLU;Наименование 1;Цена,коп.;Срок хранения;Вес тары;Код товара;Код группы;"
                                   "№ Сообщения;Логотип\n7;Масло;25000;30;0;1;2;0;0\n");
    Table t = products(3);
    bool modified = false;
    choose("in.csv");
    EXPECT_EQ(importProductCsv(ctx, t, modified, productRowFailure), Outcome::Done);
    EXPECT_TRUE(modified); // the table is kept in no table file yet
    ASSERT_EQ(t.lastRow(), 1);
    EXPECT_EQ(t.cell(1, 1), cp("Масло"));
    EXPECT_EQ(t.cell(1, 3), "25000");
    EXPECT_EQ(chooser.shown.back().name, "CsvOpenDialog");
    EXPECT_TRUE(feedback.questions.empty()); // nothing unsaved, nothing asked
    ASSERT_FALSE(feedback.cursor.empty());
    EXPECT_EQ(feedback.cursor.back(), (qmtest::Cursor{TableId::Products, 1, 0}));
}

TEST_F(CsvCommands, SaveFirstQuestionAsForOpening)
{
    test::writeAll(dir / "in.csv", "1;msg\r\n");
    Table m = makeTable(messageLayout());
    m.setCell(1, 0, "5");
    bool modified = true;

    feedback.answers = {Answer::Cancel};
    EXPECT_EQ(importMessageCsv(ctx, m, modified, messageRowFailure), Outcome::Cancelled);
    EXPECT_EQ(m.cell(1, 0), "5");
    EXPECT_TRUE(modified);
    EXPECT_TRUE(chooser.shown.empty());
    ASSERT_EQ(feedback.questions.size(), 1u);
    EXPECT_EQ(feedback.questions[0],
              "Будет открыт новый список сообщений.\r\nВ таблице  были изменения.\r\nСохранить ?");

    // Yes saves the table first, as a .msg file; then the sheet replaces it.
    feedback.answers = {Answer::Yes};
    choose("kept.msg");
    choose("in.csv");
    EXPECT_EQ(importMessageCsv(ctx, m, modified, messageRowFailure), Outcome::Done);
    EXPECT_EQ(test::readAll(dir / "kept.msg").substr(0, 3), "5\r\n");
    EXPECT_EQ(m.cell(1, 1), "msg");
    EXPECT_TRUE(modified);
}

TEST_F(CsvCommands, CancelledOrRefusedImportKeepsTableAndFlag)
{
    Table c = makeTable(configLayout());
    c.setRow(1, {"1", "Весы", "", "1", "COM1", "9600", "", "", ""});
    const Table before = c;
    bool modified = true;

    // No lets the changes go only once a file replaces them: a cancelled dialog keeps the flag.
    feedback.answers = {Answer::No};
    cancelDialog();
    EXPECT_EQ(importConfigCsv(ctx, c, modified, configRowFailure), Outcome::Cancelled);
    EXPECT_EQ(c, before);
    EXPECT_TRUE(modified);

    // A file with wrong rows: every one is shown, nothing is taken.
    test::writeAll(dir / "bad.csv", "1;A;;0;COM1;9600\r\n2;B;;1;COM1;9600\r\n3;C;;1;COM99;9600\r\n");
    feedback.answers = {Answer::No};
    choose("bad.csv");
    EXPECT_EQ(importConfigCsv(ctx, c, modified, configRowFailure), Outcome::Failed);
    EXPECT_EQ(c, before);
    EXPECT_TRUE(modified);
    ASSERT_EQ(feedback.messages.size(), 1u);
    const std::string& report = feedback.messages[0];
    EXPECT_NE(report.find("Строк с ошибками: 2."), std::string::npos) << report;
    EXPECT_NE(report.find("\r\nСтрока 1, столбец \"Номер весов\": " + configErrorMessage(1)), std::string::npos);
    EXPECT_NE(report.find("\r\nСтрока 3, столбец \"Подключение\": " + configErrorMessage(2)), std::string::npos);

    // A table saved by Yes is clean even when the import is then refused.
    feedback.answers = {Answer::Yes};
    choose("saved.cfl");
    choose("bad.csv");
    EXPECT_EQ(importConfigCsv(ctx, c, modified, configRowFailure), Outcome::Failed);
    EXPECT_FALSE(modified);
    EXPECT_EQ(c, before);
}

TEST_F(CsvCommands, ABoxListsAtMostTwentyFiveWrongRecords)
{
    std::string sheet;
    for (int i = 0; i < 40; ++i)
        sheet += "0;x\r\n";
    test::writeAll(dir / "many.csv", sheet);
    Table m = makeTable(messageLayout());
    bool modified = false;
    choose("many.csv");
    EXPECT_EQ(importMessageCsv(ctx, m, modified, messageRowFailure), Outcome::Failed);
    ASSERT_EQ(feedback.messages.size(), 1u);
    const std::string& report = feedback.messages[0];
    EXPECT_NE(report.find("Строк с ошибками: 40."), std::string::npos);
    EXPECT_NE(report.find("\r\nСтрока 25,"), std::string::npos);
    EXPECT_EQ(report.find("\r\nСтрока 26,"), std::string::npos);
    EXPECT_NE(report.find("\r\nИ еще ошибок: 15."), std::string::npos);
}

} // namespace
} // namespace qm
