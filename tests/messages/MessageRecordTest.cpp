// The message commands' bytes, both ways.
#include <gtest/gtest.h>

#include "messages/MessageCodec.h"

using namespace qm;

namespace
{

MessageLines lines(std::initializer_list<std::string> given)
{
    MessageLines out;
    size_t i = 0;
    for (const auto& l : given)
        out[i++] = l;
    return out;
}

Bytes tail(const Bytes& bytes, size_t from, size_t count)
{
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                 bytes.begin() + static_cast<std::ptrdiff_t>(from + count));
}

Bytes blanks(size_t n)
{
    return Bytes(n, 0x20);
}

} // namespace

TEST(MessageRecord, WriteOfMessage1000CarriesNumberLowByteFirstThenEightLinesOf50)
{
    const Bytes out = encodeSendMsg(1000, lines({"AB", "", "", "", "", "", "", "xyz"}));
    ASSERT_EQ(out.size(), 403u);
    EXPECT_EQ(tail(out, 0, 3), (Bytes{0x84, 0xE8, 0x03}));
    Bytes line1{'A', 'B'};
    line1.resize(50, 0x20);
    EXPECT_EQ(tail(out, 3, 50), line1);
    for (size_t l = 1; l < 7; ++l)
        EXPECT_EQ(tail(out, 3 + 50 * l, 50), blanks(50)) << "line " << l + 1;
    Bytes line8{'x', 'y', 'z'};
    line8.resize(50, 0x20);
    EXPECT_EQ(tail(out, 353, 50), line8);
}

TEST(MessageRecord, LongLineGoesOutAsItsFirst50Characters)
{
    std::string seventy;
    for (int i = 0; i < 70; ++i)
        seventy += static_cast<char>('0' + i % 10);
    const Bytes out = encodeSendMsg(1, lines({seventy}));
    ASSERT_EQ(out.size(), 403u);
    EXPECT_EQ(tail(out, 3, 50), Bytes(seventy.begin(), seventy.begin() + 50));
    EXPECT_EQ(tail(out, 53, 50), blanks(50));
}

TEST(MessageRecord, CyrillicLettersGoOutInTheScaleCodePageOthersUnchanged)
{
    // А..п, р..я, Ё, ё, then Latin, digits and punctuation.
    std::string text;
    text += '\xC0'; // А
    text += '\xEF'; // п
    text += '\xF0'; // р
    text += '\xFF'; // я
    text += '\xA8'; // Ё
    text += '\xB8'; // ё
    text += "Az9.,";
    const Bytes out = encodeSendMsg(2, lines({text}));
    EXPECT_EQ(tail(out, 3, 11), (Bytes{0x80, 0xAF, 0xE0, 0xEF, 0xF0, 0xF1, 'A', 'z', '9', '.', ','}));
}

TEST(MessageRecord, NumberZeroAndLargestTwoByteNumberAndWhatDoesNotFit)
{
    EXPECT_EQ(tail(encodeSendMsg(0, {}), 0, 3), (Bytes{0x84, 0x00, 0x00}));
    EXPECT_EQ(messageWireNumber(0), std::optional<std::uint16_t>(0));
    EXPECT_EQ(messageWireNumber(65535), std::optional<std::uint16_t>(65535));
    EXPECT_EQ(messageWireNumber(1001), std::optional<std::uint16_t>(1001));
    // 70000 cut to 16 bits would be 4464, another message: never sent.
    EXPECT_FALSE(messageWireNumber(70000));
    EXPECT_FALSE(messageWireNumber(65536));
    EXPECT_FALSE(messageWireNumber(-5));
}

TEST(MessageRecord, ReadAndDeleteRequests)
{
    EXPECT_EQ(encodeGetMsg(1000), (Bytes{0x83, 0xE8, 0x03}));
    EXPECT_EQ(encodeGetMsg(7), (Bytes{0x83, 0x07, 0x00}));
    EXPECT_EQ(encodeDeleteMsg(10), (Bytes{0x8E, 0x0A, 0x00}));
    EXPECT_EQ(encodeDeleteMsg(300), (Bytes{0x8E, 0x2C, 0x01}));
}

TEST(MessageRecord, ReadAnswerGivesEightLinesOf50InCodePage1251)
{
    Bytes answer(401, 0x20);
    answer[0] = 0x55; // unused status byte
    answer[1] = 0x80; // А
    answer[2] = 0xE0; // р
    answer[3] = 0xF0; // Ё
    answer[4] = 0xF1; // ё
    answer[5] = 0x00; // a blank
    answer[6] = 'Q';
    answer[51] = 'L';  // line 2 starts at byte 51
    answer[400] = 'z'; // the last byte of line 8
    const MessageLines out = decodeGetMsgAnswer(answer);
    std::string line1 = "\xC0\xF0\xA8\xB8 Q";
    line1.resize(50, ' ');
    EXPECT_EQ(out[0], line1);
    EXPECT_EQ(out[1], "L" + std::string(49, ' '));
    EXPECT_EQ(out[7], std::string(49, ' ') + "z");
    for (const auto& line : out)
        EXPECT_EQ(line.size(), 50u);
}

TEST(MessageRecord, AnswerOfBlanksOrZerosIsAnEmptyMessage)
{
    Bytes zeros(401, 0x00);
    EXPECT_TRUE(isEmptyMessage(decodeGetMsgAnswer(zeros)));
    zeros[200] = 'x';
    EXPECT_FALSE(isEmptyMessage(decodeGetMsgAnswer(zeros)));
}
