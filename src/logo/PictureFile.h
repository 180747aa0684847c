#pragma once
// Reading a picture file for the conversion into the logo: every format the platform's image
// library reads (BMP, PNG, JPEG, GIF ...). Like link/TComm.cpp, the one file of its folder that
// uses Qt (QtGui's image reader, no display needed), built as its own library that keeps Qt
// private: this header is plain C++.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "logo/LogoConvert.h"

namespace qm
{

struct PictureLoad {
    RgbPicture picture;               // the top-left 64 × 64 pixels at most
    std::optional<std::string> error; // UTF-8, naming the file; the picture is then empty
};

// Keeps only the top-left 64 × 64 pixels (formats that can decode a part decode no more); a
// transparent pixel counts as laid over white.
PictureLoad loadPicture(const std::filesystem::path& path);

// "*.bmp", "*.png" ... one for each file extension of the formats loadPicture reads.
std::vector<std::string> pictureFilePatterns();

} // namespace qm
