// The logo: writing and reading it against the emulated scale on simulated 2400, 4800 and 19200
// baud lines (wall time against the line time of the bytes exchanged), and reading a picture for
// the conversion, small and large, where only the top-left 64 × 64 pixels matter (wall time and
// the growth of the peak memory).
#include <QCoreApplication>
#include <QImage>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "BenchSupport.h"
#include "logo/LogoConvert.h"
#include "logo/LogoTransfer.h"
#include "logo/PictureFile.h"

namespace fs = std::filesystem;

namespace
{

double seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void transfer(int baud)
{
    bench::EmuBench scale(baud, std::to_string(baud));
    const qm::ScaleLink& link = scale.link;
    bench::LineBytes& bytes = scale.bytes;
    qm::LogoPicture picture;
    for (int i = 0; i < qm::kLogoSide; ++i)
        picture.setDot(i, i, true);

    const auto report = [&](const char* what, bool ok, double wall) {
        const double line = static_cast<double>(bytes.count) * 10 / baud;
        std::printf("%-6s %5d baud %s %4zu bytes %6.3f s wall  line %6.3f s  wall/line %5.3f\n", what, baud,
                    ok ? "ok    " : "FAILED", bytes.count, wall, line, wall / line);
        bytes.count = 0;
    };
    auto t0 = std::chrono::steady_clock::now();
    bool ok = qm::sendLogo(link, picture) == qm::TransferOutcome::Done;
    report("write", ok, seconds(t0));
    qm::ValueHolder<qm::LogoPicture> read;
    t0 = std::chrono::steady_clock::now();
    ok = qm::readLogo(link, read, {}) == qm::TransferOutcome::Done && read.value() == picture;
    report("read", ok, seconds(t0));
}

// A white picture file, written by a child process so that its pixels do not count in this
// process's peak memory.
void makePicture(const fs::path& path, int width, int height, const char* format)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(0, 0, qRgb(0, 0, 0));
    image.save(QString::fromStdString(path.string()), format, 90);
}

void picture(const char* self, const fs::path& dir, const char* name, int width, int height, const char* format)
{
    const fs::path path = dir / name;
    const std::string make = std::string("\"") + self + "\" make \"" + path.string() + "\" " + std::to_string(width) +
                             " " + std::to_string(height) + " " + format;
    if (std::system(make.c_str()) != 0)
        std::printf("could not write %s\n", name);
    const long before = bench::peakKib();
    const auto t0 = std::chrono::steady_clock::now();
    const qm::PictureLoad load = qm::loadPicture(path);
    const qm::LogoPicture logo = qm::convertPicture(load.picture, qm::kThresholdDefault);
    const double wall = seconds(t0);
    std::printf("convert %-4s %5d x %-5d %s %8.4f s  peak memory +%ld KiB  (%d dot set)\n", format, width, height,
                load.error ? "FAILED" : "ok    ", wall, bench::peakKib() - before, logo.setCount());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 6 && std::string(argv[1]) == "make") {
        makePicture(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), argv[5]);
        return 0;
    }
    for (int baud : {2400, 4800, 19200})
        transfer(baud);

    const fs::path dir =
        fs::temp_directory_path() / ("qm-bench-logo-" + std::to_string(QCoreApplication::applicationPid()));
    fs::create_directories(dir);
    // Smallest first: the peak only grows.
    picture(argv[0], dir, "small.png", 64, 64, "PNG");
    picture(argv[0], dir, "large.jpg", 6000, 4000, "JPG");
    picture(argv[0], dir, "large.png", 6000, 4000, "PNG");
    fs::remove_all(dir);
    return 0;
}
