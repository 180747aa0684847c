#pragma once
// What one scale holds: its product records with their sales totals, its messages and the
// virtual range. Texts are kept as the scale's own bytes; the state file shows them as UTF-8.

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace emu
{

inline constexpr std::size_t kNameWidth = 28;
inline constexpr std::size_t kLineWidth = 50;
inline constexpr std::size_t kMessageLines = 8;
inline constexpr std::uint32_t kMaxPlu = 4000;
inline constexpr std::uint32_t kMaxMessage = 1000;

struct PluRecord {
    std::uint32_t code = 0; // product code, 6 digits
    std::string name1 = std::string(kNameWidth, ' ');
    std::string name2 = std::string(kNameWidth, ' ');
    std::uint32_t price = 0; // kopecks
    std::uint32_t shelf = 0; // 6 digits: a day count or DDMMYY
    std::uint16_t tare = 0;  // grams
    std::uint32_t group = 0; // group code, 6 digits
    std::uint16_t message = 0;
    // Sales totals since their last reset; a write of the record leaves them as they are. The
    // reset clock is kept as the record carries it: resetTime is bcd(83) + 100 bcd(84) + 10000
    // bcd(85) with byte 83 the hours, 84 the minutes, 85 the seconds; resetDate is 10000 bcd(86)
    // + 100 bcd(87) + bcd(88) with byte 86 the year, 87 the month, 88 the day.
    std::uint32_t resetTime = 0;
    std::uint32_t resetDate = 0;
    std::uint32_t sum = 0;    // kopecks
    std::uint32_t weight = 0; // grams
    std::uint32_t sales = 0;  // count, 24 bits

    bool operator==(const PluRecord& other) const;
    bool operator!=(const PluRecord& other) const { return !(*this == other); }
};

using MessageLines = std::array<std::string, kMessageLines>; // 50 scale bytes each

// User settings as the tab's defaults leave them.
struct UserSettings {
    std::uint16_t department = 46; // 0..999
    std::uint8_t labelFormat = 41;
    std::uint8_t barcodeFormat = 4;
    std::uint8_t printOffset = 10; // mm
    std::uint8_t options = 59;     // print options, bit 0 first
    std::uint16_t minWeight = 10;  // grams

    bool operator==(const UserSettings& other) const;
    bool operator!=(const UserSettings& other) const { return !(*this == other); }
};

// Day, month, year modulo 100; hours, minutes, seconds.
using ClockFields = std::array<std::uint8_t, 3>;
inline constexpr std::size_t kPriceKeys = 54;

// What the platform shows now; tests set it from the state file.
struct StatusValues {
    std::uint8_t flags = 0;  // status bits 0..6; bit 7 follows the sign of the weight
    std::int32_t weight = 0; // grams, -65535..65535
    std::uint32_t product = 0;
    std::uint32_t total = 0; // kopecks
    std::uint32_t price = 0; // kopecks

    bool operator==(const StatusValues& other) const;
};

// The maker's settings: a 15 kg dual-range scale unless the state file says otherwise.
struct FactoryValues {
    std::uint16_t capacity = 15000; // grams
    std::uint8_t weightPoint = 4;   // decimal point codes
    std::uint8_t pricePoint = 3;
    std::uint8_t totalPoint = 3;
    std::uint8_t dualRange = 1;
    std::uint8_t upperDivision = 5; // grams
    std::uint8_t lowerDivision = 2;
    std::uint16_t priceWeight = 1000; // grams
    std::uint8_t rounding = 1;
    std::uint16_t tareLimit = 6000; // grams

    bool operator==(const FactoryValues& other) const;
};

// The general totals the scale keeps besides the per-product ones (the sums over all products
// are the sums of those, and the free cells follow from what the scale holds).
struct TotalsValues {
    std::int32_t runMm = 0; // printer run counter
    std::int32_t labels = 0;
    std::int32_t grandSum = 0; // kopecks
    std::uint32_t grandCount = 0;
    std::int32_t grandWeight = 0; // grams
    // When the grand total was last cleared.
    std::uint8_t clearedHour = 0, clearedMinute = 0, clearedSecond = 0;
    std::uint8_t clearedDay = 1, clearedMonth = 1, clearedYear = 0;

    bool operator==(const TotalsValues& other) const;
};

// The fields a scale with erased memory sends as 0xFF bytes, whatever the rest of the state
// holds: they stay erased through writes and clears.
struct ErasedMemory {
    bool productClock = false; // the reset clock of every product record, bytes 83..88
    bool totalsClock = false;  // the clearing clock of the general totals, bytes 31..36
    bool freeCells = false;    // the free product and message cells of the general totals, 37..40

    bool operator==(const ErasedMemory& other) const;
};

MessageLines blankMessage();

// The logo as the scale keeps it: 512 bytes, 8 dots a byte, row by row from the top, the leftmost
// dot of a byte in its bit 7, a 1 bit printed (black).
inline constexpr std::size_t kLogoBytes = 512;
using LogoBytes = std::array<std::uint8_t, kLogoBytes>;

struct ScaleState {
    int number = 1;
    std::map<std::uint32_t, PluRecord> plu;
    std::map<std::uint32_t, MessageLines> messages;
    std::optional<std::pair<std::uint32_t, std::uint32_t>> range; // first, last PLU
    UserSettings user;
    std::string shop1 = std::string(kNameWidth, ' '); // shop name lines, 28 scale bytes each
    std::string shop2 = std::string(kNameWidth, ' ');
    ClockFields date{1, 1, 0};
    ClockFields time{0, 0, 0};
    StatusValues status;
    // The product cell each price key calls up, key 1 first; 0 for a key that calls up none. A
    // state may hold any 32-bit cell, as a scale's memory may; a write sets 0..4000 only.
    std::array<std::uint32_t, kPriceKeys> priceKeys{};
    FactoryValues factory;
    LogoBytes logo{}; // white
    TotalsValues totals;
    ErasedMemory erased;

    bool operator==(const ScaleState& other) const;
    bool operator!=(const ScaleState& other) const { return !(*this == other); }
};

} // namespace emu
