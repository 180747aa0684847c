#pragma once
// One product record as values: what a row of the product table becomes before it is written,
// and what a read brings back. Texts are code page 1251.

#include <array>
#include <cstdint>
#include <string>

namespace qm
{

struct PluTotals {
    // The last reset of the totals as numbers: bcd(83) + 100 bcd(84) + 10000 bcd(85) and
    // 10000 bcd(86) + 100 bcd(87) + bcd(88). The scale puts hours, minutes, seconds in 83..85
    // and year, month, day in 86..88; the report shows the bytes themselves (below).
    std::int64_t resetTime = 0;
    std::int64_t resetDate = 0;
    std::int64_t sum = 0;    // kopecks
    std::int64_t weight = 0; // grams
    std::int64_t sales = 0;  // number of sales
    // The six clock bytes of the last reset as they came (record bytes 83..88): hours, minutes,
    // seconds, then year, month, day, packed BCD. The report shows them digit pair by pair.
    std::array<std::uint8_t, 3> resetTimeBcd{};
    std::array<std::uint8_t, 3> resetDateBcd{};
};

struct PluRecord {
    std::int64_t plu = 0;
    std::string name1;
    std::string name2;
    std::int64_t price = 0;   // kopecks
    std::int64_t shelf = 0;   // a count 0..999, or a date DDMMYY
    bool shelfIsDate = false; // set by the decoder; the encoder writes both forms alike
    std::int64_t tare = 0;    // grams
    std::int64_t code = 0;    // product code
    std::int64_t group = 0;   // group code
    std::int64_t message = 0; // message number, 0 for none
    std::int64_t logo = 0;    // 0 none, 1 "Ростест", 2 the scale's own logo
    std::string cert;         // certification code, printed with the "Ростест" mark
    PluTotals totals;         // read only
};

} // namespace qm
