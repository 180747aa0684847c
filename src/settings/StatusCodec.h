#pragma once
// The scale's status record (answer to 0x89, 16 bytes, numbers least significant byte first):
// byte 0 carries nothing; byte 1 the status bits; 2..3 the weight magnitude in grams (unsigned);
// 4..7 the selected product; 8..11 the total and 12..15 the unit price in kopecks, each taken
// as a signed 32-bit number.

#include <cstdint>

namespace qm
{

inline constexpr std::uint8_t kReadStatus = 0x89;
inline constexpr int kStatusRecordSize = 16;

struct ScaleStatus {
    bool overload = false;
    bool tareSet = false;
    bool zeroWeight = false;
    bool dualRange = false;
    bool stable = false;
    std::int64_t weight = 0;  // grams, negative when the scale says so
    std::int64_t product = 0; // number of the product selected on the scale
    std::int64_t total = 0;   // kopecks
    std::int64_t price = 0;   // kopecks

    bool operator==(const ScaleStatus& other) const;
};

ScaleStatus decodeStatus(const std::uint8_t* bytes);

// The status record has no answer check: the flags, the weight, the total and the price are free
// values, and the selected product is only shown, as the signed number the scale sends (-1 from a
// scale with erased memory). Nothing in it can tell a garbled answer from a real one; only a
// short or late one fails.

} // namespace qm
