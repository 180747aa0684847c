#pragma once
// The bytes of the link test and of the number detection. Both send one byte, a scale number
// (the addressing byte of every command); a scale that knows the number answers with it and then
// the ready byte 0x80. The link test classifies the first byte of the answer only; the detection
// looks at every byte that came, so that a byte of another device on the line ahead of the
// scale's answer does not hide the scale.

#include <cstdint>
#include <vector>

namespace qm
{

using Bytes = std::vector<std::uint8_t>;

// How a scale answered the link test, one state a row of the test table.
enum class LinkState {
    PortUnavailable, // the port could not be opened: nothing was sent
    NoAnswer,        // no byte within the window
    OtherAnswer,     // the first byte is another value: something else is on the line
    Working,         // the first byte is the scale's number
};

// The number byte: 1..99 from the configuration or the detection.
Bytes encodeNumberProbe(int number);

// The link test's state from the bytes that came (none: NoAnswer); only the first is looked at.
LinkState linkStateOf(const Bytes& answer, int number);

// True when any byte that came is the number: the detection's test.
bool answersNumber(const Bytes& answer, int number);

} // namespace qm
