// The packed logo byte for byte: the bit order of a byte, the order of the bytes, and the two
// logo commands on the wire, with the expected bytes written out from the byte table.
#include <gtest/gtest.h>

#include "logo/LogoCodec.h"

using qm::Bytes;
using qm::LogoPicture;

namespace
{

Bytes zeros(std::size_t n)
{
    return Bytes(n, 0x00);
}

} // namespace

TEST(BitToByte, FirstDotIsTheHighBitAndOnlyAOneCountsAsSet)
{
    EXPECT_EQ(qm::BitToByte({1, 0, 0, 0, 0, 0, 0, 0}), 0x80);
    EXPECT_EQ(qm::BitToByte({0, 0, 0, 0, 0, 0, 0, 1}), 0x01);
    EXPECT_EQ(qm::BitToByte({1, 1, 0, 1, 0, 0, 1, 1}), 0xD3);
    // Anything but 1 is a clear dot.
    EXPECT_EQ(qm::BitToByte({2, -1, 255, 0, 1, 0, 0, 0}), 0x08);
}

TEST(LogoPacking, CornerDotsGoToTheFirstAndLastBits)
{
    LogoPicture first;
    first.setDot(0, 0, true);
    Bytes expected = zeros(512);
    expected[0] = 0x80; // dot (0, 0): byte 0, bit 7
    EXPECT_EQ(qm::packLogo(first), expected);

    LogoPicture last;
    last.setDot(63, 63, true);
    expected = zeros(512);
    expected[511] = 0x01; // dot (63, 63) = index 4095: byte 511, bit 0
    EXPECT_EQ(qm::packLogo(last), expected);
}

TEST(LogoPacking, EachRowIsEightBytesLeftmostDotFirst)
{
    LogoPicture picture;
    picture.setDot(9, 1, true);  // index 73: byte 9, bit 6
    picture.setDot(63, 0, true); // index 63: byte 7, bit 0
    picture.setDot(8, 2, true);  // index 136: byte 17, bit 7
    Bytes expected = zeros(512);
    expected[7] = 0x01;
    expected[9] = 0x40;
    expected[17] = 0x80;
    EXPECT_EQ(qm::packLogo(picture), expected);
    EXPECT_EQ(qm::unpackLogo(expected), picture);
}

TEST(LogoPacking, AllOnesUnpackBlackAndEveryPictureComesBackWhole)
{
    const LogoPicture black = qm::unpackLogo(Bytes(512, 0xFF));
    EXPECT_EQ(black.setCount(), 4096);

    // A pattern with a different bit in every position of every byte.
    LogoPicture picture;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            picture.setDot(x, y, (x * 7 + y * 13) % 5 < 2);
    EXPECT_EQ(qm::unpackLogo(qm::packLogo(picture)), picture);
    EXPECT_EQ(qm::logoFromFileBytes(qm::logoFileBytes(picture)), picture);
    EXPECT_EQ(qm::logoFileBytes(picture).size(), 512u);
}

TEST(LogoWire, WriteIsTheCommandAndThe512PackedBytes)
{
    Bytes white{0x8C};             // command: write logo
    const Bytes body = zeros(512); // 512 bytes, all dots clear
    white.insert(white.end(), body.begin(), body.end());
    EXPECT_EQ(qm::encodeSendLogo(LogoPicture()), white);

    LogoPicture full;
    full.fill();
    Bytes black{0x8C};
    black.insert(black.end(), 512, 0xFF); // every dot set
    EXPECT_EQ(qm::encodeSendLogo(full), black);
}

TEST(LogoWire, ReadIsOneByteAndItsAnswerSkipsTheFirstByte)
{
    EXPECT_EQ(qm::encodeGetLogo(), (Bytes{0x97}));
    Bytes answer{0xFF}; // the leading byte, ignored even when all its bits are set
    answer.insert(answer.end(), 512, 0x00);
    answer[1] = 0x80; // dot (0, 0)
    const LogoPicture picture = qm::decodeGetLogoAnswer(answer);
    EXPECT_EQ(picture.setCount(), 1);
    EXPECT_TRUE(picture.dot(0, 0));
}

TEST(LogoPictureModel, ToggleTwiceRestoresAndOutsidePointsChangeNothing)
{
    LogoPicture picture;
    EXPECT_TRUE(picture.toggle(1, 2));
    EXPECT_TRUE(picture.dot(1, 2));
    EXPECT_TRUE(picture.toggle(1, 2));
    EXPECT_EQ(picture, LogoPicture());
    for (const auto& [x, y] : {std::pair{-1, 0}, {0, -1}, {64, 0}, {0, 64}}) {
        EXPECT_FALSE(picture.toggle(x, y));
        picture.setDot(x, y, true);
        EXPECT_FALSE(picture.dot(x, y));
    }
    EXPECT_EQ(picture.setCount(), 0);
}
