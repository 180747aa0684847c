#include "app/tabs/TestsTab.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

#include "app/AppContext.h"
#include "app/ChooserBox.h"
#include "app/Controls.h"
#include "app/FieldSink.h"
#include "app/GridSink.h"
#include "app/PortsPanel.h"
#include "app/ScaleChoosers.h"
#include "app/ScaleRunner.h"
#include "app/StringGrid.h"
#include "app/UiThread.h"
#include "app/UserDialogs.h"
#include "backup/BackupDialogs.h"
#include "backup/BackupTransfer.h"
#include "diagnostics/DiagnosticTexts.h"
#include "diagnostics/LinkTest.h"
#include "diagnostics/NumberDetection.h"

namespace qm::app
{

TestsTab::TestsTab(AppContext& context, QWidget* parent) : QWidget(parent), m_context(context), m_scale(context, this)
{
    m_grid = new StringGrid(QStringLiteral("StringGrid6"), testLayout(), makeTable(testLayout()), this);
    context.addGrid(TableId::Tests, m_grid);

    m_scale.addCommands(this,
                        {
                            {"SpeedButton80", "Протестировать выбранные весы", ToolIcon::TestLink,
                             &TestsTab::SpeedButton80Click, ToolKind::Scale},
                            {"SpeedButton81", "Протестировать список весов из конфигурации", ToolIcon::TestAll,
                             &TestsTab::SpeedButton81Click, ToolKind::Scale},
                            {"SpeedButton82", "Очистить таблицу теста", ToolIcon::Clear, &TestsTab::SpeedButton82Click},
                            {"SpeedButton112", "Резервная копия весов", ToolIcon::Save, &TestsTab::SpeedButton112Click,
                             ToolKind::Scale},
                            {"SpeedButton113", "Восстановить весы из резервной копии", ToolIcon::Open,
                             &TestsTab::SpeedButton113Click, ToolKind::Scale},
                        });
    m_scale.addFontButton("SpeedButton83", "Выбор шрифта таблицы", m_grid);
    m_scale.addHelpButton("SpeedButton84");
    m_scale.addGap(12);
    ChooserBox* chooser = m_scale.addChooser(11);
    m_scale.addToolWidget(makeLabel(QStringLiteral("Выбор весов"), this));
    m_scale.addToolWidget(chooser);

    m_port = new ChooserBox(QStringLiteral("ComboBox12"), this);
    for (int n = 1; n <= 16; ++n)
        m_port->addItem(QStringLiteral("COM%1").arg(n));
    m_port->selectIndex(1);
    m_speed = new ChooserBox(QStringLiteral("ComboBox13"), this);
    m_speed->addItems(
        {QStringLiteral("2400"), QStringLiteral("4800"), QStringLiteral("9600"), QStringLiteral("19200")});
    m_speed->selectIndex(2);
    m_number = makeFilteredEdit(QStringLiteral("Edit34"), QString::fromUtf8(diagnostictext::kNotDetermined),
                                KeyRule::Nothing, this);
    m_detect = makeButton(QStringLiteral("Button13"), QStringLiteral("Тест № весов"),
                          QStringLiteral("Определить номер весов"), this);
    connect(m_detect, &QPushButton::clicked, this, &TestsTab::Button13Click);
    context.runner().addScaleCommand(m_detect);
    m_stop = makeButton(QStringLiteral("Button14"), QStringLiteral("Стоп"),
                        QStringLiteral("Остановить процесс тестирования"), this);
    m_stop->setEnabled(false);
    connect(m_stop, &QPushButton::clicked, this, [&state = context.state()] { state.stop.store(true); });
    connect(&context.runner(), &ScaleRunner::busyChanged, m_stop, [stop = m_stop](bool busy) {
        if (!busy)
            stop->setEnabled(false);
    });
    m_bar = makeProgressBar(QStringLiteral("ProgressBar3"), this);
    m_probe = makeLabel(QString(), this, QStringLiteral("Label62"));
    m_probe->hide();
    // The stop button is not handed over: it is disabled when idle, never hidden.
    m_scale.useProgress(m_bar, m_probe, nullptr);

    auto* panel =
        new QGroupBox(QStringLiteral("Определение номера весов, подключенных к последовательному порту"), this);
    auto* grid = new QGridLayout(panel);
    grid->addWidget(makeLabel(QStringLiteral("(перед тестом желательно перезагрузить весы)"), panel), 0, 0, 1, 5);
    grid->addWidget(makeLabel(QStringLiteral("Выбор   порта"), panel), 1, 0);
    grid->addWidget(makeLabel(QStringLiteral("Скорость обмена"), panel), 1, 1);
    grid->addWidget(makeLabel(QStringLiteral("Номер весов"), panel), 1, 2);
    grid->addWidget(m_port, 2, 0);
    grid->addWidget(m_speed, 2, 1);
    grid->addWidget(m_number, 2, 2);
    grid->addWidget(m_detect, 2, 3);
    grid->addWidget(m_stop, 2, 4);
    grid->addWidget(m_bar, 3, 0, 1, 4);
    grid->addWidget(m_probe, 3, 4);
    // Room the window gains goes to an empty last column: the fields keep their natural widths.
    grid->setColumnStretch(5, 1);
    grid->setRowStretch(4, 1);

    m_ports = new PortsPanel(context, m_port, this);
    auto* lower = new QHBoxLayout;
    lower->addWidget(panel, 3);
    lower->addWidget(m_ports, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_scale.toolbar());
    layout->addWidget(m_grid, 1);
    layout->addLayout(lower);
}

void TestsTab::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_ports->refresh();
}

void TestsTab::SpeedButton82Click()
{
    m_grid->tableModel()->clearData();
    m_grid->setCurrentCell(1, 0);
    m_grid->setFocus();
}

void TestsTab::SpeedButton80Click()
{
    SpeedButton82Click();
    auto sink = std::make_shared<GridSink>(m_context, m_grid->tableModel());
    // The link test of one scale shows no progress.
    m_scale.runOnScale({}, [sink](const ScaleLink& link) { testChosenScale(link, *sink); });
}

void TestsTab::runStoppable(ScaleTab::Work work)
{
    if (m_scale.runOnScale({m_bar, m_probe, nullptr}, std::move(work)))
        m_stop->setEnabled(true);
}

void TestsTab::SpeedButton81Click()
{
    SpeedButton82Click();
    auto sink = std::make_shared<GridSink>(m_context, m_grid->tableModel());
    runStoppable([sink](const ScaleLink& link) { testAllScales(link.session, link.config, *sink); });
}

void TestsTab::Button13Click()
{
    const std::string port = m_port->text().toStdString();
    const std::string speed = m_speed->text().toStdString();
    auto found = std::make_shared<FieldSink<DetectedNumber>>(m_context, m_number, [field = m_number](auto& number) {
        field->setText(QString::fromStdString(detectedNumberText(number)));
    });
    runStoppable([found, port, speed](const ScaleLink& link) { detectScaleNumber(link.session, port, speed, *found); });
}

// The file is chosen first, on the window's thread, in the start folder (a relative name is taken
// from there); the backup or restore then runs on the chosen scale with the bar and the stop
// button of the tab.
std::optional<std::filesystem::path> TestsTab::chooseBackupFile(FileDialogSetup setup, bool forSaving)
{
    const std::filesystem::path& start = m_context.state().startDirectory;
    setup.directory = start;
    const auto chosen = forSaving ? m_context.dialogs().saveFile(setup) : m_context.dialogs().openFile(setup);
    if (!chosen)
        return std::nullopt;
    return chosen->path.is_relative() ? start / chosen->path : chosen->path;
}

void TestsTab::SpeedButton112Click()
{
    if (const auto path = chooseBackupFile(BackupSaveDialog(), true))
        runStoppable([path = *path](const ScaleLink& link) { backupScale(link, path); });
}

void TestsTab::SpeedButton113Click()
{
    if (const auto path = chooseBackupFile(BackupOpenDialog(), false))
        runStoppable([path = *path](const ScaleLink& link) { restoreScale(link, path); });
}

} // namespace qm::app
