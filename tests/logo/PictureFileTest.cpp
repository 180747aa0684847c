// Reading picture files of every common format for the conversion: the files are written by Qt's
// own image writers (GIF, which Qt does not write, by hand), then read back as the tab and the
// command line read them.
#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "logo/LogoConvert.h"
#include "logo/PictureFile.h"

namespace fs = std::filesystem;

namespace
{

class PictureFiles : public ::testing::Test
{
  protected:
    PictureFiles()
    {
        std::random_device random;
        dir = fs::temp_directory_path() / ("qm-pictures-" + std::to_string(random()));
        fs::create_directories(dir);
    }
    ~PictureFiles() override { fs::remove_all(dir); }

    // A white picture with a black block over x < 32, y < 16 (and nothing else).
    fs::path saved(const std::string& name, int width, int height, const char* format, int quality = -1)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 32; ++x)
                image.setPixel(x, y, qRgb(0, 0, 0));
        const fs::path path = dir / name;
        EXPECT_TRUE(image.save(QString::fromStdString(path.string()), format, quality)) << name;
        return path;
    }

    qm::LogoPicture converted(const fs::path& path)
    {
        const qm::PictureLoad load = qm::loadPicture(path);
        EXPECT_FALSE(load.error) << *load.error;
        return qm::convertPicture(load.picture, qm::kThresholdDefault);
    }

    // The logo of the pictures `saved` writes.
    static qm::LogoPicture blackBlock()
    {
        qm::LogoPicture logo;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 32; ++x)
                logo.setDot(x, y, true);
        return logo;
    }

    fs::path dir;
};

} // namespace

TEST_F(PictureFiles, BmpPngAndJpegGiveTheSameLogo)
{
    const qm::LogoPicture expected = blackBlock();
    EXPECT_EQ(converted(saved("a.bmp", 64, 64, "BMP")), expected);
    EXPECT_EQ(converted(saved("a.png", 64, 64, "PNG")), expected);
    // Lossy, but black and white blocks on an 8-pixel grid come back clean.
    EXPECT_EQ(converted(saved("a.jpg", 64, 64, "JPG", 100)), expected);
}

TEST_F(PictureFiles, TiffAndWebpFromTheExtraImagePluginsAreReadToo)
{
    const qm::LogoPicture expected = blackBlock();
    EXPECT_EQ(converted(saved("a.tif", 64, 64, "TIFF")), expected);
    EXPECT_EQ(converted(saved("a.webp", 64, 64, "WEBP", 100)), expected);
}

TEST_F(PictureFiles, AHandWrittenGifOfOneBlackPixelIsRead)
{
    // GIF89a, 1 × 1, a global table of two colours (black, white), one image whose LZW data
    // (minimum code size 2: clear, index 0, end) is 0x44 0x01.
    const unsigned char gif[] = {'G',  'I',  'F',  '8',  '9',  'a',  0x01, 0x00, 0x01, 0x00, 0x80, 0x00,
                                 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x2C, 0x00, 0x00, 0x00, 0x00,
                                 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
    const fs::path path = dir / "dot.gif";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(gif), sizeof gif);
    const qm::LogoPicture logo = converted(path);
    EXPECT_EQ(logo.setCount(), 1);
    EXPECT_TRUE(logo.dot(0, 0));
}

TEST_F(PictureFiles, OnlyTheTopLeftCornerOfALargePictureIsKept)
{
    for (const char* format : {"PNG", "JPG"}) {
        const fs::path path = saved(std::string("large.") + format, 3000, 2000, format, 100);
        const qm::PictureLoad load = qm::loadPicture(path);
        ASSERT_FALSE(load.error);
        EXPECT_EQ(load.picture.width, 64) << format;
        EXPECT_EQ(load.picture.height, 64) << format;
        EXPECT_EQ(qm::convertPicture(load.picture, qm::kThresholdDefault).setCount(), 32 * 16) << format;
    }
}

TEST_F(PictureFiles, APictureTooLargeToDecodeIsRefusedWithItsSize)
{
    // A PNG signature and header chunk that claim 20000 × 20000 pixels (1.5 GB decoded), and an
    // empty data chunk.
    const unsigned char header[] = {0x89, 'P',  'N',  'G',  0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D,
                                    'I',  'H',  'D',  'R',  0x00, 0x00, 0x4E, 0x20, 0x00, 0x00, 0x4E, 0x20,
                                    0x08, 0x02, 0x00, 0x00, 0x00, 0x6C, 0x12, 0xD1, 0x6E, // 8 bits RGB, CRC
                                    0x00, 0x00, 0x00, 0x00, 'I',  'D',  'A',  'T',  0x35, 0xAF, 0x06, 0x1E};
    const fs::path path = dir / "huge.png";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(header), sizeof header);
    const qm::PictureLoad load = qm::loadPicture(path);
    ASSERT_TRUE(load.error);
    EXPECT_NE(load.error->find("20000 × 20000"), std::string::npos) << *load.error;
}

TEST_F(PictureFiles, ASmallPictureIsReadAtItsOwnSize)
{
    const qm::PictureLoad load = qm::loadPicture(saved("small.png", 40, 20, "PNG"));
    ASSERT_FALSE(load.error);
    EXPECT_EQ(load.picture.width, 40);
    EXPECT_EQ(load.picture.height, 20);
    const qm::LogoPicture logo = qm::convertPicture(load.picture, qm::kThresholdDefault);
    EXPECT_EQ(logo.setCount(), 32 * 16);
    EXPECT_FALSE(logo.dot(0, 20)) << "below the picture stays white";
}

TEST_F(PictureFiles, TransparentPixelsCountAsWhite)
{
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));   // black, fully transparent
    image.setPixel(1, 0, qRgba(0, 0, 0, 255)); // black
    const fs::path path = dir / "alpha.png";
    ASSERT_TRUE(image.save(QString::fromStdString(path.string()), "PNG"));
    const qm::LogoPicture logo = converted(path);
    EXPECT_FALSE(logo.dot(0, 0));
    EXPECT_TRUE(logo.dot(1, 0));
}

TEST_F(PictureFiles, MissingAndDamagedFilesAreRefusedWithTheirName)
{
    const qm::PictureLoad missing = qm::loadPicture(dir / "none.png");
    ASSERT_TRUE(missing.error);
    EXPECT_NE(missing.error->find("none.png"), std::string::npos);
    EXPECT_TRUE(missing.picture.pixels.empty());

    std::ofstream(dir / "bad.png", std::ios::binary) << "\x89PNG\r\n\x1a\n this is no picture";
    const qm::PictureLoad damaged = qm::loadPicture(dir / "bad.png");
    ASSERT_TRUE(damaged.error);
    EXPECT_NE(damaged.error->find("bad.png"), std::string::npos);
}

TEST(PictureFormats, TheDialogOffersTheCommonFormats)
{
    const auto patterns = qm::pictureFilePatterns();
    for (const char* pattern : {"*.bmp", "*.png", "*.jpg", "*.jpeg", "*.gif", "*.tif", "*.tiff", "*.webp"})
        EXPECT_NE(std::find(patterns.begin(), patterns.end(), pattern), patterns.end()) << pattern;
}
