// "Экспорт в CSV" and "Импорт из CSV" on the tabs "Товары", "Сообщения" and "Конфигурация":
// the buttons, a sheet into the grid and back out, and a refused sheet that changes nothing.

#include <QAction>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "WindowRig.h"
#include "app/StringGrid.h"
#include "app/TForm1.h"
#include "app/tabs/ConfigTab.h"
#include "app/tabs/MessagesTab.h"
#include "app/tabs/ProductsTab.h"
#include "common/Cp1251.h"

using namespace qm::app;
using namespace apptest;

namespace
{

class CsvButtons : public apptest::WindowRig
{
};

TEST_F(CsvButtons, EveryTableTabHasBoth)
{
    // Export and import of products, messages and configuration.
    const std::pair<const char*, const char*> buttons[] = {{"SpeedButton100", "SpeedButton101"},
                                                           {"SpeedButton102", "SpeedButton103"},
                                                           {"SpeedButton104", "SpeedButton105"}};
    for (const auto& [exportName, importName] : buttons) {
        const char* table = exportName;
        auto* exportButton = find<QToolButton>(&form, exportName);
        auto* importButton = find<QToolButton>(&form, importName);
        EXPECT_EQ(exportButton->toolTip(), QStringLiteral("Экспорт в CSV")) << table;
        EXPECT_EQ(importButton->toolTip(), QStringLiteral("Импорт из CSV")) << table;
        EXPECT_FALSE(exportButton->icon().isNull());
        EXPECT_FALSE(importButton->icon().isNull());
    }
}

TEST_F(CsvButtons, ImportIntoTheGridAndExportItAgain)
{
    StringGrid* grid = form.productsTab()->grid();
    bool& modified = form.context().state().productsModified;
    writeFile(dir / "in.csv", "\"Цена,коп.\",№ PLU,Наименование 1,Срок хранения,Вес тары,Код товара,Код группы,"
                              "№ Сообщения,Логотип\r\n"
                              "1500,3,\"Сыр \"\"Российский\"\"\",10,0,1,2,0,0\r\n");
    grid->setCurrentCell(1, 4);
    dialogs.files = {qm::ChosenFile{dir / "in.csv", 1}};
    click("SpeedButton101");
    EXPECT_EQ(dialogs.shownNames(), std::vector<std::string>{"CsvOpenDialog"});
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front();
    const qm::Table& table = grid->tableModel()->table();
    EXPECT_EQ(table.cell(1, 0), "3");
    EXPECT_EQ(table.cell(1, 1), qm::cp("Сыр \"Российский\""));
    EXPECT_EQ(table.cell(1, 3), "1500");
    EXPECT_TRUE(modified);
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_EQ(grid->currentCol(), 0);

    dialogs.files = {qm::ChosenFile{dir / "out.csv", 1}};
    click("SpeedButton100");
    EXPECT_TRUE(modified); // an export keeps the table in no table file
    EXPECT_NE(readFile(dir / "out.csv").find("\r\n3;\"Сыр \"\"Российский\"\"\";;1500;10;0;1;2;0;0;\r\n"),
              std::string::npos);
}

TEST_F(CsvButtons, TheFileMenuRunsTheButtons)
{
    writeFile(dir / "m.csv", "№ MSG;Первая строка\r\n9;Из меню\r\n");
    dialogs.files = {qm::ChosenFile{dir / "m.csv", 1}};
    auto* action = form.findChild<QAction*>(QStringLiteral("CsvImport2"));
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QStringLiteral("Список сообщений"));
    action->trigger();
    // The tab of the table that is replaced comes to the front first.
    EXPECT_EQ(find<QTabWidget>(&form, "PageControl1")->currentWidget(), form.messagesTab());
    EXPECT_EQ(form.messagesTab()->grid()->tableModel()->table().cell(1, 1), qm::cp("Из меню"));

    dialogs.files = {qm::ChosenFile{dir / "c.csv", 1}};
    form.findChild<QAction*>(QStringLiteral("CsvExport3"))->trigger();
    EXPECT_EQ(dialogs.shownNames().back(), "CsvSaveDialog");
    EXPECT_NE(readFile(dir / "c.csv").find("Название весов"), std::string::npos);
}

TEST_F(CsvButtons, ARefusedSheetChangesNothing)
{
    StringGrid* grid = form.configTab()->grid();
    qm::Table before = grid->tableModel()->table();
    before.setRow(1, {"1", qm::cp("Весы"), "", "1", "COM1", "9600", "", "", ""});
    grid->tableModel()->setTable(before);
    writeFile(dir / "bad.csv", "1;A;;1;COM1;9600\r\n2;B;;1;COM1;1200\r\n");
    dialogs.files = {qm::ChosenFile{dir / "bad.csv", 1}};
    click("SpeedButton105");
    EXPECT_EQ(grid->tableModel()->table(), before);
    EXPECT_FALSE(form.context().state().configModified);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find("\r\nСтрока 2, столбец \"Скорость\": "), std::string::npos)
        << dialogs.messages[0];
}

} // namespace
