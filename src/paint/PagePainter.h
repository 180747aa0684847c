#pragma once
// Drawing the pages that print/ laid out onto a Qt paint device: a printer (the window) or a
// PDF file (the window's "save as PDF" and the command line's print --pdf). The one place where
// the printed layout meets Qt's painter, shared by both programs.

#include <QFont>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "print/PageLayout.h"

class QPagedPaintDevice;
class QPainter;
class QPaintDevice;

namespace qm::paint
{

// A printout to be laid out for the device it goes to.
using Printout = std::function<std::vector<PrintPage>(const PageGeometry& page, const TextMeasure& measure)>;

// Text measures of a font on a device: the metrics the painter draws with.
class DeviceMeasure : public TextMeasure
{
  public:
    DeviceMeasure(QPaintDevice* device, QFont font) : m_device(device), m_font(std::move(font)) {}
    int lineHeight(int points) const override;
    int width(const std::string& utf8, int points) const override;
    QFont font(double points) const;

  private:
    QPaintDevice* m_device;
    QFont m_font;
};

// The page geometry of a device (its printable width and resolution).
PageGeometry geometryOf(const QPagedPaintDevice& device);

// Lays the printout out for the painter's device and draws it, one device page a page. The page
// count, 0 when the painter is not active.
int paintPrintout(QPainter& painter, QPagedPaintDevice& device, const Printout& printout);

// The date and time a report printout carries, as the program writes them everywhere whatever
// the system's language: "dd.MM.yyyy" and "HH:mm:ss" (no time zone), UTF-8.
struct PrintedAt {
    std::string date;
    std::string time;
};
PrintedAt printedNow();

// Writes the printout as a landscape A4 PDF at 300 dpi, saved by saveFileAtomically (a temporary
// file renamed into place, through a symbolic link, keeping the old file's permissions). The page
// count, or nullopt with the reason in error (UTF-8). Needs a QGuiApplication (any platform,
// offscreen included) for the fonts.
std::optional<int> writePdf(const std::string& path, const Printout& printout, std::string& error);

} // namespace qm::paint
