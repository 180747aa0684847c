#include "paint/PagePainter.h"

#include <QBuffer>
#include <QDateTime>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <filesystem>

#include "files/FileIo.h"

namespace qm::paint
{

namespace
{

constexpr int kPdfDpi = 300;
// A printer cannot print to the paper's edge; the PDF keeps a margin of a common printer's size.
constexpr double kPdfMarginMm = 5.0;

void drawPage(QPainter& painter, const DeviceMeasure& measure, const PrintPage& page)
{
    for (const PrintText& t : page.texts) {
        const QFont font = measure.font(t.points);
        painter.setFont(font);
        // Texts are placed by their top-left corner; the painter draws from the baseline.
        const QFontMetrics metrics(font, painter.device());
        painter.drawText(t.x, t.y + metrics.ascent(), QString::fromStdString(t.text));
    }
    for (const PrintBox& b : page.boxes) {
        painter.drawLine(b.left, b.top, b.right, b.top);
        painter.drawLine(b.right, b.top, b.right, b.bottom);
        painter.drawLine(b.right, b.bottom, b.left, b.bottom);
        painter.drawLine(b.left, b.bottom, b.left, b.top);
    }
}

} // namespace

QFont DeviceMeasure::font(double points) const
{
    QFont f = m_font;
    f.setPointSizeF(points);
    return f;
}

int DeviceMeasure::lineHeight(int points) const
{
    return QFontMetrics(font(points), m_device).height();
}

int DeviceMeasure::width(const std::string& utf8, int points) const
{
    return QFontMetrics(font(points), m_device).horizontalAdvance(QString::fromStdString(utf8));
}

PageGeometry geometryOf(const QPagedPaintDevice& device)
{
    PageGeometry page;
    page.width = device.width();
    page.dpi = device.logicalDpiX();
    return page;
}

int paintPrintout(QPainter& painter, QPagedPaintDevice& device, const Printout& printout)
{
    if (!painter.isActive())
        return 0;
    const DeviceMeasure measure(&device, QFont());
    const std::vector<PrintPage> pages = printout(geometryOf(device), measure);
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        drawPage(painter, measure, pages[i]);
    }
    return static_cast<int>(pages.size());
}

PrintedAt printedNow()
{
    const QDateTime now = QDateTime::currentDateTime();
    return {now.date().toString(QStringLiteral("dd.MM.yyyy")).toStdString(),
            now.time().toString(QStringLiteral("HH:mm:ss")).toStdString()};
}

std::optional<int> writePdf(const std::string& path, const Printout& printout, std::string& error)
{
    // Drawn in memory first and then saved as every file of the program is: a failure to write
    // leaves an older PDF whole and gets the same message (files/FileIo.h).
    QByteArray bytes;
    int pageCount = 0;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kPdfDpi);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                      QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                                      QPageLayout::Millimeter));
        pdf.setTitle(QFileInfo(QString::fromStdString(path)).completeBaseName());
        QPainter painter(&pdf);
        pageCount = paintPrintout(painter, pdf, printout);
        if (!painter.end() || pageCount == 0) {
            error = "Не удалось создать PDF " + path;
            return std::nullopt;
        }
    }
    if (const auto failed = saveFileAtomically(std::filesystem::u8path(path),
                                               std::string_view(bytes.constData(), size_t(bytes.size())))) {
        error = *failed;
        return std::nullopt;
    }
    return pageCount;
}

} // namespace qm::paint
