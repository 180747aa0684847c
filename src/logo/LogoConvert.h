#pragma once
// Turning a picture into the logo: its top-left 64 × 64 pixels, nothing scaled, each made black or
// white by `Monochrom` with the threshold of `TrackBar1`. The picture file is decoded by the
// window or the command line (logo/PictureFile.h); this part works on plain pixels.

#include <cstdint>
#include <vector>

#include "logo/LogoPicture.h"

namespace qm
{

// The threshold's range and the settings file's default.
inline constexpr int kThresholdLow = 20;
inline constexpr int kThresholdHigh = 220;
inline constexpr int kThresholdDefault = 127;

// Colours as the picture model keeps them: red in bits 0..7, green in bits 8..15, blue in bits
// 16..23.
inline constexpr std::uint32_t kBlack = 0x000000;
inline constexpr std::uint32_t kWhite = 0xFFFFFF;

inline constexpr std::uint32_t rgbColour(int r, int g, int b)
{
    return static_cast<std::uint32_t>((r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16);
}

// A decoded picture: `width` × `height` colours, row by row from the top.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// Black (0) when the threshold is at least the brightness (R + G + B) / 3, remainder dropped;
// white (0xFFFFFF) otherwise. A higher threshold makes more dots black.
std::uint32_t Monochrom(std::uint32_t colour, int threshold);

// The logo of the picture's top-left 64 × 64 pixels; the part a smaller picture leaves uncovered
// is white, so it stays clear.
LogoPicture convertPicture(const RgbPicture& picture, int threshold);

} // namespace qm
