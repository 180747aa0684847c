// The main menu and the help, offscreen: the menus in their order, items reaching the buttons
// they stand for (tab first where they open or read), "Сохранить" / "Все" in its order, and
// the help opening at every keyword with every link inside it resolving.

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenuBar>
#include <QRegularExpression>
#include <QShortcut>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "WindowRig.h"
#include "app/HelpFiles.h"
#include "app/HelpWindow.h"
#include "app/TForm1.h"

using namespace qm::app;
using apptest::find;

namespace
{

class MainMenu : public apptest::WindowRig
{
  protected:
    QAction* item(const char* name) { return form.findChild<QAction*>(QString::fromLatin1(name)); }
    void trigger(const char* name)
    {
        QAction* action = item(name);
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }
};

QStringList titles(const QList<QAction*>& actions)
{
    QStringList out;
    for (QAction* a : actions)
        if (!a->isSeparator())
            out << a->text();
    return out;
}

} // namespace

TEST_F(MainMenu, MenusAndItemsInTheirOrder)
{
    QMenuBar* bar = form.menuBar();
    EXPECT_EQ(titles(bar->actions()), (QStringList{"Файл", "Редактор", "Подключения", "Отчеты", "Справка", "Выход"}));
    QMenu* file = bar->actions().front()->menu();
    EXPECT_EQ(titles(file->actions()),
              (QStringList{"Новый", "Открыть", "Сохранить", "Экспорт в CSV", "Импорт из CSV", "Печать", "Выход"}));
    QMenu* save = file->actions()[2]->menu();
    EXPECT_EQ(titles(save->actions()), (QStringList{"Список товаров", "Список сообщений", "Таблицу конфигурации",
                                                    "Рисунок логотипа", "Таблицу отчетов", "Все"}));
    QMenu* help = bar->actions()[4]->menu();
    EXPECT_EQ(help->actions().front()->text(), QStringLiteral("Все функции программы        F1"));
    // Every item that runs buttons finds them: no item is left without its command.
    for (const char* name :
         {"N5",         "N6",         "N15",        "N8",         "N9",  "N14", "N11",        "N12",
          "N32",        "N13",        "N31",        "N17",        "N18", "N19", "N21",        "N33",
          "PLU1",       "PLU2",       "N25",        "PLU3",       "N26", "N27", "CsvExport1", "CsvExport2",
          "CsvExport3", "CsvImport1", "CsvImport2", "CsvImport3", "N49", "N50"})
        EXPECT_TRUE(item(name) && item(name)->isEnabled()) << name;
}

TEST_F(MainMenu, ItemsSelectTheirTabAndRunTheButton)
{
    trigger("N35");
    EXPECT_EQ(form.pageControl()->currentIndex(), 4);
    trigger("N37");
    EXPECT_EQ(form.pageControl()->currentIndex(), 5);
    // "Открыть" / "Список сообщений": the tab first, then the open dialog (cancelled here).
    trigger("N9");
    EXPECT_EQ(form.pageControl()->currentIndex(), 1);
    EXPECT_EQ(dialogs.shownNames(), std::vector<std::string>{"MsgOpenDialog"});
    // The backup and the restore of "Подключения": the tests tab, whose chooser names the scale,
    // then their file dialogs.
    trigger("N49");
    trigger("N50");
    EXPECT_EQ(form.pageControl()->currentIndex(), 5);
    EXPECT_EQ(dialogs.shownNames(),
              (std::vector<std::string>{"MsgOpenDialog", "BackupSaveDialog", "BackupOpenDialog"}));
}

TEST_F(MainMenu, SaveAllShowsEveryDialogInOrderAndSavesNothingWhenCancelled)
{
    form.context().state().productsModified = true;
    trigger("N17");
    EXPECT_EQ(dialogs.shownNames(), (std::vector<std::string>{"PluSaveDialog", "MsgSaveDialog", "CfgSaveDialog",
                                                              "QmiSaveDialog", "AccSaveDialog"}));
    EXPECT_TRUE(form.context().state().productsModified);
    EXPECT_EQ(form.pageControl()->currentIndex(), 0); // the saves select no tab
}

TEST_F(MainMenu, HelpOpensAtTheKeywordOfEachButtonAndItem)
{
    const HelpFiles files(HelpFiles::findFolder());
    ASSERT_TRUE(files.valid());
    const std::pair<const char*, const char*> buttons[] = {
        {"SpeedButton41", "products.html"},
        {"SpeedButton88", "virtual-sync.html"},
        {"SpeedButton64", "messages.html"},
        {"SpeedButton11", "label-formats.html"},
        {"SpeedButton12", "barcode-formats.html"},
        {"SpeedButton76", "config.html"},
        {"SpeedButton87", "automode.html"},
        {"SpeedButton84", "tests.html"},
        {"SpeedButton7", "logo.html"},
        {"SpeedButton23", "reports.html"},
    };
    for (const auto& [button, page] : buttons) {
        auto* b = find<QAbstractButton>(&form, button);
        ASSERT_NE(b, nullptr) << button;
        b->click();
        ASSERT_NE(form.helpWindow(), nullptr);
        EXPECT_TRUE(form.helpWindow()->browser()->source().toLocalFile().endsWith(QLatin1String(page))) << button;
    }
    trigger("N29");
    EXPECT_TRUE(form.helpWindow()->browser()->source().toLocalFile().endsWith(QLatin1String("index.html")));
    trigger("N47");
    EXPECT_TRUE(form.helpWindow()->browser()->source().toLocalFile().endsWith(QLatin1String("reports.html")));
    // The search finds the pages that hold every word.
    form.helpWindow()->search(QStringLiteral("протокол автозагрузки"));
    EXPECT_GT(form.helpWindow()->results()->count(), 0);
    EXPECT_NE(form.helpWindow()->results()->item(0)->text(), QStringLiteral("Ничего не найдено"));
    form.helpWindow()->search(QStringLiteral("абракадабра"));
    EXPECT_EQ(form.helpWindow()->results()->item(0)->text(), QStringLiteral("Ничего не найдено"));
}

TEST_F(MainMenu, F1OpensTheHelpOfTheTabShown)
{
    const char* const pages[] = {"products.html", "messages.html", "settings.html", "automode.html", "config.html",
                                 "tests.html",    "status.html",   "logo.html",     "reports.html",  "vorta.html"};
    auto* f1 = form.findChild<QShortcut*>(QStringLiteral("HelpShortcut"));
    ASSERT_NE(f1, nullptr);
    EXPECT_EQ(f1->key(), QKeySequence(Qt::Key_F1));
    ASSERT_EQ(form.pageControl()->count(), static_cast<int>(std::size(pages)));
    for (int tab = 0; tab < form.pageControl()->count(); ++tab) {
        form.pageControl()->setCurrentIndex(tab);
        emit f1->activated();
        ASSERT_NE(form.helpWindow(), nullptr);
        EXPECT_TRUE(form.helpWindow()->browser()->source().toLocalFile().endsWith(QLatin1String(pages[tab]))) << tab;
    }
}

TEST(HelpPages, EveryTopicAndEveryLinkResolves)
{
    const HelpFiles files(HelpFiles::findFolder());
    ASSERT_TRUE(files.valid());
    for (const char* keyword :
         {"Содержание", "Таблица товаров", "Виртуальная синхронизация данных", "Таблица сообщений", "Форматы этикеток",
          "Форматы штрих-кода", "Авторежим загрузки", "Таблица конфигурации", "Тесты", "Логотип", "Отчеты"}) {
        const bool mapped = std::any_of(files.topics().begin(), files.topics().end(),
                                        [&](const HelpTopic& t) { return t.keyword == QString::fromUtf8(keyword); });
        EXPECT_TRUE(mapped) << keyword;
    }
    const QRegularExpression href(QStringLiteral("href=\"([^\"#:]*)(#([^\"]*))?\""));
    for (const QString& path : files.pages()) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        for (auto m = href.globalMatch(html); m.hasNext();) {
            const auto link = m.next();
            const QString target = link.captured(1).isEmpty() ? path : files.folder() + "/" + link.captured(1);
            SCOPED_TRACE((path + " -> " + link.captured(0)).toStdString());
            ASSERT_TRUE(QFile::exists(target));
            if (const QString anchor = link.captured(3); !anchor.isEmpty()) {
                QFile page(target);
                ASSERT_TRUE(page.open(QIODevice::ReadOnly));
                const QString text = QString::fromUtf8(page.readAll());
                EXPECT_TRUE(text.contains("name=\"" + anchor + "\"") || text.contains("id=\"" + anchor + "\""));
            }
        }
    }
}
