#include "logo/PictureFile.h"

#include <QImage>
#include <QImageReader>
#include <QString>

#include <algorithm>

namespace qm
{

namespace
{

std::string reasonText(QImageReader::ImageReaderError error)
{
    switch (error) {
    case QImageReader::FileNotFoundError:
        return "файл не найден";
    case QImageReader::DeviceError:
        return "файл не читается";
    case QImageReader::UnsupportedFormatError:
        return "это не рисунок или формат рисунка не поддерживается";
    case QImageReader::InvalidDataError:
        return "файл рисунка поврежден";
    default:
        return "рисунок не удалось прочитать";
    }
}

std::string failedText(const std::filesystem::path& path, const std::string& reason)
{
    const auto name = path.u8string();
    return "Не удалось открыть рисунок \"" + std::string(name.begin(), name.end()) + "\":\r\n" + reason + ".";
}

// A colour laid over white by its alpha, in the picture model's byte order (red lowest).
std::uint32_t overWhite(QRgb pixel)
{
    const int a = qAlpha(pixel);
    const auto blend = [a](int c) { return (c * a + 255 * (255 - a) + 127) / 255; };
    return rgbColour(blend(qRed(pixel)), blend(qGreen(pixel)), blend(qBlue(pixel)));
}

} // namespace

PictureLoad loadPicture(const std::filesystem::path& path)
{
    PictureLoad load;
    QImageReader reader(QString::fromStdU16String(path.u16string()));
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    // A format that knows its size before decoding and can decode a part decodes only the corner.
    const bool clipped = size.isValid() && reader.supportsOption(QImageIOHandler::ClipRect);
    if (clipped)
        reader.setClipRect(QRect(0, 0, std::min(size.width(), kLogoSide), std::min(size.height(), kLogoSide)));
    // The others decode whole, up to the reader's memory limit: a larger picture is refused by name.
    const double megabytes = size.isValid() ? 4.0 * size.width() * size.height() / (1024 * 1024) : 0;
    if (!clipped && reader.allocationLimit() > 0 && megabytes > reader.allocationLimit()) {
        load.error = failedText(path, "рисунок слишком большой (" + std::to_string(size.width()) + " × " +
                                          std::to_string(size.height()) +
                                          " точек); сохраните его левый верхний угол "
                                          "64 × 64 отдельным файлом");
        return load;
    }
    QImage image = reader.read();
    if (image.isNull()) {
        load.error = failedText(path, reasonText(reader.error()));
        return load;
    }
    image = image.copy(0, 0, std::min(image.width(), kLogoSide), std::min(image.height(), kLogoSide))
                .convertToFormat(QImage::Format_ARGB32);
    load.picture.width = image.width();
    load.picture.height = image.height();
    load.picture.pixels.reserve(static_cast<std::size_t>(image.width() * image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            load.picture.pixels.push_back(overWhite(line[x]));
    }
    return load;
}

std::vector<std::string> pictureFilePatterns()
{
    std::vector<std::string> patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns.push_back("*." + format.toLower().toStdString());
    std::sort(patterns.begin(), patterns.end());
    patterns.erase(std::unique(patterns.begin(), patterns.end()), patterns.end());
    return patterns;
}

} // namespace qm
