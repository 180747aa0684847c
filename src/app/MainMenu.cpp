#include "app/MainMenu.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QShortcut>
#include <QTabWidget>
#include <iterator>
#include <vector>

namespace qm::app
{

namespace
{

// The tabs in their order on the page control.
enum Tab { Products = 0, Messages = 1, Config = 4, Tests = 5, Logo = 7, Reports = 8, NoTab = -1 };

struct HelpButton {
    const char* button;
    const char* keyword;
};

const HelpButton kHelpButtons[] = {
    {"SpeedButton41", "Таблица товаров"},
    {"SpeedButton88", "Виртуальная синхронизация данных"},
    {"SpeedButton64", "Таблица сообщений"},
    {"SpeedButton11", "Форматы этикеток"},
    {"SpeedButton12", "Форматы штрих-кода"},
    {"SpeedButton87", "Авторежим загрузки"},
    {"SpeedButton76", "Таблица конфигурации"},
    {"SpeedButton84", "Тесты"},
    {"SpeedButton7", "Логотип"},
    {"SpeedButton23", "Отчеты"},
};

const char* const kContents = "Содержание";

// The help topic of each tab, in the tabs' order: what F1 opens on it.
const char* const kTabTopics[] = {
    "Таблица товаров", "Таблица сообщений", "Настройки", "Авторежим загрузки", "Таблица конфигурации", "Тесты",
    "Состояние весов", "Логотип",           "Отчеты",    "Установки VORTA",
};

const char* keywordOf(const char* button)
{
    for (const HelpButton& h : kHelpButtons)
        if (QLatin1String(h.button) == QLatin1String(button))
            return h.keyword;
    return kContents;
}

enum class Kind { Buttons, SelectTab, Help, Close };

// One item: its path ("Файл/Новый/Список товаров"), handler name, what it does, the tab it
// selects first, and the buttons it clicks in order (or, for help, the help button it stands for).
struct Item {
    const char* path;
    const char* name;
    Kind kind;
    int tab;
    std::vector<const char*> buttons;
};

const std::vector<Item>& items()
{
    static const std::vector<Item> table = {
        {"Файл/Новый/Список товаров", "N5", Kind::Buttons, Products, {"SpeedButton8"}},
        {"Файл/Новый/Список сообщений", "N6", Kind::Buttons, Messages, {"SpeedButton43"}},
        {"Файл/Новый/Рисунок логотипа", "N15", Kind::Buttons, Logo, {"SpeedButton1"}},
        {"Файл/Открыть/Список товаров", "N8", Kind::Buttons, Products, {"SpeedButton9"}},
        {"Файл/Открыть/Список сообщений", "N9", Kind::Buttons, Messages, {"SpeedButton44"}},
        {"Файл/Открыть/Рисунок логотипа", "N14", Kind::Buttons, Logo, {"SpeedButton2"}},
        {"Файл/Сохранить/Список товаров", "N11", Kind::Buttons, NoTab, {"SpeedButton10"}},
        {"Файл/Сохранить/Список сообщений", "N12", Kind::Buttons, NoTab, {"SpeedButton45"}},
        {"Файл/Сохранить/Таблицу конфигурации", "N32", Kind::Buttons, NoTab, {"SpeedButton67"}},
        {"Файл/Сохранить/Рисунок логотипа", "N13", Kind::Buttons, NoTab, {"SpeedButton3"}},
        {"Файл/Сохранить/Таблицу отчетов", "N31", Kind::Buttons, NoTab, {"SpeedButton15"}},
        {"Файл/Сохранить/Все",
         "N17",
         Kind::Buttons,
         NoTab,
         {"SpeedButton10", "SpeedButton45", "SpeedButton67", "SpeedButton3", "SpeedButton15"}},
        {"Файл/Экспорт в CSV/Список товаров", "CsvExport1", Kind::Buttons, NoTab, {"SpeedButton100"}},
        {"Файл/Экспорт в CSV/Список сообщений", "CsvExport2", Kind::Buttons, NoTab, {"SpeedButton102"}},
        {"Файл/Экспорт в CSV/Таблицу конфигурации", "CsvExport3", Kind::Buttons, NoTab, {"SpeedButton104"}},
        {"Файл/Импорт из CSV/Список товаров", "CsvImport1", Kind::Buttons, Products, {"SpeedButton101"}},
        {"Файл/Импорт из CSV/Список сообщений", "CsvImport2", Kind::Buttons, Messages, {"SpeedButton103"}},
        {"Файл/Импорт из CSV/Таблицу конфигурации", "CsvImport3", Kind::Buttons, Config, {"SpeedButton105"}},
        {"Файл/Печать/Таблица товаров", "N18", Kind::Buttons, NoTab, {"SpeedButton24"}},
        {"Файл/Печать/Таблица сообщений", "N19", Kind::Buttons, NoTab, {"SpeedButton46"}},
        {"Файл/Печать/Таблица отчетов", "N21", Kind::Buttons, NoTab, {"SpeedButton16"}},
        {"Файл/Печать/Таблица конфигурации", "N33", Kind::Buttons, NoTab, {"SpeedButton68"}},
        {"Файл/Выход", "N20", Kind::Close, NoTab, {}},
        {"Редактор/Таблица товаров", "N30", Kind::SelectTab, Products, {}},
        {"Редактор/Таблица сообщений", "N34", Kind::SelectTab, Messages, {}},
        {"Редактор/Таблица конфигурации", "N35", Kind::SelectTab, Config, {}},
        {"Редактор/Логотип", "N36", Kind::SelectTab, Logo, {}},
        {"Подключения/Сравнить с весами/Таблица товаров",
         "CompareProducts",
         Kind::Buttons,
         Products,
         {"SpeedButton110"}},
        {"Подключения/Сравнить с весами/Таблица сообщений",
         "CompareMessages",
         Kind::Buttons,
         Messages,
         {"SpeedButton111"}},
        {"Подключения/Тестирование", "N37", Kind::SelectTab, Tests, {}},
        {"Подключения/Резервная копия весов…", "N49", Kind::Buttons, Tests, {"SpeedButton112"}},
        {"Подключения/Восстановить из копии…", "N50", Kind::Buttons, Tests, {"SpeedButton113"}},
        {"Отчеты/Прочитать/По всем PLU-товарам", "PLU1", Kind::Buttons, Reports, {"SpeedButton17"}},
        {"Отчеты/Прочитать/По выбранному PLU-товару", "PLU2", Kind::Buttons, Reports, {"SpeedButton18"}},
        {"Отчеты/Прочитать/По всем итогам продаж", "N25", Kind::Buttons, Reports, {"SpeedButton19"}},
        {"Отчеты/Удалить/По всем PLU-товарам", "PLU3", Kind::Buttons, Reports, {"SpeedButton20"}},
        {"Отчеты/Удалить/По выбранному PLU-товару", "N26", Kind::Buttons, Reports, {"SpeedButton21"}},
        {"Отчеты/Удалить/По всем итогам продаж", "N27", Kind::Buttons, Reports, {"SpeedButton22"}},
        {"Справка/Все функции программы        F1", "N29", Kind::Help, NoTab, {}},
        {"Справка/Таблица товаров", "N38", Kind::Help, NoTab, {"SpeedButton41"}},
        {"Справка/Таблица сообщений", "N39", Kind::Help, NoTab, {"SpeedButton64"}},
        {"Справка/Виртуальная синхронизация", "N40", Kind::Help, NoTab, {"SpeedButton88"}},
        {"Справка/Форматы этикетки", "N41", Kind::Help, NoTab, {"SpeedButton11"}},
        {"Справка/Форматы штрих-кода", "N42", Kind::Help, NoTab, {"SpeedButton12"}},
        {"Справка/Автозагрузка", "N43", Kind::Help, NoTab, {"SpeedButton87"}},
        {"Справка/Таблица конфигурации", "N44", Kind::Help, NoTab, {"SpeedButton76"}},
        {"Справка/Тесты", "N45", Kind::Help, NoTab, {"SpeedButton84"}},
        {"Справка/Логотип", "N46", Kind::Help, NoTab, {"SpeedButton7"}},
        {"Справка/Отчеты", "N47", Kind::Help, NoTab, {"SpeedButton23"}},
        {"Выход", "N48", Kind::Close, NoTab, {}},
    };
    return table;
}

QAbstractButton* button(QMainWindow& window, const char* name)
{
    return window.findChild<QAbstractButton*>(QString::fromLatin1(name));
}

// The submenu of a path, made on first use so that menus come in the order of the table.
QMenu* submenu(QMenuBar* bar, const QStringList& parts)
{
    QWidget* parent = bar;
    QMenu* menu = nullptr;
    for (const QString& part : parts) {
        QMenu* found = nullptr;
        for (QAction* action : parent->actions())
            if (action->menu() && action->text() == part)
                found = action->menu();
        if (!found) {
            found = new QMenu(part, parent);
            if (menu)
                menu->addMenu(found);
            else
                bar->addMenu(found);
        }
        menu = found;
        parent = found;
    }
    return menu;
}

void run(QMainWindow& window, QTabWidget* pages, const Item& item, const HelpCommand& help,
         const std::function<void()>& close)
{
    switch (item.kind) {
    case Kind::Close:
        close();
        return;
    case Kind::Help:
        help(QString::fromUtf8(item.buttons.empty() ? kContents : keywordOf(item.buttons.front())));
        return;
    case Kind::SelectTab:
    case Kind::Buttons:
        break;
    }
    if (item.tab != NoTab) {
        pages->setCurrentIndex(item.tab);
        QCoreApplication::processEvents();
    }
    for (const char* name : item.buttons)
        if (QAbstractButton* b = button(window, name); b && b->isEnabled())
            b->click();
}

} // namespace

void buildMainMenu(QMainWindow& window, QTabWidget* pages, const HelpCommand& help, const std::function<void()>& close)
{
    QMenuBar* bar = window.menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    for (const Item& item : items()) {
        QStringList parts = QString::fromUtf8(item.path).split(QLatin1Char('/'));
        const QString caption = parts.takeLast();
        auto* action = new QAction(caption, &window);
        action->setObjectName(QString::fromLatin1(item.name));
        if (parts.isEmpty())
            bar->addAction(action);
        else
            submenu(bar, parts)->addAction(action);
        QObject::connect(action, &QAction::triggered, &window,
                         [&window, pages, &item, help, close] { run(window, pages, item, help, close); });
        if (item.kind == Kind::Buttons) {
            // Live only while every button it clicks is there and enabled.
            const auto refresh = [&window, &item, action] {
                bool live = true;
                for (const char* name : item.buttons) {
                    QAbstractButton* b = button(window, name);
                    live = live && b && b->isEnabled();
                }
                action->setEnabled(live);
            };
            refresh();
            QObject::connect(submenu(bar, parts), &QMenu::aboutToShow, action, refresh);
        }
    }
}

QString tabHelpKeyword(int tab)
{
    if (tab < 0 || tab >= static_cast<int>(std::size(kTabTopics)))
        return QString::fromUtf8(kContents);
    return QString::fromUtf8(kTabTopics[tab]);
}

void bindHelpButtons(QMainWindow& window, QTabWidget* pages, const HelpCommand& help)
{
    for (const HelpButton& h : kHelpButtons)
        if (QAbstractButton* b = button(window, h.button))
            QObject::connect(b, &QAbstractButton::clicked, &window,
                             [help, keyword = QString::fromUtf8(h.keyword)] { help(keyword); });
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), &window);
    f1->setObjectName(QStringLiteral("HelpShortcut"));
    QObject::connect(f1, &QShortcut::activated, &window,
                     [help, pages] { help(tabHelpKeyword(pages ? pages->currentIndex() : -1)); });
}

} // namespace qm::app
