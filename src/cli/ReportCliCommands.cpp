// The sales report commands of the command line: read the report table (and the general totals)
// into a report file, read the general totals, clear totals in a scale. They run the window's
// operations and print the same texts; the exit code follows the operation's outcome.

#include <iostream>

#include "cli/CliCommands.h"
#include "cli/CliContext.h"
#include "cli/CommandSupport.h"
#include "cli/JsonObject.h"
#include "common/Cp1251.h"
#include "common/IntText.h"
#include "common/TableLayouts.h"
#include "common/TableSink.h"
#include "files/ReportFile.h"
#include "operation/OperationTexts.h"
#include "products/PluCheck.h"
#include "reports/ReportTexts.h"
#include "reports/ReportTransfer.h"
#include "reports/TotalsWriter.h"

namespace qm::cli
{

namespace
{

// The totals fields as the tab starts with them.
ReportTotals startFields()
{
    ReportTotals fields;
    fields.fill("0");
    return fields;
}

// The general totals with the labels of the tab: counters as numbers (null for a field that
// holds none), the rest as the fields show them.
std::vector<ReportField> totalsFields(const ReportTotals& f)
{
    struct Key {
        const char* label;
        const char* name;
        int field;
        bool number;
    };
    static const Key keys[] = {
        {"Счетчик пробега, мм", "run_mm", totalsfield::RunMm, true},
        {"Счетчик этикеток, шт.", "labels", totalsfield::Labels, true},
        {"Дата посл.стирания", "cleared_date", totalsfield::ClearedDate, false},
        {"Время посл.стирания", "cleared_time", totalsfield::ClearedTime, false},
        {"По всем PLU: Общая сумма", "plu_sum", totalsfield::PluSum, false},
        {"По всем PLU: Кол-во продаж", "plu_count", totalsfield::PluCount, true},
        {"По всем PLU: Общий вес", "plu_weight", totalsfield::PluWeight, false},
        {"Всего: Общая сумма", "grand_sum", totalsfield::GrandSum, false},
        {"Всего: Кол-во продаж", "grand_count", totalsfield::GrandCount, true},
        {"Всего: Общий вес", "grand_weight", totalsfield::GrandWeight, false},
        {"Кол-во свободных PLU", "free_plu", totalsfield::FreePlu, true},
        {"Кол-во свободных MSG", "free_msg", totalsfield::FreeMsg, true},
    };
    std::vector<ReportField> fields;
    for (const Key& k : keys) {
        const std::string text = cp1251ToUtf8(f[static_cast<size_t>(k.field)]);
        if (!k.number)
            fields.push_back({k.label, k.name, text});
        else if (const auto n = intText(text))
            fields.push_back({k.label, k.name, std::int64_t{*n}});
        else
            fields.push_back({k.label, k.name, nullptr});
    }
    return fields;
}

} // namespace

int runReadReport(CliContext& context)
{
    const Args& a = context.args();
    if (!needScale(context))
        return kUsage;
    if (a.has("all") == a.has("plu")) {
        context.error("read-report: нужен один из --all, --plu N");
        return kUsage;
    }
    const Selection what = a.has("all") ? Selection::All : Selection::One;
    const auto out = context.args().value("out");
    if (!out || out->empty()) {
        context.error("read-report: нужен --out FILE.acc");
        return kUsage;
    }
    if (what == Selection::One && !numberOption(context, "plu", kMaxPlu, reporttext::kBadNumber))
        return kUsage;
    if (!outCanBeSaved(context, *out))
        return kFailed;

    Table report = makeTable(reportLayout());
    ReportTotals fields = startFields();
    TotalsWriter totals(fields);
    bool modified = false;
    TableWriter sink(report, &modified);
    const ScaleLink link = scaleLink(context);
    const SaveCommand noSave; // a fresh table is never modified: the question is not asked
    OperationResult result = what == Selection::All ? readReportTable(link, sink, totals, noSave)
                                                    : readReportOne(link, *a.value("plu"), sink, noSave);
    if (result && a.has("totals")) {
        // The figures just read are the run's own: no question before the totals join them.
        Table untouched = makeTable(reportLayout());
        TableWriter totalsSink(untouched);
        result = readGeneralTotals(link, totalsSink, totals, noSave);
    }
    return saveRead(context, result, *out, report, [&](const std::string& path) {
        const auto error = saveReportFile(path, fields, report);
        if (error)
            context.error(*error);
        return !error;
    });
}

int runReadTotals(CliContext& context)
{
    if (!needScale(context))
        return kUsage;
    ReportTotals fields = startFields();
    TotalsWriter totals(fields);
    Table untouched = makeTable(reportLayout());
    TableWriter sink(untouched);
    const OperationResult result = readGeneralTotals(scaleLink(context), sink, totals, SaveCommand());
    return printRecord(context, result, [&] { return totalsFields(fields); });
}

int runClearTotals(CliContext& context)
{
    const Args& a = context.args();
    const int chosen = a.has("all-plu") + a.has("plu") + a.has("grand");
    if (!needScale(context))
        return kUsage;
    if (chosen != 1) {
        context.error("clear-totals: нужен ровно один из --all-plu, --plu N, --grand");
        return kUsage;
    }
    const ScaleLink link = scaleLink(context);
    if (a.has("grand"))
        return context.finish(clearGrandTotal(link));
    if (a.has("all-plu"))
        return context.finish(clearAllPluTotals(link, "1")); // the tab's "№ PLU" is checked, not used
    if (!numberOption(context, "plu", kMaxPlu, reporttext::kBadNumber))
        return kUsage;
    return context.finish(clearOnePluTotals(link, *a.value("plu")));
}

} // namespace qm::cli
