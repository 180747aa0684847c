#include "logo/LogoCodec.h"

namespace qm
{

std::uint8_t BitToByte(const int (&dots)[8])
{
    std::uint8_t byte = 0;
    for (int i = 0; i < 8; ++i)
        if (dots[i] == 1)
            setDot(&byte, i);
    return byte;
}

Bytes packLogo(const LogoPicture& picture)
{
    Bytes packed(kLogoPackedSize);
    for (int k = 0; k < kLogoPackedSize; ++k) {
        int dots[8];
        for (int i = 0; i < 8; ++i)
            dots[i] = picture.dot(8 * k + i) ? 1 : 0;
        packed[static_cast<std::size_t>(k)] = BitToByte(dots);
    }
    return packed;
}

LogoPicture unpackLogo(const std::uint8_t* packed)
{
    LogoPicture picture;
    for (int i = 0; i < kLogoDots; ++i)
        if (dotAt(packed, i))
            picture.setDot(i % kLogoSide, i / kLogoSide, true);
    return picture;
}

LogoPicture unpackLogo(const Bytes& packed, std::size_t offset)
{
    if (packed.size() < offset + kLogoPackedSize)
        return LogoPicture();
    return unpackLogo(packed.data() + offset);
}

std::string logoFileBytes(const LogoPicture& picture)
{
    const Bytes packed = packLogo(picture);
    return std::string(packed.begin(), packed.end());
}

LogoPicture logoFromFileBytes(const std::string& bytes)
{
    return unpackLogo(Bytes(bytes.begin(), bytes.end()));
}

Bytes encodeSendLogo(const LogoPicture& picture)
{
    Bytes out{kWriteLogoCommand};
    const Bytes packed = packLogo(picture);
    out.insert(out.end(), packed.begin(), packed.end());
    return out;
}

Bytes encodeGetLogo()
{
    return {kReadLogoCommand};
}

LogoPicture decodeGetLogoAnswer(const Bytes& answer)
{
    return unpackLogo(answer, 1);
}

} // namespace qm
