#pragma once
// What the decoder targets share: a record of the exact size the reply window hands a decoder,
// copied into its own buffer so that AddressSanitizer sees any read past its end.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qm::fuzz
{

// The first `size` bytes of the input as a buffer of exactly that size; empty when the input is
// shorter (a short answer never reaches a decoder: the reply window counts the bytes first).
inline std::vector<std::uint8_t> exactRecord(const std::uint8_t* data, std::size_t length, std::size_t size)
{
    if (length < size)
        return {};
    return std::vector<std::uint8_t>(data, data + size);
}

} // namespace qm::fuzz
