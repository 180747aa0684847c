#pragma once
// The main menu `MainMenu1` and the help commands. Every menu item names the tool button whose
// command it runs (selecting that button's tab first where the item opens or reads something),
// so the menu holds no command of its own: an item whose button does not exist is shown
// disabled, and one whose button is disabled (a scale command while an operation runs) is too.

#include <QString>
#include <functional>

class QMainWindow;
class QTabWidget;

namespace qm::app
{

using HelpCommand = std::function<void(const QString& keyword)>;

// Builds the menu bar of the window; `close` runs for both "Выход" items.
void buildMainMenu(QMainWindow& window, QTabWidget* pages, const HelpCommand& help,
                   const std::function<void()>& close);

// Connects every help button of the tabs to the help at its keyword, and F1 to the topic of the
// tab shown (the menu's "Все функции программы" keeps "Содержание").
void bindHelpButtons(QMainWindow& window, QTabWidget* pages, const HelpCommand& help);

// The help keyword of tab `tab` of the page control; "Содержание" for no tab.
QString tabHelpKeyword(int tab);

} // namespace qm::app
