#pragma once
// The logo as the emulated scale keeps it, packed by the emulator's own byte table (not by the
// program's codec), so a test compares what the program sent with an independent picture of it.

#include "ScaleState.h"
#include "logo/LogoPicture.h"

namespace logotest
{

inline emu::LogoBytes scaleBytes(const qm::LogoPicture& picture)
{
    emu::LogoBytes bytes{};
    for (int y = 0; y < qm::kLogoSide; ++y)
        for (int x = 0; x < qm::kLogoSide; ++x)
            if (picture.dot(x, y)) {
                const int i = y * qm::kLogoSide + x; // byte i / 8, bit 7 - i % 8
                bytes[static_cast<std::size_t>(i / 8)] |= static_cast<std::uint8_t>(0x80 >> (i % 8));
            }
    return bytes;
}

} // namespace logotest
