// The threshold conversion of a picture into the logo: `Monochrom` at its edges and the cut to
// the top-left 64 × 64 pixels.
#include <gtest/gtest.h>

#include "logo/LogoConvert.h"

using qm::LogoPicture;
using qm::Monochrom;
using qm::rgbColour;
using qm::RgbPicture;

namespace
{

RgbPicture filled(int width, int height, std::uint32_t colour)
{
    RgbPicture p;
    p.width = width;
    p.height = height;
    p.pixels.assign(static_cast<std::size_t>(width * height), colour);
    return p;
}

void put(RgbPicture& p, int x, int y, std::uint32_t colour)
{
    p.pixels[static_cast<std::size_t>(y * p.width + x)] = colour;
}

} // namespace

TEST(Monochrom, ThresholdAtOrAboveTheBrightnessGivesBlack)
{
    EXPECT_EQ(Monochrom(rgbColour(128, 128, 128), 130), qm::kBlack);
    EXPECT_EQ(Monochrom(rgbColour(131, 131, 131), 130), qm::kWhite);
    EXPECT_EQ(Monochrom(rgbColour(130, 130, 130), 130), qm::kBlack) << "equal counts as black";
    // The remainder of the division is dropped: (100 + 100 + 102) / 3 = 100.
    EXPECT_EQ(Monochrom(rgbColour(100, 100, 102), 100), qm::kBlack);
    EXPECT_EQ(Monochrom(rgbColour(100, 100, 103), 100), qm::kWhite);
}

TEST(Monochrom, PureRedIsBlackFrom85Up)
{
    const std::uint32_t red = rgbColour(255, 0, 0);
    EXPECT_EQ(red, 0x0000FFu) << "red in the low byte";
    for (int threshold = qm::kThresholdLow; threshold <= qm::kThresholdHigh; ++threshold)
        EXPECT_EQ(Monochrom(red, threshold), threshold >= 85 ? qm::kBlack : qm::kWhite) << threshold;
    // Only the three colour bytes count.
    EXPECT_EQ(Monochrom(0xFF000000u | red, 85), qm::kBlack);
    EXPECT_EQ(Monochrom(qm::kWhite, qm::kThresholdHigh), qm::kWhite);
    EXPECT_EQ(Monochrom(qm::kBlack, qm::kThresholdLow), qm::kBlack);
}

TEST(ConvertPicture, AWidePictureKeepsItsTopLeftPartAndTheRestStaysWhite)
{
    // 100 × 40, black everywhere: the logo is black in its top-left 64 × 40.
    const LogoPicture logo = qm::convertPicture(filled(100, 40, qm::kBlack), 127);
    EXPECT_EQ(logo.setCount(), 64 * 40);
    EXPECT_TRUE(logo.dot(63, 39));
    EXPECT_FALSE(logo.dot(0, 40));
}

TEST(ConvertPicture, ASmallPictureLeavesTheUncoveredDotsClear)
{
    RgbPicture small = filled(3, 2, qm::kWhite);
    put(small, 2, 1, rgbColour(10, 20, 30));
    const LogoPicture logo = qm::convertPicture(small, qm::kThresholdDefault);
    EXPECT_EQ(logo.setCount(), 1);
    EXPECT_TRUE(logo.dot(2, 1));
}

TEST(ConvertPicture, ALargePictureIsCutNotScaled)
{
    RgbPicture large = filled(1000, 700, qm::kWhite);
    put(large, 0, 0, qm::kBlack);
    put(large, 63, 63, qm::kBlack);
    put(large, 64, 0, qm::kBlack); // right of the cut
    put(large, 0, 64, qm::kBlack); // below the cut
    put(large, 999, 699, qm::kBlack);
    const LogoPicture logo = qm::convertPicture(large, qm::kThresholdDefault);
    EXPECT_EQ(logo.setCount(), 2);
    EXPECT_TRUE(logo.dot(0, 0));
    EXPECT_TRUE(logo.dot(63, 63));
}

TEST(ConvertPicture, TheThresholdDecidesGreys)
{
    const RgbPicture grey = filled(64, 64, rgbColour(128, 128, 128));
    EXPECT_EQ(qm::convertPicture(grey, 127).setCount(), 0);
    EXPECT_EQ(qm::convertPicture(grey, 128).setCount(), 4096);
}

TEST(ConvertPicture, PixelsShortOfTheSizeGiveAWhiteLogo)
{
    RgbPicture broken = filled(64, 64, qm::kBlack);
    broken.pixels.resize(100);
    EXPECT_EQ(qm::convertPicture(broken, 127).setCount(), 0);
}
