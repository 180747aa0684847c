// Reading the report of all 4000 PLU cells and clearing their totals against the emulated
// scale (half the cells filled), at full speed and on a simulated 19200 baud line: wall time
// against the pure line time of the bytes exchanged. Then the printout of a full product table
// (4000 rows) laid out and written as a PDF: pages, time and file size.
#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "StateFile.h"
#include "common/TableLayouts.h"
#include "common/TableSink.h"
#include "link/TComm.h"
#include "paint/PagePainter.h"
#include "reports/ReportTransfer.h"
#include "support/EmuProcess.h"

#include "BenchSupport.h"

namespace
{

void runScale(int baud)
{
    emu::ScaleState state;
    for (std::uint32_t plu = 1; plu <= 4000; plu += 2) {
        emu::PluRecord r;
        r.sum = plu * 100;
        r.sales = 1;
        state.plu[plu] = r;
    }
    qmtest::EmuOptions options;
    options.baud = baud;
    options.stateJson = emu::stateToJson(state);
    qmtest::EmuProcess emu(options);
    bench::BenchLink bench(emu);
    bench::LineBytes& bytes = bench.bytes;
    const qm::ScaleLink& link = bench.link;
    const std::string speed = baud > 0 ? std::to_string(baud) + " baud" : "full speed";

    qm::Table report = qm::makeTable(qm::reportLayout());
    qm::TableWriter sink(report);
    qm::ValueHolder<qm::ShownTotals> sums;
    bench::measure("read report, " + speed, baud, bytes, [&] {
        return qm::readReportTable(link, sink, sums, {}) == qm::TransferOutcome::Done && report.rowCount() == 2001;
    });
    bench::measure("clear all PLU totals, " + speed, baud, bytes,
                   [&] { return qm::clearAllPluTotals(link, "1") == qm::TransferOutcome::Done; });
}

void runPdf()
{
    qm::Table table = qm::makeTable(qm::productLayout());
    std::vector<qm::Row> rows;
    for (int n = 1; n <= 4000; ++n)
        rows.push_back(
            {std::to_string(n), "Product " + std::to_string(n), "", "4550", "10", "0", "123456", "7", "0", "0", ""});
    table.setDataRows(rows);
    const auto path = std::filesystem::temp_directory_path() / "bench_reports.pdf";
    std::string error;
    const auto t0 = std::chrono::steady_clock::now();
    const auto pages = qm::paint::writePdf(
        path.string(),
        [&table](const qm::PageGeometry& page, const qm::TextMeasure& measure) {
            return qm::layoutTable(table, page, measure);
        },
        error);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    std::error_code ec;
    std::printf("PDF of 4000 product rows     %s %d pages %9.3f s wall  %8ju bytes  peak %ld KiB\n",
                pages ? "ok    " : "FAILED", pages.value_or(0), wall,
                static_cast<std::uintmax_t>(std::filesystem::file_size(path, ec)), bench::peakKib());
    std::filesystem::remove(path, ec);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    runScale(0);
    runScale(19200);
    runPdf();
    return 0;
}
