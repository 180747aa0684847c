#include "print/PageLayout.h"

#include "common/Cp1251.h"
#include "files/ReportFile.h"
#include "print/PrintTexts.h"

namespace qm
{

namespace
{

constexpr int kBaseDpi = 300;
constexpr int kLeft = 100;
constexpr int kRightMargin = 5;
constexpr int kColumnGap = 2;
constexpr int kRowGap = 1;
constexpr int kTitleY = 50;
constexpr int kTotalsLines[] = {1, 81, 161}; // below the table, after one line height
constexpr int kTablePoints = 10;
constexpr int kTitlePoints = 14;
constexpr int kTotalsPoints = 12;

// Collects pages. A page break is taken only when something follows it, so a table whose rows
// fill its last page exactly leaves no blank page behind.
class PageBuilder
{
  public:
    PageBuilder(const PageGeometry& page, const TextMeasure& measure) : m_page(page), m_measure(measure)
    {
        m_pages.emplace_back();
    }

    int dots(int at300) const { return at300 * m_page.dpi / kBaseDpi; }
    const PageGeometry& page() const { return m_page; }
    const TextMeasure& measure() const { return m_measure; }

    void text(int x, int y, int points, std::string utf8) { m_pages.back().texts.push_back({x, y, points, utf8}); }
    void box(int left, int top, int right, int bottom) { m_pages.back().boxes.push_back({left, top, right, bottom}); }

    void breakAfterThis() { m_breakPending = true; }
    // Starts the pending new page, if any; true when it did (y then goes back to the start).
    bool takeBreak()
    {
        if (!m_breakPending)
            return false;
        m_breakPending = false;
        m_pages.emplace_back();
        return true;
    }

    std::vector<PrintPage> pages() && { return std::move(m_pages); }

  private:
    const PageGeometry& m_page;
    const TextMeasure& m_measure;
    std::vector<PrintPage> m_pages;
    bool m_breakPending = false;
};

// Draws the table's rows from startY (in 300 dpi dots); returns the y below the last row.
int drawTable(PageBuilder& out, const Table& table, int startY300)
{
    const TextMeasure& measure = out.measure();
    const int startY = out.dots(startY300);
    const int height = measure.lineHeight(kTablePoints);
    const int lastColumn = table.columnCount() - 1;
    std::vector<int> widths;
    for (int c = 0; c < lastColumn; ++c)
        widths.push_back(measure.width(cp1251ToUtf8(table.cell(0, c)), kTablePoints));

    int y = startY;
    for (int r = 0; r <= table.lastRow(); ++r) {
        if (out.takeBreak())
            y = startY;
        int x = out.dots(kLeft);
        for (int c = 0; c < lastColumn; ++c) {
            out.text(x, y, kTablePoints, cp1251ToUtf8(table.cell(r, c)));
            out.box(x, y, x + widths[static_cast<size_t>(c)], y + height);
            x += widths[static_cast<size_t>(c)] + out.dots(kColumnGap);
        }
        out.text(x, y, kTablePoints, cp1251ToUtf8(table.cell(r, lastColumn)));
        out.box(x, y, out.page().width - out.dots(kRightMargin), y + height);
        y += height + out.dots(kRowGap);
        if (r != 0 && r % kRowsPerPage == 0)
            out.breakAfterThis();
    }
    return y;
}

std::string field(const ReportPrint& report, int index)
{
    return index < static_cast<int>(report.totals.size()) ? cp1251ToUtf8(report.totals[static_cast<size_t>(index)])
                                                          : std::string();
}

std::string totalsLine(const char* start, const ReportPrint& report, int sum, int count, int weight)
{
    return start + field(report, sum) + printtext::kCount + field(report, count) + printtext::kWeight +
           field(report, weight);
}

} // namespace

std::vector<PrintPage> layoutTable(const Table& table, const PageGeometry& page, const TextMeasure& measure)
{
    PageBuilder out(page, measure);
    drawTable(out, table, kTableStartY);
    return std::move(out).pages();
}

std::vector<PrintPage> layoutReport(const ReportPrint& report, const PageGeometry& page, const TextMeasure& measure)
{
    PageBuilder out(page, measure);
    const int left = out.dots(kLeft);
    out.text(left, out.dots(kTitleY), kTitlePoints,
             printtext::kPrinted + report.printedDate + printtext::kPrintedGap + report.printedTime);
    int y = out.dots(kReportTableStartY);
    if (report.printTable)
        y = drawTable(out, report.table, kReportTableStartY);
    if (!report.printTotals)
        return std::move(out).pages();
    if (out.takeBreak())
        y = out.dots(kReportTableStartY);
    const int top = y + measure.lineHeight(kTotalsPoints);
    const std::string period = printtext::kScale + cp1251ToUtf8(report.scaleName) + printtext::kPeriod +
                               field(report, totalsfield::ClearedDate) + printtext::kDateTimeGap +
                               field(report, totalsfield::ClearedTime) + printtext::kPeriodTo + report.printedDate +
                               printtext::kDateTimeGap + report.printedTime;
    out.text(left, top + out.dots(kTotalsLines[0]), kTotalsPoints, period);
    out.text(left, top + out.dots(kTotalsLines[1]), kTotalsPoints,
             totalsLine(printtext::kGrandTotal, report, totalsfield::GrandSum, totalsfield::GrandCount,
                        totalsfield::GrandWeight));
    out.text(
        left, top + out.dots(kTotalsLines[2]), kTotalsPoints,
        totalsLine(printtext::kPluTotal, report, totalsfield::PluSum, totalsfield::PluCount, totalsfield::PluWeight));
    return std::move(out).pages();
}

} // namespace qm
