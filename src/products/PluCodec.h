#pragma once
// The product record on the wire, both ways, and the small product commands' bytes.
//
// Written record (command 0x82, 84 bytes): PLU 4 binary; product code 6 digit bytes; name 1 and
// name 2, 28 bytes each in the scale's code page; price 4 binary; shelf life 3 packed BCD, most
// significant first; tare 2 binary; group code 6 digit bytes; message number 2 binary.
// The scale's record (100 bytes) continues with the totals: reset time 3 BCD (least significant
// first), reset date 3 BCD (most significant first), sum 4, weight 4, sales 3 binary.
// A logo other than 0 travels in positions 25..28 of both names: 0x00, the logo number, then
// the certification characters c2 c4 in name 1 and c1 c3 in name 2.

#include <optional>

#include "common/WireFields.h"
#include "products/PluRecord.h"

namespace qm
{

inline constexpr std::uint8_t kWritePlu = 0x82;
inline constexpr std::uint8_t kReadPlu = 0x81;
inline constexpr std::uint8_t kDeletePlu = 0x8D;
inline constexpr std::uint8_t kSetRange = 0x87;
inline constexpr std::uint8_t kCancelRange = 0x88;

// Width of each name on the wire and on the scale's label.
inline constexpr int kNameWidth = 28;
// Characters of the certification code that travel inside the names.
inline constexpr int kCertWidth = 4;

inline constexpr int kWrittenRecordSize = 83; // after the command byte
inline constexpr int kReadRecordSize = 100;

// The product-table column of the first value that does not fit its wire field, if any.
std::optional<int> pluUnfitColumn(const PluRecord& record);

// The 28 name bytes as they go out (padded or cut, logo placed, scale code page).
Bytes encodeName(const std::string& name, std::int64_t logo, const std::string& cert, bool second);
// Three packed BCD bytes of a shelf-life value 0..999999.
Bytes encodeShelfLife(std::int64_t value);

// 0x82 and the record; nullopt when a value does not fit its field (nothing may wrap).
std::optional<Bytes> encodePluWrite(const PluRecord& record);
// A command byte followed by one PLU number (read 0x81, delete 0x8D); nullopt when it does not fit.
std::optional<Bytes> encodePluCommand(std::uint8_t command, std::int64_t plu);
std::optional<Bytes> encodeSetRange(std::int64_t first, std::int64_t last);

// Whether the scale's 100 bytes are a record of PLU `plu` at all, before anything of them is
// trusted: the number at 0..3 is the one asked for, the product and group codes (4..9, 75..80)
// are digit bytes 0..9, and the shelf life (70..72) is packed BCD with both nibbles at most 9
// (one starting 0x00 holds a plain number in 71), since each of them is written back as read.
// An answer garbled on the line fails here and counts as a lost answer. The names, price, tare,
// message number and totals are free binary values or text, and the reset time and date
// (83..88) are only shown, BCD or not (a scale with erased memory sends 0xFF there): any bytes
// there are a record.
bool isPluRecordOf(const std::uint8_t* bytes, std::int64_t plu);

// The scale's 100-byte record. Names come back in code page 1251 with their 28 characters;
// a logo marker in both names is taken out into logo and cert and blanked.
PluRecord decodePluRecord(const std::uint8_t* bytes);
// Shelf-life bytes: 0x00 first means a count, anything else a date.
void decodeShelfLife(const std::uint8_t* bytes, std::int64_t& value, bool& isDate);

} // namespace qm
