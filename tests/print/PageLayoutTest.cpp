// The printed pages as data: rows to a page, the header on page 1 only, box widths from the
// headers, the report's title, table and totals lines, and the offsets at 600 dpi.
#include <gtest/gtest.h>

#include <cmath>

#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "print/PageLayout.h"

using namespace qm;

namespace
{

// Every character 10 dots wide at 10 points (scaled by size), lines 40 dots high at 10 points;
// all of it scaled by the resolution over 300 dpi, as a printer's font is.
class FixedMeasure : public TextMeasure
{
  public:
    explicit FixedMeasure(int dpi = 300) : m_dpi(dpi) {}
    int lineHeight(int points) const override { return 4 * points * m_dpi / 300; }
    int width(const std::string& utf8, int points) const override
    {
        int characters = 0;
        for (unsigned char c : utf8)
            characters += (c & 0xC0) != 0x80;
        return characters * points * m_dpi / 300;
    }

  private:
    int m_dpi;
};

Table productsWithRows(int rows)
{
    Table t = makeTable(productLayout());
    std::vector<Row> data;
    for (int i = 1; i <= rows; ++i) {
        Row r(kProductColumns);
        r[0] = std::to_string(i);
        data.push_back(r);
    }
    t.setDataRows(data);
    return t;
}

// The first column's texts of a page, in order.
std::vector<std::string> firstColumn(const PrintPage& page)
{
    std::vector<std::string> out;
    for (const auto& t : page.texts)
        if (t.x == 100)
            out.push_back(t.text);
    return out;
}

const PageGeometry kA4 = {3300, 300};

} // namespace

TEST(PageLayout, HundredRowsGiveThreePagesWithTheHeaderOnTheFirstOnly)
{
    const FixedMeasure measure;
    const auto pages = layoutTable(productsWithRows(100), kA4, measure);
    ASSERT_EQ(pages.size(), 3u);
    const auto first = firstColumn(pages[0]);
    ASSERT_EQ(first.size(), 41u);
    EXPECT_EQ(first.front(), productLayout().headers[0]);
    EXPECT_EQ(first[1], "1");
    EXPECT_EQ(first.back(), "40");
    const auto second = firstColumn(pages[1]);
    ASSERT_EQ(second.size(), 40u);
    EXPECT_EQ(second.front(), "41");
    EXPECT_EQ(second.back(), "80");
    const auto third = firstColumn(pages[2]);
    ASSERT_EQ(third.size(), 20u);
    EXPECT_EQ(third.front(), "81");
    // Every page starts at y = 100, rows one line and one dot apart.
    EXPECT_EQ(pages[1].texts.front().y, 100);
    EXPECT_EQ(pages[1].texts[kProductColumns].y, 100 + 40 + 1);
    EXPECT_EQ(pages[0].boxes.size(), 41u * kProductColumns);
}

TEST(PageLayout, BoxesTakeTheHeaderWidthsAndTheLastRunsToTheEdge)
{
    const FixedMeasure measure;
    const auto pages = layoutTable(makeTable(messageLayout()), kA4, measure);
    ASSERT_EQ(pages.size(), 1u);
    const PrintPage& page = pages[0];
    ASSERT_EQ(page.boxes.size(), 2u * kMessageColumns) << "the header and one row of empty boxes";
    int x = 100;
    for (int c = 0; c < kMessageColumns - 1; ++c) {
        const int width = measure.width(messageLayout().headers[static_cast<size_t>(c)], 10);
        const PrintBox& box = page.boxes[static_cast<size_t>(kMessageColumns + c)];
        EXPECT_EQ(box.left, x) << c;
        EXPECT_EQ(box.right, x + width) << c;
        EXPECT_EQ(box.top, 141);
        EXPECT_EQ(box.bottom, 181);
        x += width + 2;
    }
    EXPECT_EQ(page.boxes.back().left, x);
    EXPECT_EQ(page.boxes.back().right, 3300 - 5);
}

TEST(PageLayout, NoBlankPageAfterAFullLastPage)
{
    const FixedMeasure measure;
    EXPECT_EQ(layoutTable(productsWithRows(40), kA4, measure).size(), 1u);
    EXPECT_EQ(layoutTable(productsWithRows(80), kA4, measure).size(), 2u);
    EXPECT_EQ(layoutTable(productsWithRows(81), kA4, measure).size(), 3u);
}

TEST(PageLayout, ReportWithBothBoxesClearedPrintsTheTitleOnly)
{
    const FixedMeasure measure;
    ReportPrint report;
    report.table = makeTable(reportLayout());
    report.printedDate = "07.12.2026";
    report.printedTime = "14:35:00";
    report.printTable = false;
    report.printTotals = false;
    const auto pages = layoutReport(report, kA4, measure);
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(pages[0].texts.size(), 1u);
    EXPECT_TRUE(pages[0].boxes.empty());
    const PrintText& title = pages[0].texts[0];
    EXPECT_EQ(title.text, "Отчет распечатан:     07.12.2026    14:35:00");
    EXPECT_EQ(title.x, 100);
    EXPECT_EQ(title.y, 50);
    EXPECT_EQ(title.points, 14);
}

TEST(PageLayout, ReportTotalsLinesFollowTheTableOrStartBelowTheTitle)
{
    const FixedMeasure measure;
    ReportPrint report;
    report.table = makeTable(reportLayout());
    report.table.setRow(1, {"3", "", "", "31.12.03", "09:05:07", "123,45", "1,5", "7"});
    report.totals = {"1", "2", "01.02.26", "10:20:30", "5", "6", "7", "8,5", "9", "10", "11", "12"};
    report.scaleName = cp("Весы 1");
    report.printedDate = "07.12.2026";
    report.printedTime = "14:35:00";
    report.printTable = false;
    auto pages = layoutReport(report, kA4, measure);
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(pages[0].texts.size(), 4u);
    const int h12 = measure.lineHeight(12);
    EXPECT_EQ(pages[0].texts[1].y, 150 + h12 + 1);
    EXPECT_EQ(pages[0].texts[2].y, 150 + h12 + 81);
    EXPECT_EQ(pages[0].texts[3].y, 150 + h12 + 161);
    EXPECT_EQ(pages[0].texts[1].text,
              "Отчет по весам  Весы 1  за период:  01.02.26  10:20:30   -   07.12.2026  14:35:00");
    EXPECT_EQ(pages[0].texts[2].text, "Итог по всем товарам:  Сумма - 8,5  Кол-во продаж - 9  Общий вес - 10");
    EXPECT_EQ(pages[0].texts[3].text,
              "Итог по запрограммированным товарам PLU:  Сумма - 5  Кол-во продаж - 6  Общий вес - 7");
    EXPECT_EQ(pages[0].texts[3].points, 12);

    report.printTable = true;
    pages = layoutReport(report, kA4, measure);
    ASSERT_EQ(pages.size(), 1u);
    const int belowTable = 150 + 2 * (40 + 1);
    EXPECT_EQ(pages[0].texts.back().y, belowTable + h12 + 161);
    EXPECT_EQ(pages[0].texts[1].y, 150) << "the table starts at 150";
}

TEST(PageLayout, ReportTotalsAfterAFullPageGoToTheNextPage)
{
    const FixedMeasure measure;
    ReportPrint report;
    report.table = makeTable(reportLayout());
    std::vector<Row> rows(40, Row(kReportColumns, "1"));
    report.table.setDataRows(rows);
    auto pages = layoutReport(report, kA4, measure);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[1].texts.size(), 3u);
    EXPECT_EQ(pages[1].texts[0].y, 150 + measure.lineHeight(12) + 1);
    report.printTotals = false;
    EXPECT_EQ(layoutReport(report, kA4, measure).size(), 1u);
}

TEST(PageLayout, OffsetsScaleWithTheResolution)
{
    const FixedMeasure measure(600);
    ReportPrint report;
    report.table = makeTable(reportLayout());
    const auto pages = layoutReport(report, {6600, 600}, measure);
    ASSERT_EQ(pages.size(), 1u);
    const auto& texts = pages[0].texts;
    EXPECT_EQ(texts[0].x, 200);
    EXPECT_EQ(texts[0].y, 100) << "the title at 50 dots of 300 dpi";
    EXPECT_EQ(texts[1].y, 300) << "the table at 150";
    const int tableEnd = 300 + 2 * (80 + 2);
    const int h12 = measure.lineHeight(12);
    EXPECT_EQ(texts[texts.size() - 3].y, tableEnd + h12 + 2);
    EXPECT_EQ(texts[texts.size() - 2].y, tableEnd + h12 + 162);
    EXPECT_EQ(texts.back().y, tableEnd + h12 + 322);
    // Consecutive totals lines never overlap: 80 dots at 300 dpi are 160 at 600.
    EXPECT_GT(texts.back().y - texts[texts.size() - 2].y, h12);
    EXPECT_EQ(pages[0].boxes.back().right, 6600 - 10);
}

// Boxes wider than the page: the table is scaled down as a whole, so every column keeps its box
// and its header on the page (the last box at least as wide as its header), and font, boxes and
// row pitch shrink by one factor. Lines of text wider than the page shrink the same way.
TEST(PageLayout, AWideTableIsScaledDownToKeepEveryColumn)
{
    const FixedMeasure measure;
    const struct {
        const char* name;
        Table table;
        int pageWidth;
    } cases[] = {
        {"products", productsWithRows(2), 1500},
        {"reports", makeTable(reportLayout()), 1200},
        {"messages", makeTable(messageLayout()), 900},
        {"configuration", makeTable(configLayout()), 1400},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto pages = layoutTable(c.table, {c.pageWidth, 300}, measure);
        ASSERT_EQ(pages.size(), 1u);
        const PrintPage& page = pages[0];
        const int columns = c.table.columnCount();
        const double points = page.texts.front().points;
        EXPECT_LT(points, 10);
        EXPECT_GT(points, 3);
        for (const PrintText& t : page.texts)
            EXPECT_DOUBLE_EQ(t.points, points);
        for (int col = 0; col < columns; ++col) {
            const auto i = static_cast<size_t>(col);
            EXPECT_EQ(page.texts[i].text, cp1251ToUtf8(c.table.cell(0, col)));
            const PrintBox& box = page.boxes[i];
            EXPECT_EQ(box.left, col == 0 ? 100 : page.boxes[i - 1].right + 2) << col;
            EXPECT_LE(box.right, c.pageWidth - 5) << col;
            // As wide as the header at the printed size, within a dot of rounding.
            const double header = measure.width(cp1251ToUtf8(c.table.cell(0, col)), 10) * points / 10;
            if (col < columns - 1)
                EXPECT_NEAR(box.right - box.left, header, 1.0) << col;
            else
                EXPECT_GE(box.right - box.left, header - 1) << col;
        }
        EXPECT_EQ(page.boxes[static_cast<size_t>(columns) - 1].right, c.pageWidth - 5);
        EXPECT_EQ(page.texts[static_cast<size_t>(columns)].y - page.texts[0].y, int(std::ceil(40 * points / 10)) + 1);
    }

    ReportPrint report;
    report.table = makeTable(reportLayout());
    report.scaleName = cp("Весы отдела бакалеи и кондитерских изделий");
    report.printedDate = "07.12.2026";
    report.printedTime = "14:35:00";
    const auto pages = layoutReport(report, {1200, 300}, measure);
    ASSERT_EQ(pages.size(), 1u);
    for (const PrintText& t : pages[0].texts) {
        int characters = 0;
        for (unsigned char ch : t.text)
            characters += (ch & 0xC0) != 0x80;
        EXPECT_LE(t.x + characters * t.points, 1200 - 5 + 1) << t.text;
    }
    EXPECT_EQ(pages[0].texts.front().points, 14) << "a title that fits keeps its size";
    EXPECT_LT(pages[0].texts[pages[0].texts.size() - 3].points, 12) << "the line with the long scale name";
}
