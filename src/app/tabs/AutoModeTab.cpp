#include "app/tabs/AutoModeTab.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <filesystem>
#include <mutex>

#include "app/AppContext.h"
#include "app/Controls.h"
#include "app/ScaleRunner.h"
#include "app/StringGrid.h"
#include "app/TableModel.h"
#include "app/UiThread.h"
#include "app/UserDialogs.h"
#include "app/WindowGeometry.h"
#include "autoload/AutoCycle.h"
#include "autoload/AutoloadTexts.h"
#include "autoload/CycleStart.h"
#include "autoload/LoadProtocol.h"
#include "link/ByteTrace.h"
#include "link/TComm.h"

namespace qm::app
{

namespace fs = std::filesystem;

namespace
{

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// The loads report from the threads of their ports; the lists and the beep live on the
// window's thread.
class TabReport : public LoadReport
{
  public:
    explicit TabReport(AutoModeTab* tab) : m_tab(tab) {}
    void loadBegins(const std::string& name) override
    {
        AutoModeTab* tab = m_tab;
        postTo(tab, [tab, name] { tab->loadBegins(name); });
    }
    void loadEnded(const LoadOutcome& outcome) override
    {
        AutoModeTab* tab = m_tab;
        postTo(tab, [tab, name = outcome.scaleName, entry = loadedEntry(outcome.scaleName, outcome.stamp),
                     loaded = outcome.loaded(),
                     error = outcome.protocolError] { tab->loadEnded(name, entry, loaded, error); });
    }

  private:
    AutoModeTab* m_tab; // outlives the cycle: the runner ends its job before the tabs go
};

// The snapshot folder is kept beside the window's geometry: the settings file's lines are fixed,
// and the configuration rows follow its last one.
const char* const kSnapshotKey = "automode/snapshotFolder";

QListWidget* makeList(const QString& name, bool sorted, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setSortingEnabled(sorted);
    return list;
}

} // namespace

AutoModeTab::AutoModeTab(AppContext& context, const QComboBox* logoChooser, QWidget* parent)
    : QWidget(parent), m_scale(context, this), m_logoChooser(logoChooser), m_timer(new QTimer(this)),
      m_cycleStop(std::make_shared<std::atomic<bool>>(false)), m_openUrl(&QDesktopServices::openUrl)
{
    m_timer->setObjectName(QStringLiteral("Timer1"));
    connect(m_timer, &QTimer::timeout, this, &AutoModeTab::Timer1Timer);

    m_scale.addCommands(
        this,
        {
            {"SpeedButton90", "Посмотреть файл протокола загрузки", ToolIcon::Open, &AutoModeTab::SpeedButton90Click},
            {"SpeedButton91", "Очистить файл протокола загрузки", ToolIcon::Clear, &AutoModeTab::SpeedButton91Click},
        });

    m_switch = makeButton(QStringLiteral("Button11"), text(autoloadtext::kSwitchOn),
                          text("Включить/выключить автоматический режим"), this);
    connect(m_switch, &QPushButton::clicked, this, &AutoModeTab::Button11Click);
    m_period = makeFilteredEdit(QStringLiteral("Edit33"), QStringLiteral("60"), KeyRule::Digits, this);
    m_period->setMaximumWidth(80);
    auto* periodRow = new QFormLayout;
    periodRow->addRow(makeLabel(text("Период опроса, сек"), this), m_period);
    auto* switchRow = new QHBoxLayout;
    switchRow->addWidget(m_switch);
    switchRow->addSpacing(16);
    switchRow->addLayout(periodRow);
    switchRow->addStretch(1);

    m_minimize = makeCheckBox(QStringLiteral("CheckBox19"), text("Минимизировать приложение после запуска авторежима"),
                              true, this);
    m_virtual = makeCheckBox(QStringLiteral("CheckBox23"), text("Использовать механизм виртуальной синхронизации"),
                             false, this);
    m_protocol = makeCheckBox(QStringLiteral("CheckBox24"), text("Вести протокол загрузки"), true, this);
    m_queue = makeCheckBox(QStringLiteral("CheckBox25"), text("Обрабатывать очередь файлов загрузки"), true, this);

    m_snapshots = makeEdit(QStringLiteral("EditSnapshotFolder"),
                           QSettings(windowGeometryFile(), QSettings::IniFormat).value(kSnapshotKey).toString(), this);
    m_snapshots->setToolTip(text("Перед загрузкой файла товаров ячейки, которые он перепишет, сохраняются в этой папке "
                                 "(<весы>-<дата>-<время>.pl6); пусто: без снимков"));
    connect(m_snapshots, &QLineEdit::editingFinished, this, [this] {
        QSettings(windowGeometryFile(), QSettings::IniFormat).setValue(kSnapshotKey, m_snapshots->text().trimmed());
    });
    auto* snapshotRow = new QFormLayout;
    snapshotRow->addRow(makeLabel(text("Папка снимков перед загрузкой"), this), m_snapshots);

    m_notLoaded = makeList(QStringLiteral("ListBox2"), true, this);
    m_loaded = makeList(QStringLiteral("ListBox3"), false, this);
    auto* clearNotLoaded =
        makeButton(QStringLiteral("Button9"), text("Очистить"), text("Очистить список непрогруженных весов"), this);
    auto* clearLoaded =
        makeButton(QStringLiteral("Button10"), text("Очистить"), text("Очистить список прогруженных весов"), this);
    connect(clearNotLoaded, &QPushButton::clicked, this, &AutoModeTab::Button9Click);
    connect(clearLoaded, &QPushButton::clicked, this, &AutoModeTab::Button10Click);
    auto* lists = new QGridLayout;
    lists->addWidget(makeLabel(text("Список непрогруженных весов"), this), 0, 0);
    lists->addWidget(makeLabel(text("Список прогруженных весов"), this), 0, 1);
    lists->addWidget(m_notLoaded, 1, 0);
    lists->addWidget(m_loaded, 1, 1);
    lists->addWidget(clearNotLoaded, 2, 0, Qt::AlignLeft);
    lists->addWidget(clearLoaded, 2, 1, Qt::AlignLeft);

    m_status = makeLabel(QString(), this, QStringLiteral("LabelAutoState"));

    m_scale.addHelpButton("SpeedButton87");
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_scale.toolbar());
    layout->addLayout(switchRow);
    for (QCheckBox* box : {m_minimize, m_virtual, m_protocol, m_queue})
        layout->addWidget(box);
    layout->addLayout(snapshotRow);
    layout->addLayout(lists, 1);
    layout->addWidget(m_status);

    ScaleRunner& runner = context.runner();
    connect(&runner, &ScaleRunner::finished, this, [this] {
        if (m_cycleRunning)
            cycleEnded();
        else if (m_cyclePending)
            startCycle();
    });
}

void AutoModeTab::setOptionsEnabled(bool enabled)
{
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_period, m_minimize, m_virtual, m_protocol, m_queue, m_snapshots})
        w->setEnabled(enabled);
}

void AutoModeTab::showStatus(const QString& status)
{
    m_status->setText(status);
}

bool AutoModeTab::switchOn(bool atStartUp)
{
    AppContext& context = m_scale.context();
    const auto seconds = periodSeconds(TableModel::toCp1251(m_period->text(), false).value_or(std::string()));
    if (!seconds) {
        context.state().autoMode = false;
        if (!atStartUp)
            context.dialogs().message(autoloadtext::kBadPeriod);
        return false;
    }
    m_switch->setText(text(autoloadtext::kSwitchOff));
    setOptionsEnabled(false);
    context.state().autoMode = true;
    m_cycleStop = std::make_shared<std::atomic<bool>>(false);
    if (m_minimize->isChecked())
        window()->setWindowState(window()->windowState() | Qt::WindowMinimized);
    // The first cycle comes one full period after switching on.
    m_timer->setInterval(*seconds * 1000);
    m_timer->start();
    showStatus(text("Автоматический режим включен: ожидание цикла загрузки."));
    return true;
}

void AutoModeTab::switchOff()
{
    m_switch->setText(text(autoloadtext::kSwitchOn));
    m_scale.context().state().autoMode = false;
    m_timer->stop();
    m_cyclePending = false;
    // A running cycle ends after its current record; none follows.
    m_cycleStop->store(true);
    setOptionsEnabled(true);
    showStatus(m_cycleRunning ? text("Цикл загрузки завершается после текущей записи.") : QString());
}

void AutoModeTab::switchOnAtStart()
{
    if (!switchOn(true) && window()->isMinimized())
        window()->setWindowState(window()->windowState() & ~Qt::WindowMinimized);
}

void AutoModeTab::Button11Click()
{
    if (m_scale.context().state().autoMode)
        switchOff();
    else
        switchOn(false);
}

void AutoModeTab::Timer1Timer()
{
    m_timer->stop();
    if (!m_scale.context().state().autoMode)
        return;
    if (m_scale.context().runner().busy()) {
        // A manual operation holds the port: the cycle comes when it ends.
        m_cyclePending = true;
        showStatus(text("Цикл загрузки ждет окончания выполняемой операции."));
        return;
    }
    startCycle();
}

void AutoModeTab::startCycle()
{
    m_cyclePending = false;
    AppContext& context = m_scale.context();
    if (!context.state().autoMode || m_cycleStop->load())
        return;
    CycleRequest request;
    request.config = context.grid(TableId::Config)->snapshot();
    request.load.startDirectory = context.state().startDirectory;
    request.load.options.virtualSync = m_virtual->isChecked();
    request.load.options.protocol = m_protocol->isChecked();
    request.load.options.queue = m_queue->isChecked();
    request.load.logoIndex = m_logoChooser->currentIndex();
    request.load.snapshotFolder = fs::path(m_snapshots->text().trimmed().toStdU16String());
    auto report = std::make_shared<TabReport>(this);
    request.load.report = report.get();
    std::shared_ptr<FileTrace> trace;
    if (!context.runner().tracePath().empty())
        trace = std::make_shared<FileTrace>(context.runner().tracePath());
    if (trace && trace->isOpen())
        request.trace = trace.get();
    request.stopRequested = [stop = m_cycleStop, appStop = &context.state().stop] {
        return stop->load() || appStop->load();
    };
    CycleStart cycle = prepareCycle(std::move(request), TComm::cycleLines());
    if (cycle.portsError) {
        // The next cycle tries again.
        showStatus(QString::fromStdString(*cycle.portsError).replace(QStringLiteral("\r\n"), QStringLiteral(" ")));
        m_timer->start();
        return;
    }
    context.state().stop.store(false);
    const bool started = context.runner().run(TabProgress{}, [setup = std::move(cycle.setup), report, trace](
                                                                 ScaleSession&, Feedback&) { runAutoCycle(setup); });
    if (!started) {
        m_cyclePending = true;
        return;
    }
    m_cycleRunning = true;
    context.runner().setBusyText(autoloadtext::kCycleRunning);
    showStatus(text("Идет цикл загрузки весов."));
}

void AutoModeTab::cycleEnded()
{
    m_cycleRunning = false;
    m_loading.clear();
    if (m_scale.context().state().autoMode && !m_cycleStop->load()) {
        // The period runs from the end of one cycle to the start of the next.
        m_timer->start();
        showStatus(text("Автоматический режим включен: ожидание цикла загрузки."));
    } else {
        showStatus(QString());
    }
    emit cycleFinished();
}

void AutoModeTab::loadBegins(const std::string& name)
{
    const QString entry = TableModel::toQString(name);
    if (m_notLoaded->findItems(entry, Qt::MatchExactly).isEmpty())
        m_notLoaded->addItem(entry);
    m_loading.append(entry);
    showStatus(text("Идет загрузка весов: ") + m_loading.join(QStringLiteral(", ")));
}

void AutoModeTab::loadEnded(const std::string& name, const std::string& entry, bool loaded,
                            const std::string& protocolError)
{
    m_loading.removeOne(TableModel::toQString(name));
    // Once, not at every load of every cycle, until a line goes in again.
    if (protocolError.empty()) {
        m_protocolWarned = false;
    } else if (!m_protocolWarned) {
        m_protocolWarned = true;
        m_scale.context().dialogs().error(protocolError);
    }
    if (m_cycleRunning)
        showStatus(text("Идет цикл загрузки весов."));
    if (!loaded) {
        QApplication::beep();
        return;
    }
    for (QListWidgetItem* item : m_notLoaded->findItems(TableModel::toQString(name), Qt::MatchExactly))
        delete item;
    m_loaded->addItem(TableModel::toQString(entry));
}

void AutoModeTab::Button9Click()
{
    m_notLoaded->clear();
}

void AutoModeTab::Button10Click()
{
    m_loaded->clear();
}

void AutoModeTab::SpeedButton90Click()
{
    const fs::path protocol = m_scale.context().state().startDirectory / kProtocolFileName;
    if (const auto error = createProtocolFile(m_scale.context().state().startDirectory)) {
        m_scale.context().dialogs().error(*error);
        return;
    }
    // The desktop's application for text files, without a shell command line.
    m_openUrl(QUrl::fromLocalFile(QString::fromStdString(protocol.string())));
}

void AutoModeTab::SpeedButton91Click()
{
    AppContext& context = m_scale.context();
    if (context.dialogs().ask(autoloadtext::kClearProtocolQuestion, Buttons::YesNo) != Answer::Yes)
        return;
    const fs::path protocol = context.state().startDirectory / kProtocolFileName;
    std::error_code ec;
    fs::remove(protocol, ec);
    if (ec)
        context.dialogs().message(autoloadtext::kProtocolNotDeleted + ec.message());
    else
        context.dialogs().message(autoloadtext::kProtocolDeleted);
    if (const auto error = createProtocolFile(context.state().startDirectory))
        context.dialogs().error(*error);
}

} // namespace qm::app
