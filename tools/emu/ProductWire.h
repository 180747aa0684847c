#pragma once
// The product record on the wire. The program writes 83 bytes after the command byte 0x82; the
// scale answers a read with 100 bytes: the same layout followed by the sales totals.
//
//  0  4  PLU number          binary LE          66  4  price           binary LE
//  4  6  product code        digit bytes        70  3  shelf life      packed BCD, high first
// 10 28  name 1              scale code page    73  2  tare            binary LE
// 38 28  name 2              scale code page    75  6  group code      digit bytes
//                                               81  2  message number  binary LE
// 83  3  reset time  BCD, low pair first        89  4  total sum       binary LE
// 86  3  reset date  BCD, high pair first       93  4  total weight    binary LE
//                                               97  3  number of sales binary LE

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

#include "ScaleState.h"
#include "WireCodec.h"

namespace emu
{

inline constexpr std::size_t kWrittenRecordSize = 83;
inline constexpr std::size_t kReadRecordSize = 100;
inline constexpr std::ptrdiff_t kResetClockAt = 83; // the reset time and date, 6 bytes

struct WrittenRecord {
    std::uint32_t plu = 0;
    PluRecord record; // totals left at zero
};

// The 83 data bytes of a write; a string describes the first byte no program should send.
std::variant<WrittenRecord, std::string> decodeWrittenRecord(const Bytes& data);

Bytes encodeReadRecord(std::uint32_t plu, const PluRecord& record);

} // namespace emu
