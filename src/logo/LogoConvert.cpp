#include "logo/LogoConvert.h"

#include <algorithm>

namespace qm
{

std::uint32_t Monochrom(std::uint32_t colour, int threshold)
{
    const int r = static_cast<int>(colour & 0xFF);
    const int g = static_cast<int>((colour >> 8) & 0xFF);
    const int b = static_cast<int>((colour >> 16) & 0xFF);
    const int brightness = (r + g + b) / 3;
    return threshold >= brightness ? kBlack : kWhite;
}

LogoPicture convertPicture(const RgbPicture& picture, int threshold)
{
    LogoPicture logo;
    const int width = std::min(picture.width, kLogoSide);
    const int height = std::min(picture.height, kLogoSide);
    if (picture.pixels.size() < static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height))
        return logo;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            logo.setDot(x, y, Monochrom(picture.at(x, y), threshold) != kWhite);
    return logo;
}

} // namespace qm
