#pragma once
// Number encodings of the scale's records: binary little-endian, decimal digit bytes (one digit
// value per byte, least significant first) and packed BCD bytes (tens in the high four bits).
// The appenders never wrap: a caller checks the fits* function first.

#include <cstdint>
#include <vector>

namespace qm
{

using Bytes = std::vector<std::uint8_t>;

// 0 <= value < 256^size.
bool fitsBinary(std::int64_t value, int size);
// 0 <= value < 10^digits.
bool fitsDigits(std::int64_t value, int digits);

void appendBinary(Bytes& out, std::int64_t value, int size);
void appendDigits(Bytes& out, std::int64_t value, int digits);
std::uint8_t bcdByte(int value); // 0..99

std::int64_t readBinary(const std::uint8_t* at, int size);
std::int64_t readDigits(const std::uint8_t* at, int digits);
int bcdValue(std::uint8_t byte); // 10 x high four bits + low four bits
// Both four-bit halves at most 9: a byte that packed BCD can be.
bool isBcdByte(std::uint8_t byte);

} // namespace qm
