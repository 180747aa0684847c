#pragma once
// One key of the scale's price-key table on the wire. Read: 0x96 and the key number (1 byte);
// the answer is 5 bytes, byte 0 carrying nothing and 1..4 the product cell as a signed 32-bit
// number, least significant first. Write: 0x8B, the cell as 4 bytes least significant first,
// then the key number.

#include <cstdint>
#include <optional>

#include "common/WireFields.h"

namespace qm
{

inline constexpr std::uint8_t kReadPriceKey = 0x96;
inline constexpr std::uint8_t kWritePriceKey = 0x8B;
inline constexpr int kPriceKeys = 54;
inline constexpr int kPriceKeyAnswerSize = 5;
// The cells a write sends: a product cell 1..4000, or 0, the scale's own value for a key that
// calls up no product, so that a key read as 0 is written back as 0.
inline constexpr std::int64_t kMinKeyCell = 0;
inline constexpr std::int64_t kMaxKeyCell = 4000;
// The answer of a failed key read.
inline constexpr std::int64_t kFailedKeyRead = -1;

// nullopt for a key outside 1..54.
std::optional<Bytes> encodePriceKeyRead(int key);
// nullopt for a key outside 1..54 or a cell that does not fit its four bytes.
std::optional<Bytes> encodePriceKeyWrite(std::int64_t cell, int key);
// The cell of a 5-byte answer as the scale sends it, a signed number: a product cell 1..4000, 0
// for a key that calls up nothing, or whatever else the scale holds, which is only shown.
// nullopt for -1 (four bytes 0xFF), which stands for a failed read.
std::optional<std::int64_t> decodePriceKey(const std::uint8_t* bytes);

} // namespace qm
