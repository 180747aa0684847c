#include "app/ScaleTab.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

#include "app/AppContext.h"
#include "app/ChooserBox.h"
#include "app/Controls.h"
#include "app/ScaleRunner.h"
#include "app/StringGrid.h"
#include "app/UiThread.h"
#include "app/UserDialogs.h"

namespace qm::app
{

ScaleTab::ScaleTab(AppContext& context, QWidget* tab) : m_context(context), m_tab(tab)
{
    m_toolbar = new QHBoxLayout;
    m_toolbar->setSpacing(2);
    m_toolbar->addStretch(1);
}

void ScaleTab::useTable(StringGrid* grid)
{
    m_table = grid;
    QObject::connect(grid->tableModel(), &TableModel::busyChanged, m_tab,
                     [this](bool busy) { setEditCommandsEnabled(!busy); });
    setEditCommandsEnabled(!grid->tableModel()->busy());
}

void ScaleTab::addEditCommand(QWidget* control)
{
    m_editCommands.emplace_back(control);
    if (m_table && m_table->tableModel()->busy())
        control->setEnabled(false);
}

void ScaleTab::setEditCommandsEnabled(bool enabled)
{
    for (const QPointer<QWidget>& control : m_editCommands)
        if (control)
            control->setEnabled(enabled);
}

ChooserBox* ScaleTab::addChooser(int number)
{
    m_chooser = new ChooserBox(QStringLiteral("ComboBox%1").arg(number), m_tab);
    m_context.choosers().add(number, m_chooser);
    return m_chooser;
}

QToolButton* ScaleTab::addCommand(const QString& name, const QString& hint, ToolIcon icon,
                                  std::function<void()> handler, ToolKind kind)
{
    QToolButton* button = makeToolButton(name, hint, icon, m_tab);
    placeCommand(button, std::move(handler), kind);
    return button;
}

QPushButton* ScaleTab::addButton(const QString& name, const QString& caption, const QString& hint,
                                 std::function<void()> handler, ToolKind kind)
{
    QPushButton* button = makeButton(name, caption, hint, m_tab);
    placeCommand(button, std::move(handler), kind);
    return button;
}

void ScaleTab::placeCommand(QAbstractButton* button, std::function<void()> handler, ToolKind kind)
{
    // The tab is the receiver: the handler never runs once the tab is gone.
    QObject::connect(button, &QAbstractButton::clicked, m_tab, [handler = std::move(handler)] { handler(); });
    if (kind == ToolKind::Scale)
        m_context.runner().addScaleCommand(button);
    else if (kind == ToolKind::Edit)
        addEditCommand(button);
    addToolWidget(button);
}

void ScaleTab::addFontButton(const char* name, const char* hint, StringGrid* grid)
{
    addToolWidget(makeFontButton(QString::fromLatin1(name), QString::fromUtf8(hint), grid, m_context, m_tab));
}

void ScaleTab::addHelpButton(const char* name)
{
    addToolWidget(makeToolButton(QString::fromLatin1(name), QStringLiteral("Помощь"), ToolIcon::Help, m_tab));
}

void ScaleTab::addGap(int width)
{
    m_toolbar->insertSpacing(m_toolbar->count() - 1, width);
}

void ScaleTab::addToolWidget(QWidget* widget)
{
    m_toolbar->insertWidget(m_toolbar->count() - 1, widget);
}

QHBoxLayout* ScaleTab::addProgressRow(const QString& barName, const QString& counterName, const QString& stopName)
{
    const ProgressControls controls = makeProgressControls(barName, counterName, stopName, m_tab);
    useProgress(controls.bar, controls.counter, controls.stop);
    return controls.row;
}

void ScaleTab::useProgress(QProgressBar* bar, QLabel* counter, QPushButton* stop)
{
    m_progress = {bar, counter, stop};
    if (stop)
        QObject::connect(stop, &QPushButton::clicked, m_tab, [&state = m_context.state()] { state.stop.store(true); });
}

bool ScaleTab::runOnScale(Work work, TableUse use) const
{
    return runOnScale(m_progress, std::move(work), use);
}

bool ScaleTab::runOnScale(TabProgress progress, Work work, TableUse use) const
{
    const Table config = m_context.grid(TableId::Config)->snapshot();
    const std::string name = m_chooser ? ScaleChoosers::nameOf(*m_chooser) : std::string();
    if (m_context.runner().busy() && !m_context.runner().busyText().empty()) {
        m_context.dialogs().message(m_context.runner().busyText());
        return false;
    }
    TableModel* table = use == TableUse::Busy && m_table ? m_table->tableModel() : nullptr;
    return m_context.runner().run(
        progress,
        [config, name, work = std::move(work)](ScaleSession& session, Feedback&) {
            work(ScaleLink{session, config, name});
        },
        table);
}

std::unique_ptr<RangeDialog> ScaleTab::registerRangeDialog(RangeDialog::Setup setup)
{
    auto dialog = std::make_unique<RangeDialog>(m_context, std::move(setup));
    // While an operation runs, "Применить" waits like every other scale command.
    m_context.runner().addScaleCommand(dialog->applyButton());
    return dialog;
}

void ScaleTab::openRangeDialog(Opening opening, RangeDialog* dialog, TableUse use) const
{
    AppContext* context = &m_context;
    QPointer<QWidget> tab = m_tab;
    QPointer<RangeDialog> shown = dialog;
    runOnScale(
        [context, tab, shown, opening = std::move(opening)](const ScaleLink& link) {
            if (!opening(link))
                return;
            postTo(context, [tab, shown] {
                if (tab && shown)
                    shown->showFor(tab->window());
            });
        },
        use);
}

FileCommandContext ScaleTab::fileContext(Feedback& feedback) const
{
    return m_context.fileContext(feedback);
}

} // namespace qm::app
