#include "app/tabs/TestsTab.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/AppContext.h"
#include "app/ChooserBox.h"
#include "app/Controls.h"
#include "app/ScaleRunner.h"
#include "app/StringGrid.h"
#include "app/UiThread.h"
#include "diagnostics/LinkTest.h"

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
                            {"SpeedButton82", "Очистить таблицу теста", ToolIcon::Clear, &TestsTab::SpeedButton82Click},
                        });
    m_scale.addToolWidget(
        makeFontButton(QStringLiteral("SpeedButton83"), QStringLiteral("Выбор шрифта таблицы"), m_grid, context, this));
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
    m_number = makeFilteredEdit(QStringLiteral("Edit34"), QStringLiteral("не определен"), KeyRule::Nothing, this);
    m_detect = makeButton(QStringLiteral("Button13"), QStringLiteral("Тест № весов"),
                          QStringLiteral("Определить номер весов"), this);
    context.runner().addScaleCommand(m_detect);
    QPushButton* stop = makeButton(QStringLiteral("Button14"), QStringLiteral("Стоп"),
                                   QStringLiteral("Остановить процесс тестирования"), this);
    stop->setEnabled(false);
    QProgressBar* progressBar = makeProgressBar(QStringLiteral("ProgressBar3"), this);
    QLabel* probe = makeLabel(QString(), this, QStringLiteral("Label62"));
    probe->hide();
    m_scale.useProgress(progressBar, probe, stop);

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
    grid->addWidget(stop, 2, 4);
    grid->addWidget(progressBar, 3, 0, 1, 4);
    grid->addWidget(probe, 3, 4);
    // Room the window gains goes to an empty last column: the fields keep their natural widths.
    grid->setColumnStretch(5, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_scale.toolbar());
    layout->addWidget(m_grid, 1);
    layout->addWidget(panel);
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
    AppContext* context = &m_context;
    QPointer<TableModel> model = m_grid->tableModel();
    // The link test shows no progress.
    m_scale.runOnScale({}, [context, model](const ScaleLink& link) {
        Table tests = makeTable(testLayout());
        if (testChosenScale(link.session, link.config, link.scaleName, tests))
            postTo(context, [model, row = tests.row(1)] {
                if (model)
                    model->setRow(1, row);
            });
    });
}

} // namespace qm::app
