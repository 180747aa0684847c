// The bytes of the link test and of the number detection, written by hand: the number byte out,
// and what each makes of the bytes that came back.
#include <gtest/gtest.h>

#include "diagnostics/DiagnosticCodec.h"

using qm::Bytes;
using qm::LinkState;

TEST(DiagnosticCodec, TheNumberByteIsTheNumber)
{
    EXPECT_EQ(qm::encodeNumberProbe(1), Bytes{0x01});
    EXPECT_EQ(qm::encodeNumberProbe(42), Bytes{0x2A});
    EXPECT_EQ(qm::encodeNumberProbe(99), Bytes{0x63});
}

TEST(DiagnosticCodec, TheLinkTestReadsTheFirstByteAndTheDetectionEveryByte)
{
    struct Case {
        const char* what;
        int number;
        Bytes answer;
        LinkState link;
        bool detected;
    };
    const Case cases[] = {
        {"nothing came", 4, {}, LinkState::NoAnswer, false},
        {"the number, then the ready byte", 4, {0x04, 0x80}, LinkState::Working, true},
        {"the number alone", 99, {0x63}, LinkState::Working, true},
        {"another scale's number", 4, {0x07, 0x80}, LinkState::OtherAnswer, false},
        {"a stray byte ahead of the answer", 4, {0x55, 0x04, 0x80}, LinkState::OtherAnswer, true},
        {"the ready byte alone", 4, {0x80}, LinkState::OtherAnswer, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(qm::linkStateOf(c.answer, c.number), c.link) << c.what;
        EXPECT_EQ(qm::answersNumber(c.answer, c.number), c.detected) << c.what;
    }
}
