#pragma once
// The printed tables as data: pages of texts and boxes at positions in the printer's dots, origin
// at the top-left corner of the printable area. The layout is a pure function of the table, the
// page and the text measures, so it is tested without a printer; a painter (paint/) draws the
// pages on a printer or into a PDF.
//
// A table prints as a grid of boxed cells: every column but the last is as wide as its header
// text (blanks included) plus a gap, the last runs to the right edge of the page. The header row
// prints once, on the first page; 40 rows go to a page. Cell texts are not clipped. A table whose
// boxes (the last one as wide as its header at least) would run past the printable width is
// scaled down as a whole, font, boxes and row height together, so that every column is printed;
// a line of text wider than the page is printed smaller in the same way.
//
// The fixed offsets were set for a 300 dpi printer; they are scaled by the page's resolution so
// that the lines keep their distances on a finer printer.

#include <string>
#include <vector>

#include "common/Table.h"

namespace qm
{

struct PrintText {
    int x = 0; // top-left corner of the text
    int y = 0;
    double points = 10; // font size; below the usual one where a table was scaled to fit
    std::string text;   // UTF-8
};

// A cell outline, drawn as four lines: top, right, bottom, left.
struct PrintBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct PrintPage {
    std::vector<PrintText> texts;
    std::vector<PrintBox> boxes;
};

// Text measures of the printer's font in dots.
class TextMeasure
{
  public:
    virtual ~TextMeasure() = default;
    virtual int lineHeight(int points) const = 0;
    virtual int width(const std::string& utf8, int points) const = 0;
};

struct PageGeometry {
    int width = 0; // printable width, dots
    int dpi = 300;
};

inline constexpr int kRowsPerPage = 40;
inline constexpr int kTableStartY = 100;
inline constexpr int kReportTableStartY = 150;

// The product, message and configuration printouts: the table from y = 100.
std::vector<PrintPage> layoutTable(const Table& table, const PageGeometry& page, const TextMeasure& measure);

// The report printout: a title line with the time of printing, the report table from y = 150
// when printTable, and the three totals lines when printTotals. Texts of the table, the
// totals fields and the scale name are code page 1251; the date and time of printing UTF-8.
struct ReportPrint {
    Table table;
    std::vector<std::string> totals; // the twelve fields, files/ReportFile.h order
    std::string scaleName;
    std::string printedDate;
    std::string printedTime;
    bool printTable = true;
    bool printTotals = true;
};
std::vector<PrintPage> layoutReport(const ReportPrint& report, const PageGeometry& page, const TextMeasure& measure);

} // namespace qm
