// print FILE --pdf OUT.pdf: the printout of a product, message, configuration or report file as
// the window prints it (the report with its table and its totals lines), laid out by the same
// code and written as a PDF. It needs no display: the program runs it on Qt's offscreen
// platform (see main.cpp).

#include <algorithm>
#include <cctype>
#include <optional>

#include "cli/CliCommands.h"
#include "cli/CliContext.h"
#include "cli/CommandSupport.h"
#include "files/ReportFile.h"
#include "files/TableFiles.h"
#include "paint/PagePainter.h"

namespace qm::cli
{

namespace
{

std::string lowerExtension(const std::string& file)
{
    std::string ext = extensionOf(file);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

paint::Printout tablePrintout(Table table)
{
    return [table = std::move(table)](const PageGeometry& page, const TextMeasure& measure) {
        return layoutTable(table, page, measure);
    };
}

// The file's printout, or nullopt with the message printed.
std::optional<paint::Printout> printoutOf(CliContext& context, const std::string& file)
{
    const std::string ext = lowerExtension(file);
    std::optional<std::string> error;
    std::optional<paint::Printout> printout;
    if (ext == ".pl6" || ext == ".plu") {
        ProductLoad load = loadProductFile(file, context.settings().logoIndex);
        error = load.error;
        printout = tablePrintout(std::move(load.table));
    } else if (ext == ".msg" || ext == ".cfl") {
        TableLoad load = ext == ".msg" ? loadMessageFile(file) : loadConfigFile(file);
        error = load.error;
        printout = tablePrintout(std::move(load.table));
    } else if (ext == ".acc") {
        ReportLoad load = loadReportFile(file);
        error = load.error;
        ReportPrint report;
        report.table = std::move(load.file.table);
        report.totals.assign(load.file.totals.begin(), load.file.totals.end());
        report.scaleName = context.scaleName();
        const paint::PrintedAt now = paint::printedNow();
        report.printedDate = now.date;
        report.printedTime = now.time;
        printout = [report](const PageGeometry& page, const TextMeasure& measure) {
            return layoutReport(report, page, measure);
        };
    } else {
        context.error("print принимает файл .pl6, .plu, .msg, .cfl или .acc, а не " + file);
        return std::nullopt;
    }
    if (error) {
        context.error(*error);
        return std::nullopt;
    }
    return printout;
}

} // namespace

int runPrint(CliContext& context)
{
    const auto file = onlyFile(context);
    const auto pdf = context.args().value("pdf");
    if (!file)
        return kUsage;
    if (!pdf || pdf->empty()) {
        context.error("print: нужен --pdf OUT.pdf");
        return kUsage;
    }
    const auto printout = printoutOf(context, *file);
    if (!printout)
        return kFailed;
    std::string error;
    const auto pages = paint::writePdf(context.path(*pdf), *printout, error);
    if (!pages) {
        context.error(error);
        return kFailed;
    }
    context.feedback().message("Страниц: " + std::to_string(*pages) + ", файл " + *pdf + " записан.");
    return kOk;
}

} // namespace qm::cli
