#pragma once
// The number encodings of the scale's wire: binary little-endian, decimal digit bytes (least
// significant digit first, one digit 0..9 per byte) and packed BCD bytes (tens in the high nibble).
// Decoders are strict: a byte that a scale could not have produced makes them fail, so a wrong
// encoder in the program shows up as a refused command instead of a silently odd value.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace emu
{

using Bytes = std::vector<std::uint8_t>;

void putLe(Bytes& out, std::uint32_t value, int size);
std::uint32_t getLe(const Bytes& in, std::size_t offset, int size);

// value must be below 10^digits.
void putDigits(Bytes& out, std::uint32_t value, int digits);
std::optional<std::uint32_t> getDigits(const Bytes& in, std::size_t offset, int digits);

// value 0..99.
std::uint8_t toBcd(std::uint32_t value);
std::optional<std::uint32_t> fromBcd(std::uint8_t byte);

} // namespace emu
