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
#include "app/FieldSink.h"
#include "app/GridSink.h"
#include "app/PrintPreview.h"
#include "app/StringGrid.h"
#include "app/UiThread.h"
#include "app/UserDialogs.h"
#include "app/WindowSave.h"
#include "files/FileCommands.h"
#include "paint/PagePainter.h"
#include "reports/TotalsWriter.h"

namespace qm::app
{

ReportsTab::ReportsTab(AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_scale(context, this)
{
    m_grid = new StringGrid(QStringLiteral("StringGrid5"), reportLayout(), makeTable(reportLayout()), this);
    context.addGrid(TableId::Reports, m_grid);

    constexpr ToolKind scale = ToolKind::Scale;
    constexpr ToolKind edit = ToolKind::Edit;
    m_scale.useTable(m_grid);
    m_scale.addCommands(
        this,
        {
            {"SpeedButton13", "Новая таблица", ToolIcon::New, &ReportsTab::SpeedButton13Click, edit},
            {"SpeedButton14", "Открыть таблицу на просмотр", ToolIcon::Open, &ReportsTab::SpeedButton14Click, edit},
            {"SpeedButton15", "Сохранить таблицу", ToolIcon::Save, &ReportsTab::SpeedButton15Click},
            {"SpeedButton16", "Печать таблицы отчетов и общих итогов", ToolIcon::Print,
             &ReportsTab::SpeedButton16Click},
            ToolRow<ReportsTab>::gap(),
            {"SpeedButton17", "Считать таблицу отчетов по всем товарам", ToolIcon::ReadAll,
             &ReportsTab::SpeedButton17Click, scale},
            {"SpeedButton18", "Считать отчет по выбранному товару", ToolIcon::ReadOne, &ReportsTab::SpeedButton18Click,
             scale},
            {"SpeedButton19", "Считать общий итог  по продажам", ToolIcon::ReadRange, &ReportsTab::SpeedButton19Click,
             scale},
            {"SpeedButton20", "Обнулить общий итог по ячейкам PLU", ToolIcon::DeleteAll,
             &ReportsTab::SpeedButton20Click, scale},
            {"SpeedButton21", "Обнулить итоги по выбранной ячейке PLU", ToolIcon::DeleteOne,
             &ReportsTab::SpeedButton21Click, scale},
            {"SpeedButton22", "Обнулить суммарный итог продаж по всем товарам", ToolIcon::Clear,
             &ReportsTab::SpeedButton22Click, scale},
            ToolRow<ReportsTab>::gap(),
        });
    m_scale.addFontButton("SpeedButton79", "Выбор шрифта таблицы отчетов", m_grid);
    m_scale.addHelpButton("SpeedButton23");

    ChooserBox* chooser = m_scale.addChooser(7);
    m_pluNumber = makeFilteredEdit(QStringLiteral("Edit37"), QStringLiteral("1"), KeyRule::Digits, this);
    m_pluNumber->setMaximumWidth(60);
    m_printTable = makeCheckBox(QStringLiteral("CheckBox17"), QStringLiteral("Печать таблицы отчетов"), true, this);
    m_printTotals = makeCheckBox(QStringLiteral("CheckBox18"), QStringLiteral("Печать общих итогов"), true, this);

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
    options->addWidget(m_pluNumber, 1, 1);
    options->addWidget(m_printTable, 0, 2);
    options->addWidget(m_printTotals, 1, 2);
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
        if (const QString text = TableModel::toQString(totals[i]); m_totals[i]->text() != text)
            m_totals[i]->setText(text);
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
    saveReport();
}

Outcome ReportsTab::saveReport()
{
    GuiFeedback feedback(m_context);
    FileCommandContext files = m_scale.fileContext(feedback);
    return saveReportTable(files, totals(), m_grid->snapshot(), m_context.state().reportsModified);
}

void ReportsTab::SpeedButton16Click()
{
    ReportPrint report;
    report.table = m_grid->snapshot();
    const ReportTotals fields = totals();
    report.totals.assign(fields.begin(), fields.end());
    // The name the chooser shows, by which the scale is found; the list has no current entry once a
    // refill left that name out.
    report.scaleName = TableModel::toCp1251(m_scale.chooser()->text(), false).value_or(std::string());
    const paint::PrintedAt now = paint::printedNow();
    report.printedDate = now.date;
    report.printedTime = now.time;
    report.printTable = m_printTable->isChecked();
    report.printTotals = m_printTotals->isChecked();
    openPrintPreview(
        m_context,
        [report](const PageGeometry& page, const TextMeasure& measure) { return layoutReport(report, page, measure); },
        m_grid);
}

std::string ReportsTab::numberText() const
{
    return TableModel::toCp1251(m_pluNumber->text(), false).value_or(std::string());
}

std::shared_ptr<TableSink> ReportsTab::readSink()
{
    AppContext& ctx = m_context;
    return std::make_shared<GridSink>(
        ctx, m_grid->tableModel(), [&ctx] { ctx.state().reportsModified = true; }, &ctx.state().reportsModified);
}

void ReportsTab::showGeneralTotals(const GeneralTotals& totals)
{
    setTotals(totalsFields(totals));
}

void ReportsTab::showPluSums(const ShownTotals& sums)
{
    ReportTotals fields = totals();
    setPluSums(fields, sums);
    setTotals(fields);
}

SaveCommand ReportsTab::saveCommand()
{
    return saveOnWindow(m_context, this, &ReportsTab::saveReport);
}

void ReportsTab::SpeedButton17Click()
{
    auto sums = fieldSink(m_context, this, &ReportsTab::showPluSums);
    m_scale.runOnScale([sink = readSink(), sums, save = saveCommand()](const ScaleLink& link) {
        readReportTable(link, *sink, *sums, save);
    });
}

void ReportsTab::SpeedButton18Click()
{
    m_scale.runOnScale([text = numberText(), sink = readSink(), save = saveCommand()](const ScaleLink& link) {
        readReportOne(link, text, *sink, save);
    });
}

void ReportsTab::SpeedButton19Click()
{
    auto totals = fieldSink(m_context, this, &ReportsTab::showGeneralTotals);
    m_scale.runOnScale([sink = readSink(), totals, save = saveCommand()](const ScaleLink& link) {
        readGeneralTotals(link, *sink, *totals, save);
    });
}

void ReportsTab::SpeedButton20Click()
{
    m_scale.runOnScale([text = numberText()](const ScaleLink& link) { clearAllPluTotals(link, text); },
                       TableUse::Aside);
}

void ReportsTab::SpeedButton21Click()
{
    m_scale.runOnScale([text = numberText()](const ScaleLink& link) { clearOnePluTotals(link, text); },
                       TableUse::Aside);
}

void ReportsTab::SpeedButton22Click()
{
    m_scale.runOnScale([](const ScaleLink& link) { clearGrandTotal(link); }, TableUse::Aside);
}

} // namespace qm::app
