#pragma once
// A message on the wire: its number as two bytes (low first) and eight lines of 50 bytes in the
// scale's code page. A write carries 402 data bytes after 0x84; a read (0x83) is answered with a
// status byte and the 400 bytes of text.

#include <cstdint>
#include <variant>

#include "ScaleState.h"
#include "WireCodec.h"

namespace emu
{

inline constexpr std::size_t kMessageTextSize = kMessageLines * kLineWidth;
inline constexpr std::size_t kWrittenMessageSize = 2 + kMessageTextSize;

struct WrittenMessage {
    std::uint32_t number = 0;
    MessageLines lines;
};

WrittenMessage decodeWrittenMessage(const Bytes& data);
std::uint32_t messageNumber(const Bytes& data); // the first two data bytes of 0x83, 0x84, 0x8E

// The read answer: status byte 0x00, then line 1 to line 8.
Bytes encodeReadMessage(const MessageLines& lines);

} // namespace emu
