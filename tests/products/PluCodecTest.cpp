#include <gtest/gtest.h>

#include "common/Cp1251.h"
#include "products/PluCodec.h"

using namespace qm;

namespace
{

Bytes repeat(std::uint8_t b, size_t n)
{
    return Bytes(n, b);
}

Bytes join(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

PluRecord sample()
{
    PluRecord r;
    r.plu = 1;
    r.code = 123;
    r.price = 4550;
    r.shelf = 365;
    r.tare = 20;
    r.group = 7;
    return r;
}

// A 100-byte record as the scale sends it, written from the byte layout by hand.
Bytes scaleRecord(const Bytes& name1, const Bytes& name2)
{
    return join({{0x2A, 0x00, 0x00, 0x00},             // PLU 42
                 {0x06, 0x05, 0x04, 0x03, 0x02, 0x01}, // code 123456
                 name1,
                 name2,                                // 28 + 28
                 {0x3F, 0x42, 0x0F, 0x00},             // price 999999
                 {0x01, 0x05, 0x25},                   // shelf 010525
                 {0x70, 0x17},                         // tare 6000
                 {0x09, 0x09, 0x00, 0x00, 0x00, 0x00}, // group 99
                 {0xE8, 0x03},                         // message 1000
                 {0x56, 0x34, 0x12},                   // reset time 123456
                 {0x31, 0x12, 0x25},                   // reset date 311225
                 {0x10, 0x27, 0x00, 0x00},             // sum 10000
                 {0x88, 0x13, 0x00, 0x00},             // weight 5000
                 {0x03, 0x00, 0x01}});                 // sales 65539
}

} // namespace

TEST(PluCodec, WriteRecordByteForByte)
{
    const auto bytes = encodePluWrite(sample());
    ASSERT_TRUE(bytes);
    const Bytes expected = join({{0x82},
                                 {0x01, 0x00, 0x00, 0x00},
                                 {0x03, 0x02, 0x01, 0x00, 0x00, 0x00},
                                 repeat(0x20, 28),
                                 repeat(0x20, 28),
                                 {0xC6, 0x11, 0x00, 0x00},
                                 {0x00, 0x03, 0x65},
                                 {0x14, 0x00},
                                 {0x07, 0x00, 0x00, 0x00, 0x00, 0x00},
                                 {0x00, 0x00}});
    EXPECT_EQ(*bytes, expected);
    EXPECT_EQ(bytes->size(), 84u);
}

TEST(PluCodec, ShelfLifeBothForms)
{
    EXPECT_EQ(encodeShelfLife(311225), (Bytes{0x31, 0x12, 0x25}));
    EXPECT_EQ(encodeShelfLife(10525), (Bytes{0x01, 0x05, 0x25}));
    EXPECT_EQ(encodeShelfLife(999), (Bytes{0x00, 0x09, 0x99}));
    EXPECT_EQ(encodeShelfLife(0), (Bytes{0x00, 0x00, 0x00}));
    std::int64_t v = 0;
    bool date = false;
    const std::uint8_t count[] = {0x00, 0x03, 0x65};
    decodeShelfLife(count, v, date);
    EXPECT_EQ(v, 365);
    EXPECT_FALSE(date);
    const std::uint8_t may[] = {0x01, 0x05, 0x25};
    decodeShelfLife(may, v, date);
    EXPECT_EQ(v, 10525);
    EXPECT_TRUE(date);
}

TEST(PluCodec, NamesPaddedCutConvertedAndCarryingLogo)
{
    // Ё goes out as 0xF0, other Cyrillic letters by the 866 map; a long name keeps 28 characters.
    const Bytes yo = encodeName(cp("Ёж"), 0, "", false);
    EXPECT_EQ(yo, join({{0xF0, 0xA6}, repeat(0x20, 26)}));
    const Bytes longName = encodeName(std::string(40, 'a'), 0, "", false);
    EXPECT_EQ(longName, repeat('a', 28));

    // Logo 1 with code "AB": positions 25..28 are 0x00, 1, then c2 c4 / c1 c3 (c3, c4 blanks).
    const Bytes n1 = encodeName(std::string(28, 'x'), 1, "AB", false);
    const Bytes n2 = encodeName(std::string(28, 'y'), 1, "AB", true);
    EXPECT_EQ(n1, join({repeat('x', 24), {0x00, 0x01, 'B', ' '}}));
    EXPECT_EQ(n2, join({repeat('y', 24), {0x00, 0x01, 'A', ' '}}));
    // Certification letters travel in the scale's code page too.
    const Bytes cyr = encodeName("", 2, cp("РСТ1"), true);
    EXPECT_EQ(Bytes(cyr.begin() + 24, cyr.end()), (Bytes{0x00, 0x02, 0x90, 0x92}));
}

TEST(PluCodec, EncodersRefuseValuesThatDoNotFit)
{
    auto r = sample();
    r.price = -1;
    EXPECT_EQ(pluUnfitColumn(r), 3);
    EXPECT_FALSE(encodePluWrite(r));
    r = sample();
    r.code = 1234567;
    EXPECT_EQ(pluUnfitColumn(r), 6);
    r = sample();
    r.tare = 70000;
    EXPECT_EQ(pluUnfitColumn(r), 5);
    r = sample();
    r.shelf = 1000000;
    EXPECT_EQ(pluUnfitColumn(r), 4);
    r = sample();
    r.message = 65536;
    EXPECT_EQ(pluUnfitColumn(r), 8);
    r = sample();
    r.logo = 0xC0; // the code page conversion would change this byte
    EXPECT_EQ(pluUnfitColumn(r), 9);
    r = sample();
    r.tare = 65535;
    r.price = 4294967295;
    r.code = 999999;
    EXPECT_FALSE(pluUnfitColumn(r));
    EXPECT_FALSE(encodePluCommand(kReadPlu, -1));
    EXPECT_FALSE(encodeSetRange(1, 4294967296));
}

TEST(PluCodec, SmallCommands)
{
    EXPECT_EQ(*encodeSetRange(1, 4000), (Bytes{0x87, 0x01, 0x00, 0x00, 0x00, 0xA0, 0x0F, 0x00, 0x00}));
    EXPECT_EQ(*encodePluCommand(kReadPlu, 258), (Bytes{0x81, 0x02, 0x01, 0x00, 0x00}));
    EXPECT_EQ(*encodePluCommand(kDeletePlu, 4000), (Bytes{0x8D, 0xA0, 0x0F, 0x00, 0x00}));
}

TEST(PluCodec, ReadRecordDecodesEveryField)
{
    const Bytes name1 = join({{0x8C, 0xAE, 0xAB, 0xAE, 0xAA, 0xAE}, repeat(0x20, 22)}); // Молоко
    const Bytes name2 = join({{0xF1, 0x00}, repeat(0x20, 26)});
    const Bytes raw = scaleRecord(name1, name2);
    ASSERT_EQ(raw.size(), 100u);
    const PluRecord r = decodePluRecord(raw.data());
    EXPECT_EQ(r.plu, 42);
    EXPECT_EQ(r.code, 123456);
    EXPECT_EQ(r.name1, cp("Молоко") + std::string(22, ' '));
    EXPECT_EQ(r.name2, cp("ё") + std::string(1, '\0') + std::string(26, ' ')); // 0x00 stays
    EXPECT_EQ(r.price, 999999);
    EXPECT_EQ(r.shelf, 10525);
    EXPECT_TRUE(r.shelfIsDate);
    EXPECT_EQ(r.tare, 6000);
    EXPECT_EQ(r.group, 99);
    EXPECT_EQ(r.message, 1000);
    EXPECT_EQ(r.logo, 0);
    EXPECT_EQ(r.cert, "");
    EXPECT_EQ(r.totals.resetTime, 123456);
    EXPECT_EQ(r.totals.resetDate, 311225);
    EXPECT_EQ(r.totals.sum, 10000);
    EXPECT_EQ(r.totals.weight, 5000);
    EXPECT_EQ(r.totals.sales, 65539);
}

TEST(PluCodec, ReadRecordTakesLogoMarkerOut)
{
    // Name 1 ends 0x00 0x02 c2 c4, name 2 ends 0x00 0x02 c1 c3: code "1234".
    const Bytes name1 = join({repeat('a', 24), {0x00, 0x02, '2', '4'}});
    const Bytes name2 = join({repeat('b', 24), {0x00, 0x02, '1', '3'}});
    const PluRecord r = decodePluRecord(scaleRecord(name1, name2).data());
    EXPECT_EQ(r.logo, 2);
    EXPECT_EQ(r.cert, "1234");
    EXPECT_EQ(r.name1, std::string(24, 'a') + "    ");
    EXPECT_EQ(r.name2, std::string(24, 'b') + "    ");

    // A marker in one name only is no marker.
    const Bytes plain = join({repeat('b', 24), {'x', 0x02, '1', '3'}});
    const PluRecord p = decodePluRecord(scaleRecord(name1, plain).data());
    EXPECT_EQ(p.logo, 0);
    EXPECT_EQ(p.cert, "");
    EXPECT_EQ(p.name1.substr(24, 2), std::string("\0\x02", 2));
}

TEST(PluCodec, WrittenRecordReadsBackTheSame)
{
    PluRecord r = sample();
    r.plu = 3999;
    r.name1 = cp("Сыр Российский ёЁ");
    r.name2 = cp("весовой");
    r.shelf = 311299;
    r.logo = 1;
    r.cert = cp("АЯ12");
    r.message = 1000;
    const Bytes written = *encodePluWrite(r);
    Bytes record(written.begin() + 1, written.end());
    record.resize(100, 0);
    const PluRecord back = decodePluRecord(record.data());
    EXPECT_EQ(back.plu, r.plu);
    EXPECT_EQ(back.name1, r.name1 + std::string(28 - r.name1.size(), ' '));
    EXPECT_EQ(back.name2, r.name2 + std::string(28 - r.name2.size(), ' '));
    EXPECT_EQ(back.shelf, r.shelf);
    EXPECT_EQ(back.logo, 1);
    EXPECT_EQ(back.cert, r.cert);
    EXPECT_EQ(back.message, 1000);
    EXPECT_EQ(back.code, r.code);
    EXPECT_EQ(back.group, r.group);
}

TEST(PluCodec, RecordOfTheAskedPluPasses)
{
    const Bytes raw = scaleRecord(repeat(0x20, 28), repeat(0x20, 28));
    EXPECT_TRUE(isPluRecordOf(raw.data(), 42));
    // A count as the shelf life: 0x00, then 0x03 0x65 for 365.
    Bytes count = raw;
    count[70] = 0x00;
    count[71] = 0x03;
    count[72] = 0x65;
    EXPECT_TRUE(isPluRecordOf(count.data(), 42));
    // After 0x00 the middle byte is a plain number, read as such: 0x0C for 1200 days passes.
    count[71] = 0x0C;
    EXPECT_TRUE(isPluRecordOf(count.data(), 42));
    count[72] = 0x0A;
    EXPECT_FALSE(isPluRecordOf(count.data(), 42));
    // Names, price, tare, message number and totals are free: every byte 0xFF there still passes.
    Bytes free = raw;
    for (int at : {10, 37, 38, 65, 66, 69, 73, 74, 81, 82, 89, 92, 93, 96, 97, 99})
        free[at] = 0xFF;
    EXPECT_TRUE(isPluRecordOf(free.data(), 42));
}

TEST(PluCodec, RecordOfAnotherPluIsNone)
{
    const Bytes raw = scaleRecord(repeat(0x20, 28), repeat(0x20, 28));
    EXPECT_FALSE(isPluRecordOf(raw.data(), 43));
    EXPECT_FALSE(isPluRecordOf(raw.data(), 42 + 0x100000000LL)); // all four number bytes count
    Bytes high = raw;
    high[3] = 0x01; // PLU 0x0100002A
    EXPECT_FALSE(isPluRecordOf(high.data(), 42));
}

TEST(PluCodec, DigitBytesAndBcdNibblesOverNineAreNoRecord)
{
    const Bytes raw = scaleRecord(repeat(0x20, 28), repeat(0x20, 28));
    const auto with = [&](int at, std::uint8_t byte) {
        Bytes b = raw;
        if (at != 70)
            b[70] = 0x31; // a date as the shelf life, so 71 is BCD too
        b[static_cast<size_t>(at)] = byte;
        return isPluRecordOf(b.data(), 42);
    };
    // Product code, digit bytes 4..9, and group code, 75..80: 9 passes, 10 does not.
    for (int at : {4, 9, 75, 80}) {
        EXPECT_TRUE(with(at, 0x09)) << at;
        EXPECT_FALSE(with(at, 0x0A)) << at;
    }
    // Shelf life 70..72: either nibble over 9.
    for (int at : {70, 71, 72}) {
        EXPECT_TRUE(with(at, 0x99)) << at;
        EXPECT_FALSE(with(at, 0x0A)) << at;
        EXPECT_FALSE(with(at, 0xA0)) << at;
    }
    // The reset time 83..85 and date 86..88 are only shown: any nibble passes.
    for (int at : {83, 84, 85, 86, 87, 88}) {
        EXPECT_TRUE(with(at, 0x0A)) << at;
        EXPECT_TRUE(with(at, 0xA0)) << at;
    }
}

TEST(PluCodec, RecordGarbledOnTheLineIsNone)
{
    // What the emulator's garble fault does: every byte XOR 0xFF. PLU 42 arrives as 0xFFFFFFD5.
    Bytes garbled = scaleRecord(repeat(0x20, 28), repeat(0x20, 28));
    for (auto& b : garbled)
        b = static_cast<std::uint8_t>(b ^ 0xFF);
    EXPECT_FALSE(isPluRecordOf(garbled.data(), 42));
    // Even taken as the PLU it names, its code digits are 0xF9..0xFE.
    EXPECT_FALSE(isPluRecordOf(garbled.data(), 0xFFFFFFD5LL));
}
