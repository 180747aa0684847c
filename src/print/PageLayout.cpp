#include "print/PageLayout.h"

#include <algorithm>
#include <cmath>

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

// The size at which a text of `points` fits in `room` dots: its own, or smaller.
double fittedPoints(const TextMeasure& measure, const std::string& utf8, int points, int room)
{
    const int width = measure.width(utf8, points);
    return width <= room || width <= 0 ? points : points * static_cast<double>(room) / width;
}

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

    void text(int x, int y, double points, std::string utf8)
    {
        m_pages.back().texts.push_back({x, y, points, std::move(utf8)});
    }
    // A line from the left margin, smaller where it would run past the page.
    void line(int y, int points, std::string utf8)
    {
        const int left = dots(kLeft);
        const double fitted = fittedPoints(m_measure, utf8, points, m_page.width - dots(kRightMargin) - left);
        text(left, y, fitted, std::move(utf8));
    }
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

// The table's box widths and row height, at the font size that lets the boxes fit the page.
struct TableFit {
    std::vector<int> widths; // every column but the last
    int height = 0;
    double points = kTablePoints;
};

TableFit fitTable(const PageBuilder& out, const Table& table)
{
    const TextMeasure& measure = out.measure();
    const int lastColumn = table.columnCount() - 1;
    TableFit fit;
    int boxes = measure.width(cp1251ToUtf8(table.cell(0, lastColumn)), kTablePoints); // the last at its header
    for (int c = 0; c < lastColumn; ++c) {
        fit.widths.push_back(measure.width(cp1251ToUtf8(table.cell(0, c)), kTablePoints));
        boxes += fit.widths.back();
    }
    fit.height = measure.lineHeight(kTablePoints);
    // The margins and gaps stay as they are; the boxes share what is left.
    const int room = out.page().width - out.dots(kRightMargin) - out.dots(kLeft) - lastColumn * out.dots(kColumnGap);
    if (boxes <= room || boxes <= 0 || room <= 0)
        return fit;
    // A hundredth to spare: a font's hinted widths do not shrink exactly with its size.
    const double scale = 0.99 * room / boxes;
    fit.points = kTablePoints * scale;
    for (int& w : fit.widths)
        w = static_cast<int>(w * scale);
    fit.height = static_cast<int>(std::ceil(fit.height * scale));
    return fit;
}

// Draws the table's rows from startY (in 300 dpi dots); returns the y below the last row.
int drawTable(PageBuilder& out, const Table& table, int startY300)
{
    const int startY = out.dots(startY300);
    const int lastColumn = table.columnCount() - 1;
    const TableFit fit = fitTable(out, table);

    int y = startY;
    for (int r = 0; r <= table.lastRow(); ++r) {
        if (out.takeBreak())
            y = startY;
        int x = out.dots(kLeft);
        for (int c = 0; c < lastColumn; ++c) {
            const int width = fit.widths[static_cast<size_t>(c)];
            out.text(x, y, fit.points, cp1251ToUtf8(table.cell(r, c)));
            out.box(x, y, x + width, y + fit.height);
            x += width + out.dots(kColumnGap);
        }
        out.text(x, y, fit.points, cp1251ToUtf8(table.cell(r, lastColumn)));
        out.box(x, y, out.page().width - out.dots(kRightMargin), y + fit.height);
        y += fit.height + out.dots(kRowGap);
        if (r != 0 && r % kRowsPerPage == 0)
            out.breakAfterThis();
    }
    return y;
}

using Fields = std::vector<std::string>;

std::string field(const Fields& totals, int index)
{
    return index < static_cast<int>(totals.size()) ? cp1251ToUtf8(totals[static_cast<size_t>(index)]) : std::string();
}

std::string totalsLine(const char* start, const Fields& totals, int sum, int count, int weight)
{
    return start + field(totals, sum) + printtext::kCount + field(totals, count) + printtext::kWeight +
           field(totals, weight);
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
    out.line(out.dots(kTitleY), kTitlePoints,
             printtext::kPrinted + report.printedDate + printtext::kPrintedGap + report.printedTime);
    int y = out.dots(kReportTableStartY);
    if (report.printTable)
        y = drawTable(out, report.table, kReportTableStartY);
    if (!report.printTotals)
        return std::move(out).pages();
    if (out.takeBreak())
        y = out.dots(kReportTableStartY);
    const int top = y + measure.lineHeight(kTotalsPoints);
    const Fields& totals = report.totals;
    const std::string period = printtext::kScale + cp1251ToUtf8(report.scaleName) + printtext::kPeriod +
                               field(totals, totalsfield::ClearedDate) + printtext::kDateTimeGap +
                               field(totals, totalsfield::ClearedTime) + printtext::kPeriodTo + report.printedDate +
                               printtext::kDateTimeGap + report.printedTime;
    out.line(top + out.dots(kTotalsLines[0]), kTotalsPoints, period);
    out.line(top + out.dots(kTotalsLines[1]), kTotalsPoints,
             totalsLine(printtext::kGrandTotal, totals, totalsfield::GrandSum, totalsfield::GrandCount,
                        totalsfield::GrandWeight));
    out.line(
        top + out.dots(kTotalsLines[2]), kTotalsPoints,
        totalsLine(printtext::kPluTotal, totals, totalsfield::PluSum, totalsfield::PluCount, totalsfield::PluWeight));
    return std::move(out).pages();
}

} // namespace qm
