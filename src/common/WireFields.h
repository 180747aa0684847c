#pragma once
// The field encodings of the scale's records, the one place that puts numbers and texts into
// bytes and takes them out again:
// - binary numbers of 1..4 bytes, least significant byte first, unsigned or two's complement;
// - digit bytes, one decimal digit value 0..9 a byte;
// - packed BCD, two digits a byte, tens in the high four bits;
// - text in the scale's code page, blank-padded or cut to its field;
// - dots packed eight a byte, the first in the most significant bit.
// The appenders refuse nothing: a value too large keeps only what fits (the low bytes, the low
// digits), so a caller checks the fits* function first wherever a cut value would be wrong. The
// readers take any bytes: a nibble or digit byte above 9 counts with its value, and the checks
// (areDigitBytes, isBcdByte) say whether the bytes are what the field should hold.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qm
{

using Bytes = std::vector<std::uint8_t>;

// The order of the digit bytes or BCD bytes of one field.
enum class Order { LowFirst, HighFirst };

// 0 <= value < 256^size.
bool fitsBinary(std::int64_t value, int size);
// 0 <= value < 10^digits.
bool fitsDigits(std::int64_t value, int digits);

// The low `size` bytes of the value (of its two's complement when negative).
void writeBinary(std::uint8_t* at, std::int64_t value, int size);
void appendBinary(Bytes& out, std::int64_t value, int size);
std::int64_t readBinary(const std::uint8_t* at, int size);
// The bytes as a two's complement number of 8 x size bits: FF FF FF FF reads as -1.
std::int64_t readSigned(const std::uint8_t* at, int size);

void appendDigits(Bytes& out, std::int64_t value, int digits, Order order = Order::LowFirst);
std::int64_t readDigits(const std::uint8_t* at, int digits, Order order = Order::LowFirst);
// Every byte 0..9.
bool areDigitBytes(const std::uint8_t* at, int count);

struct BcdNibbles {
    int high = 0;
    int low = 0;
};
BcdNibbles bcdNibbles(std::uint8_t byte);
std::uint8_t bcdByte(int value); // 0..99
int bcdValue(std::uint8_t byte); // 10 x high four bits + low four bits
// Both four-bit halves at most 9: a byte that packed BCD can be.
bool isBcdByte(std::uint8_t byte);
// `size` BCD bytes: value 0..10^(2 x size) - 1.
void appendBcd(Bytes& out, std::int64_t value, int size, Order order);
std::int64_t readBcd(const std::uint8_t* at, int size, Order order);

// The text cut to `width` characters or padded with blanks to it (still code page 1251).
std::string fieldText(std::string_view cp1251, int width);
// That field in the scale's code page, as it goes on the wire.
std::string scaleFieldText(std::string_view cp1251, int width);
void appendScaleText(Bytes& out, std::string_view cp1251, int width);
// What a 0x00 byte of a text field reads as: kept (the product names carry the logo marker
// behind one) or a blank (the scale pads some fields with 0x00).
enum class NulByte { Keep, Blank };
// `width` bytes in the scale's code page, as code page 1251.
std::string readScaleText(const std::uint8_t* at, int width, NulByte nul);

// Dot `index` of dots packed eight a byte, the first of each byte in bit 7 (0x80).
bool dotAt(const std::uint8_t* packed, int index);
void setDot(std::uint8_t* packed, int index);

} // namespace qm
