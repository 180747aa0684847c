// The printout written as a PDF by the painter that the window and the command line share.
#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>

#include "common/TableLayouts.h"
#include "paint/PagePainter.h"
#include "support/SaveFaults.h"

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

// With the real font on the real page, the widest tables keep every column inside the page.
TEST(Pdf, WideTablesKeepEveryColumnOnThePage)
{
    for (const TableLayout* layout : {&productLayout(), &reportLayout()}) {
        const Table table = makeTable(*layout);
        PageGeometry geometry;
        std::vector<PrintPage> laid;
        const paint::Printout spy = [&](const PageGeometry& page, const TextMeasure& measure) {
            geometry = page;
            laid = layoutTable(table, page, measure);
            return laid;
        };
        QTemporaryDir dir;
        std::string error;
        ASSERT_TRUE(paint::writePdf(dir.filePath(QStringLiteral("wide.pdf")).toStdString(), spy, error)) << error;
        ASSERT_EQ(laid.size(), 1u);
        const PrintPage& page = laid[0];
        ASSERT_EQ(page.boxes.size(), 2u * static_cast<size_t>(table.columnCount()));
        for (int c = 0; c < table.columnCount(); ++c) {
            EXPECT_EQ(page.texts[static_cast<size_t>(c)].text, layout->headers[static_cast<size_t>(c)]) << c;
            EXPECT_LT(page.boxes[static_cast<size_t>(c)].left, page.boxes[static_cast<size_t>(c)].right) << c;
            EXPECT_LE(page.boxes[static_cast<size_t>(c)].right, geometry.width) << c;
        }
    }
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

// "Сохранить в PDF…" and `print --pdf` against a full disk, a read-only directory and a directory
// in place of the file: the old PDF stays whole, no temporary stays, the message names the file.
TEST(Pdf, AFailedSaveKeepsTheOldPdfAndNamesIt)
{
    namespace fs = std::filesystem;
    for (const qmtest::SaveFault fault : qmtest::allSaveFaults()) {
        SCOPED_TRACE(qmtest::faultName(fault));
        QTemporaryDir top;
        const fs::path dir = fs::path(top.path().toStdString()) / "d";
        fs::create_directory(dir);
        const fs::path target = dir / "out.pdf";
        std::ofstream(target, std::ios::binary) << "old pdf";
        std::string error;
        std::optional<int> pages;
        {
            qmtest::SaveFaultScope scope(fault, target);
            if (!scope.skipReason().empty())
                GTEST_SKIP() << scope.skipReason();
            pages = paint::writePdf(target.string(), productPrintout(10), error);
        }
        EXPECT_FALSE(pages);
        EXPECT_NE(error.find("Не удалось сохранить файл \"" + target.string() + "\""), std::string::npos) << error;
        EXPECT_NE(error.find(qmtest::faultReason(fault)), std::string::npos) << error;
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir))
            names.push_back(e.path().filename().string());
        EXPECT_EQ(names, std::vector<std::string>{"out.pdf"}) << "a temporary file stayed behind";
        if (fault == qmtest::SaveFault::DirectoryInPlace) {
            EXPECT_TRUE(fs::is_directory(target));
        } else {
            std::ifstream in(target, std::ios::binary);
            EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old pdf");
        }
    }
}

TEST(Pdf, ASaveThroughASymbolicLinkKeepsTheLinkAndTheMode)
{
    namespace fs = std::filesystem;
    QTemporaryDir top;
    const fs::path dir(top.path().toStdString());
    std::ofstream(dir / "real.pdf", std::ios::binary) << "old pdf";
    fs::permissions(dir / "real.pdf", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real.pdf", dir / "link.pdf");
    std::string error;
    ASSERT_TRUE(paint::writePdf((dir / "link.pdf").string(), productPrintout(10), error)) << error;
    EXPECT_TRUE(fs::is_symlink(dir / "link.pdf"));
    EXPECT_EQ(pdfPageCount(QString::fromStdString((dir / "real.pdf").string())), 1);
    EXPECT_EQ(fs::status(dir / "real.pdf").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}
