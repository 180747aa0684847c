#pragma once
// The user settings, the shop name, the date and the time on the wire.
//
// User settings (10 bytes, both ways; byte 0 is the command 0x8A when written, ignored when read):
//   1..3 department, digit bytes, units first    6  print offset in mm, binary
//   4    label format number, binary             7  print options byte (bit 0 = CheckBox1)
//   5    bar-code format number, binary          8..9 minimum weight change in grams, LE
// Shop name (57 bytes; byte 0 is 0x94 when written, ignored when read): two lines of 28
// characters in the scale's code page.
// Date 0x99 and time 0x9A: six digit bytes, tens before units, day (hours) first.

#include <cstdint>
#include <optional>
#include <string>

#include "common/WireFields.h"

namespace qm
{

inline constexpr std::uint8_t kReadUserSet = 0x95;
inline constexpr std::uint8_t kWriteUserSet = 0x8A;
inline constexpr std::uint8_t kReadShop = 0x98;
inline constexpr std::uint8_t kWriteShop = 0x94;
inline constexpr std::uint8_t kWriteDate = 0x99;
inline constexpr std::uint8_t kWriteTime = 0x9A;

inline constexpr int kUserSetRecordSize = 10;
inline constexpr int kShopRecordSize = 57;
inline constexpr int kShopLineWidth = 28;

struct UserSettings {
    int department = 0;    // 0..999
    int labelFormat = 0;   // one byte
    int barcodeFormat = 0; // one byte
    int printOffset = 0;   // mm, one byte
    int options = 0;       // print options byte
    int minWeight = 0;     // grams, two bytes

    bool operator==(const UserSettings& other) const;
    bool operator!=(const UserSettings& other) const { return !(*this == other); }
};

// Both lines in code page 1251.
struct ShopName {
    std::string line1;
    std::string line2;
};

// Two-digit fields as the scale takes them: year modulo 100.
struct ScaleDate {
    int day = 1;
    int month = 1;
    int year = 0;
};

struct ScaleTime {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
};

// 0x8A and the record. The format, offset and options bytes carry their values' low eight bits;
// a department outside 0..999 or a weight change outside 0..65535 would wrap: nullopt.
std::optional<Bytes> encodeUserSetWrite(const UserSettings& settings);
// The 10-byte record as read; byte 0 is not looked at.
UserSettings decodeUserSet(const std::uint8_t* bytes);
// Whether 10 read bytes are a settings record: the department (1..3) is three digit bytes 0..9.
// The formats, offset, options and weight change are free binary bytes, so this is all an answer
// garbled on the line can fail.
bool isUserSetRecord(const std::uint8_t* bytes);

// 0x94 and both lines, each padded with blanks or cut to 28 characters, in the scale's code page.
Bytes encodeShopWrite(const ShopName& shop);
// The 57-byte record as read: lines of 28 characters in code page 1251, 0x00 read as a blank.
// Nothing in it can be checked: byte 0 has no documented meaning and the 56 text bytes are free,
// so a garbled shop name reads as other text.
ShopName decodeShop(const std::uint8_t* bytes);

// 0x99 or 0x9A and six digit bytes; nullopt when a field is outside 0..99.
std::optional<Bytes> encodeDate(const ScaleDate& date);
std::optional<Bytes> encodeTime(const ScaleTime& time);

} // namespace qm
