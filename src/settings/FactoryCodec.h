#pragma once
// The factory settings record (answer to 0x9B, 14 bytes; 16-bit numbers unsigned, least
// significant first): byte 0 carries nothing; 1..2 capacity g; 3, 4, 5 the decimal point codes
// of weight, price and total; 6 dual range (0 off); 7 and 8 the display divisions of the upper
// and lower range, g; 9..10 the weight the price refers to, g; 11 rounding of the total;
// 12..13 the tare limit, g.

#include <cstdint>

namespace qm
{

inline constexpr std::uint8_t kReadFactory = 0x9B;
inline constexpr int kFactoryRecordSize = 14;

struct FactorySettings {
    int capacity = 0;
    int weightPoint = 0; // decimal point codes
    int pricePoint = 0;
    int totalPoint = 0;
    bool dualRange = false;
    int upperDivision = 0;
    int lowerDivision = 0;
    int priceWeight = 0;
    int rounding = 0;
    int tareLimit = 0;

    bool operator==(const FactorySettings& other) const;
};

// Nothing in the record can be checked, so none is: byte 0 has no documented meaning, the numbers
// are free binary values, any dual-range byte is off or on, and a decimal point code of 6 or more
// is a documented answer (its field keeps what it showed). A garbled record reads as other values.
FactorySettings decodeFactory(const std::uint8_t* bytes);

} // namespace qm
