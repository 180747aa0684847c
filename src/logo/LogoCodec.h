#pragma once
// The packed logo and the two logo commands on the wire. Packed, the 4096 dots are 512 bytes in
// linear order, 8 dots a byte: byte k holds dots 8k..8k+7, the first of them in bit 7 (0x80) and
// the eighth in bit 0; a 1 bit is a set (black) dot. So row y is bytes 8y..8y+7 and the leftmost
// dot of a byte is its most significant bit. The logo file (.qmi) is exactly these 512 bytes.

#include <cstdint>
#include <string>

#include "common/WireFields.h"
#include "logo/LogoPicture.h"

namespace qm
{

inline constexpr int kLogoPackedSize = kLogoDots / 8; // 512

inline constexpr std::uint8_t kWriteLogoCommand = 0x8C;
inline constexpr std::uint8_t kReadLogoCommand = 0x97;
// The read's answer: one byte the program ignores, then the 512 packed bytes.
inline constexpr int kReadLogoAnswerSize = 1 + kLogoPackedSize;

// Eight dot values in dot order, each 1 for a set dot and anything else for a clear one: the first
// gives 128, the second 64, ... the eighth 1.
std::uint8_t BitToByte(const int (&dots)[8]);

Bytes packLogo(const LogoPicture& picture);
// `packed` holds at least 512 bytes from `offset` on; the first 512 are read.
LogoPicture unpackLogo(const std::uint8_t* packed);
LogoPicture unpackLogo(const Bytes& packed, std::size_t offset = 0);

// The logo file's bytes (std::string, as files are read and written).
std::string logoFileBytes(const LogoPicture& picture);
// `bytes` must hold exactly 512 bytes (the file's size is checked when it is read).
LogoPicture logoFromFileBytes(const std::string& bytes);

// 0x8C, then the 512 packed bytes.
Bytes encodeSendLogo(const LogoPicture& picture);
// 0x97.
Bytes encodeGetLogo();
// The 513 bytes of the answer: the first dropped, the other 512 unpacked. There is nothing to
// check in them: the first byte has no documented meaning and the 512 bytes are 4096 free dots,
// every pattern of which is a logo.
LogoPicture decodeGetLogoAnswer(const Bytes& answer);

} // namespace qm
