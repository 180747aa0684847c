#pragma once
// A message on the wire. The number takes two bytes, low byte first; each of the eight lines
// takes 50 bytes in the scale's code page, blank-filled.
//
//   write   0x84 lo hi line1..line8                (403 bytes)  -> 0xAA
//   read    0x83 lo hi                             (3 bytes)    -> 1 unused byte, line1..line8
//   delete  0x8E lo hi                             (3 bytes)    -> 0xAA

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/WireFields.h"

namespace qm
{

inline constexpr int kMessageLineCount = 8;
inline constexpr int kMessageLineWidth = 50;
inline constexpr std::uint8_t kWriteMsgCommand = 0x84;
inline constexpr std::uint8_t kReadMsgCommand = 0x83;
inline constexpr std::uint8_t kDeleteMsgCommand = 0x8E;
inline constexpr int kWriteMsgSize = 3 + kMessageLineCount * kMessageLineWidth;
inline constexpr int kReadMsgAnswerSize = 1 + kMessageLineCount * kMessageLineWidth;

// Eight lines in code page 1251, line 1 first.
using MessageLines = std::array<std::string, kMessageLineCount>;

// The number as its two wire bytes. nullopt for a number that two bytes cannot hold: sending it
// cut to 16 bits would overwrite another message (70000 would land on 4464).
std::optional<std::uint16_t> messageWireNumber(std::int64_t number);

// A line as it goes out: its first 50 characters, blank-filled, in the scale's code page.
std::string wireLine(std::string_view cp1251);

Bytes encodeSendMsg(std::uint16_t number, const MessageLines& lines);
Bytes encodeGetMsg(std::uint16_t number);
Bytes encodeDeleteMsg(std::uint16_t number);

// The lines of a 401-byte read answer in code page 1251, 50 characters each with their trailing
// blanks; a 0x00 byte reads as a blank. The first answer byte carries nothing the program uses.
// Unlike the product record, this answer holds nothing that can be checked: no message number
// (the scale answers a number it holds nothing at with blanks), a first byte of no documented
// meaning, and 400 text bytes each of which the scale may hold (the writes of this program and
// of the original alone can put any byte 0x00..0xBF and 0xE0..0xF1 there, and what another
// program or an erased memory leaves is unknown). A garbled answer therefore reads as other text.
MessageLines decodeGetMsgAnswer(const Bytes& answer);

// True when all eight lines are blank: the scale answers this for a number it holds nothing at.
bool isEmptyMessage(const MessageLines& lines);

} // namespace qm
