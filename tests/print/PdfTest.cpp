// The printout written as a PDF by the painter that the window and the command line share.
#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <filesystem>
#include <regex>

#include "common/TableLayouts.h"
#include "paint/PagePainter.h"

using namespace qm;

namespace
{

// The number of page objects in a PDF.
int pdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const std::string bytes = file.readAll().toStdString();
    const std::regex page(R"(/Type\s*/Page[^s])");
    return static_cast<int>(
        std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page), std::sregex_iterator()));
}

paint::Printout productPrintout(int rows)
{
    Table table = makeTable(productLayout());
    std::vector<Row> data;
    for (int i = 1; i <= rows; ++i) {
        Row r(kProductColumns);
        r[0] = std::to_string(i);
        r[1] = "Product " + std::to_string(i);
        data.push_back(r);
    }
    table.setDataRows(data);
    return [table](const PageGeometry& page, const TextMeasure& measure) { return layoutTable(table, page, measure); };
}

} // namespace

TEST(Pdf, ProductPrintoutOfHundredRowsHasThreePages)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("products.pdf"));
    std::string error;
    const auto pages = paint::writePdf(path.toStdString(), productPrintout(100), error);
    ASSERT_TRUE(pages) << error;
    EXPECT_EQ(*pages, 3);
    EXPECT_EQ(pdfPageCount(path), 3);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
}

TEST(Pdf, LandscapeA4At300DpiAndAFailedWriteLeavesNoFile)
{
    QTemporaryDir dir;
    PageGeometry seen;
    const paint::Printout spy = [&seen](const PageGeometry& page, const TextMeasure& measure) {
        seen = page;
        EXPECT_GT(measure.lineHeight(10), 30) << "10 points at 300 dpi are about 42 dots";
        EXPECT_LT(measure.lineHeight(10), 80);
        return std::vector<PrintPage>(1);
    };
    std::string error;
    ASSERT_TRUE(paint::writePdf(dir.filePath(QStringLiteral("a.pdf")).toStdString(), spy, error));
    EXPECT_EQ(seen.dpi, 300);
    // A4 landscape is 297 mm wide: 3508 dots at 300 dpi, less two 5 mm margins.
    EXPECT_NEAR(seen.width, 3508 - 118, 3);

    const std::string missing = dir.filePath(QStringLiteral("no/such/dir/b.pdf")).toStdString();
    EXPECT_FALSE(paint::writePdf(missing, spy, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(std::filesystem::exists(missing));
}
