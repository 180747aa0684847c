#pragma once
// What a tab that works on a scale is built from. The tab owns one as a member and keeps in its
// own file only what is its own (its table, fields, handlers and their domain calls):
//
//     m_scale.addChooser(8);                              // `ComboBox8`, filled with the scale names
//     using Row = ToolRow<ProductsTab>;
//     m_scale.addCommands(this, {
//         {"SpeedButton8", "Создать новый список товаров", ToolIcon::New, &ProductsTab::SpeedButton8Click},
//         Row::gap(),
//         {"SpeedButton31", "Загрузить таблицу товаров в весы", ToolIcon::SendAll,
//          &ProductsTab::SpeedButton31Click, ToolKind::Scale},
//     });
//     layout->addLayout(m_scale.toolbar());
//     layout->addLayout(m_scale.addProgressRow("ProgressBar1", "Label65", "Button16"));
//     ...
//     m_scale.runOnScale([rows = m_grid->snapshot()](const ScaleLink& link) { sendProductTable(link, rows, ...); });
//
// Scale commands (tool buttons of kind Scale, the "Применить" buttons of the range dialogs) are
// registered with the runner, which disables them while any operation runs. The tab's table
// (useTable) is busy while one of its operations runs on it: the grid is read-only then, and the
// commands of kind Edit (those that change the table: new, open, import, row editing) are
// disabled until it is free again. The stop button of the progress row sets the stop flag; the
// row is hidden when idle.
//
// runOnScale hands the job a link to the chosen scale: the configuration table and the chooser
// text are copied when it is called. The job runs on the worker thread: it takes copies,
// QPointers and sinks, never a widget or the tab itself, and posts back to the window's thread
// (postTo, callOn of app/UiThread.h) for anything that touches a widget.

#include <QPointer>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "app/GuiFeedback.h"
#include "app/RangeDialog.h"
#include "app/ToolIcons.h"
#include "files/FileCommands.h"
#include "operation/ScaleOperation.h"

class QAbstractButton;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QToolButton;
class QWidget;

namespace qm::app
{

class AppContext;
class ChooserBox;
class StringGrid;

// A tool button that starts a scale operation waits while another one runs; one that changes the
// tab's table waits while an operation works on that table.
enum class ToolKind { Local, Edit, Scale };

// Whether an operation works on the tab's table (sends it, reads into it, moves its cursor), or
// leaves it aside (deletes in the scale): only the first makes the table busy.
enum class TableUse { Busy, Aside };

// One row of a tab's command table; a row without a name is the gap between two groups.
template <class Tab> struct ToolRow {
    const char* name = nullptr; // the component name
    const char* hint = nullptr; // UTF-8
    ToolIcon icon{};
    void (Tab::*handler)() = nullptr;
    ToolKind kind = ToolKind::Local;

    static ToolRow gap() { return {}; }
};

// One captioned push button of a tab's command row ("Прочитать", "Изменить" ...).
template <class Tab> struct ButtonRow {
    const char* name = nullptr;    // the component name
    const char* caption = nullptr; // UTF-8
    const char* hint = nullptr;    // UTF-8; none when null
    void (Tab::*handler)() = nullptr;
    ToolKind kind = ToolKind::Local;
};

class ScaleTab
{
  public:
    using Work = std::function<void(const ScaleLink& link)>;
    // The opening steps of a range command; true when the range dialog may be shown.
    using Opening = std::function<bool(const ScaleLink& link)>;

    static constexpr int kToolGap = 8;

    ScaleTab(AppContext& context, QWidget* tab);
    ScaleTab(const ScaleTab&) = delete;
    ScaleTab& operator=(const ScaleTab&) = delete;

    AppContext& context() const { return m_context; }

    // The table the tab's operations work on, and that its Edit commands change.
    void useTable(StringGrid* grid);

    // `ComboBox<number>`, registered with the window's scale choosers.
    ChooserBox* addChooser(int number);
    ChooserBox* chooser() const { return m_chooser; }

    // The command row; it ends with a stretch, and everything added goes before it.
    QHBoxLayout* toolbar() const { return m_toolbar; }
    template <class Tab> void addCommands(Tab* owner, std::initializer_list<ToolRow<Tab>> rows);
    QToolButton* addCommand(const QString& name, const QString& hint, ToolIcon icon, std::function<void()> handler,
                            ToolKind kind = ToolKind::Local);
    // A captioned push button on the command row ("Прочитать", "Изменить" ...).
    QPushButton* addButton(const QString& name, const QString& caption, const QString& hint,
                           std::function<void()> handler, ToolKind kind = ToolKind::Local);
    template <class Tab> void addButtons(Tab* owner, std::initializer_list<ButtonRow<Tab>> rows);
    // The font button of a table (`hint` UTF-8), the help button "Помощь" (the window's help
    // command wires it).
    void addFontButton(const char* name, const char* hint, StringGrid* grid);
    void addHelpButton(const char* name);
    void addGap(int width = kToolGap);
    void addToolWidget(QWidget* widget);

    // The progress row (bar, counter "0", stop button "Остановить"), hidden when idle; the tab
    // places the returned row in its layout.
    QHBoxLayout* addProgressRow(const QString& barName, const QString& counterName, const QString& stopName);
    // Progress controls the tab placed itself; the stop button sets the stop flag.
    void useProgress(QProgressBar* bar, QLabel* counter, QPushButton* stop);
    TabProgress progress() const { return m_progress; }

    // Runs the work on the worker with the tab's progress controls; false while another
    // operation runs.
    bool runOnScale(Work work, TableUse use = TableUse::Busy) const;
    bool runOnScale(TabProgress progress, Work work, TableUse use = TableUse::Busy) const;

    // A "Ввод параметров" dialog whose "Применить" runs `apply` of the tab; the button is a
    // scale command.
    template <class Tab>
    std::unique_ptr<RangeDialog> makeRangeDialog(Tab* owner, RangeDialog::Setup setup, void (Tab::*apply)(int, int));
    // Runs the opening steps on the worker; when they pass, `dialog` is shown over the window.
    void openRangeDialog(Opening opening, RangeDialog* dialog, TableUse use = TableUse::Busy) const;

    // The context of a file command run on the window's thread.
    FileCommandContext fileContext(Feedback& feedback) const;

  private:
    std::unique_ptr<RangeDialog> registerRangeDialog(RangeDialog::Setup setup);
    // Connects a command of the row, registers it by its kind and places it before the stretch.
    void placeCommand(QAbstractButton* button, std::function<void()> handler, ToolKind kind);
    void addEditCommand(QWidget* control);
    void setEditCommandsEnabled(bool enabled);

    AppContext& m_context;
    QWidget* m_tab;
    QHBoxLayout* m_toolbar;
    ChooserBox* m_chooser = nullptr;
    QPointer<StringGrid> m_table;
    std::vector<QPointer<QWidget>> m_editCommands;
    TabProgress m_progress;
};

template <class Tab> void ScaleTab::addCommands(Tab* owner, std::initializer_list<ToolRow<Tab>> rows)
{
    for (const ToolRow<Tab>& row : rows) {
        if (!row.name) {
            addGap();
            continue;
        }
        addCommand(
            QString::fromLatin1(row.name), QString::fromUtf8(row.hint), row.icon,
            [owner, handler = row.handler] { (owner->*handler)(); }, row.kind);
    }
}

template <class Tab> void ScaleTab::addButtons(Tab* owner, std::initializer_list<ButtonRow<Tab>> rows)
{
    for (const ButtonRow<Tab>& row : rows)
        addButton(
            QString::fromLatin1(row.name), QString::fromUtf8(row.caption), QString::fromUtf8(row.hint),
            [owner, handler = row.handler] { (owner->*handler)(); }, row.kind);
}

template <class Tab>
std::unique_ptr<RangeDialog> ScaleTab::makeRangeDialog(Tab* owner, RangeDialog::Setup setup,
                                                       void (Tab::*apply)(int, int))
{
    setup.run = [owner = QPointer<Tab>(owner), apply](int first, int last) {
        if (owner)
            (owner.data()->*apply)(first, last);
    };
    return registerRangeDialog(std::move(setup));
}

} // namespace qm::app
