#include "app/tabs/ReportsTab.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/AppContext.h"
#include "app/ChooserBox.h"
#include "app/Controls.h"
#include "app/StringGrid.h"
#include "app/UserDialogs.h"
#include "files/FileCommands.h"

namespace qm::app
{

ReportsTab::ReportsTab(AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_scale(context, this)
{
    m_grid = new StringGrid(QStringLiteral("StringGrid5"), reportLayout(), makeTable(reportLayout()), this);
    context.addGrid(TableId::Reports, m_grid);

    m_scale.addCommands(
        this, {
                  {"SpeedButton13", "Новая таблица", ToolIcon::New, &ReportsTab::SpeedButton13Click},
                  {"SpeedButton14", "Открыть таблицу на просмотр", ToolIcon::Open, &ReportsTab::SpeedButton14Click},
                  {"SpeedButton15", "Сохранить таблицу", ToolIcon::Save, &ReportsTab::SpeedButton15Click},
                  ToolRow<ReportsTab>::gap(),
              });
    m_scale.addToolWidget(makeFontButton(QStringLiteral("SpeedButton79"),
                                         QStringLiteral("Выбор шрифта таблицы отчетов"), m_grid, context, this));

    ChooserBox* chooser = m_scale.addChooser(7);
    QLineEdit* pluNumber = makeFilteredEdit(QStringLiteral("Edit37"), QStringLiteral("1"), KeyRule::Digits, this);
    pluNumber->setMaximumWidth(60);

    for (int i = 0; i < 12; ++i)
        m_totals[static_cast<size_t>(i)] = makeShowField(QStringLiteral("Edit%1").arg(21 + i), this);

    auto* counters = new QGridLayout;
    counters->addWidget(makeLabel(QStringLiteral("Счетчик пробега, мм"), this), 0, 0);
    counters->addWidget(m_totals[0], 0, 1);
    counters->addWidget(makeLabel(QStringLiteral("Счетчик этикеток, шт."), this), 1, 0);
    counters->addWidget(m_totals[1], 1, 1);
    counters->addWidget(makeLabel(QStringLiteral("Дата посл.стирания"), this), 0, 2);
    counters->addWidget(m_totals[2], 0, 3);
    counters->addWidget(makeLabel(QStringLiteral("Время посл.стирания"), this), 1, 2);
    counters->addWidget(m_totals[3], 1, 3);
    counters->addWidget(makeLabel(QStringLiteral("Кол-во свободных PLU"), this), 0, 4);
    counters->addWidget(m_totals[10], 0, 5);
    counters->addWidget(makeLabel(QStringLiteral("Кол-во свободных MSG"), this), 1, 4);
    counters->addWidget(m_totals[11], 1, 5);

    auto* sums = new QGridLayout;
    sums->addWidget(makeLabel(QStringLiteral("Общая сумма"), this), 0, 1);
    sums->addWidget(makeLabel(QStringLiteral("Кол-во продаж"), this), 0, 2);
    sums->addWidget(makeLabel(QStringLiteral("Общий вес"), this), 0, 3);
    sums->addWidget(makeLabel(QStringLiteral("По всем PLU:"), this), 1, 0);
    sums->addWidget(m_totals[4], 1, 1);
    sums->addWidget(m_totals[5], 1, 2);
    sums->addWidget(m_totals[6], 1, 3);
    sums->addWidget(makeLabel(QStringLiteral("Всего:"), this), 2, 0);
    sums->addWidget(m_totals[7], 2, 1);
    sums->addWidget(m_totals[8], 2, 2);
    sums->addWidget(m_totals[9], 2, 3);

    auto* options = new QGridLayout;
    options->addWidget(makeLabel(QStringLiteral("Весы"), this), 0, 0);
    options->addWidget(chooser, 1, 0);
    options->addWidget(makeLabel(QStringLiteral("№ PLU"), this), 0, 1);
    options->addWidget(pluNumber, 1, 1);
    options->addWidget(makeCheckBox(QStringLiteral("CheckBox17"), QStringLiteral("Печать таблицы отчетов"), true, this),
                       0, 2);
    options->addWidget(makeCheckBox(QStringLiteral("CheckBox18"), QStringLiteral("Печать общих итогов"), true, this), 1,
                       2);
    options->setColumnStretch(3, 1);

    QHBoxLayout* progressRow =
        m_scale.addProgressRow(QStringLiteral("ProgressBar4"), QStringLiteral("Label68"), QStringLiteral("Button18"));
    m_scale.progress().bar->setMaximum(4000);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_scale.toolbar());
    layout->addLayout(options);
    layout->addWidget(m_grid, 1);
    layout->addLayout(progressRow);
    layout->addLayout(counters);
    layout->addLayout(sums);
}

ReportTotals ReportsTab::totals() const
{
    ReportTotals out;
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = TableModel::toCp1251(m_totals[i]->text(), false).value_or(std::string());
    return out;
}

void ReportsTab::setTotals(const ReportTotals& totals)
{
    for (size_t i = 0; i < totals.size(); ++i)
        m_totals[i]->setText(TableModel::toQString(totals[i]));
}

void ReportsTab::showTable(const Table& table)
{
    if (!(table == m_grid->tableModel()->table()))
        m_grid->tableModel()->setTable(table);
    m_grid->setCurrentCell(1, 0);
    m_grid->setFocus();
}

void ReportsTab::SpeedButton13Click()
{
    GuiFeedback feedback(m_context);
    FileCommandContext files = m_scale.fileContext(feedback);
    Table table = m_grid->snapshot();
    if (newReportTable(files, totals(), table, m_context.state().reportsModified) == Outcome::Done)
        showTable(table);
}

void ReportsTab::SpeedButton14Click()
{
    GuiFeedback feedback(m_context);
    FileCommandContext files = m_scale.fileContext(feedback);
    Table table = m_grid->snapshot();
    ReportTotals fields = totals();
    const Table before = table;
    // The table is emptied before the file is chosen: a cancelled dialog leaves it empty, and a
    // file that fails half way keeps what was read.
    const Outcome outcome = openReportTable(files, fields, table, m_context.state().reportsModified);
    setTotals(fields);
    // A file read ends on row 1 even when it holds the table already shown.
    if (outcome != Outcome::Cancelled || !(table == before))
        showTable(table);
}

void ReportsTab::SpeedButton15Click()
{
    GuiFeedback feedback(m_context);
    FileCommandContext files = m_scale.fileContext(feedback);
    saveReportTable(files, totals(), m_grid->snapshot(), m_context.state().reportsModified);
}

} // namespace qm::app
