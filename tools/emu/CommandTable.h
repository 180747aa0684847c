#pragma once
// Every command the scale knows, as one table: the command byte, the count of data bytes that
// follow it, and the handler that runs once they have all arrived. A new command is one entry
// here plus its handler.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "ScaleState.h"
#include "WireCodec.h"

namespace emu
{

inline constexpr std::uint8_t kAck = 0xAA;
inline constexpr std::uint8_t kReady = 0x80;
inline constexpr std::uint8_t kNotFound = 0xEE;
inline constexpr std::uint8_t kRefused = 0x00;    // what the scale answers instead of 0xAA
inline constexpr std::uint8_t kStrayByte = 0xFF;  // a glitch of an idle line, by default
inline constexpr std::uint8_t kErasedByte = 0xFF; // what erased memory holds

struct CommandContext {
    ScaleState& state;
    std::function<void(const std::string&)> event; // a line for the log
};

struct CommandResult {
    Bytes answer;
    bool changed = false; // the state must be saved
};

using CommandHandler = CommandResult (*)(CommandContext& context, const Bytes& data);

struct CommandEntry {
    std::uint8_t byte;
    std::size_t dataBytes;
    const char* name;
    bool acknowledged; // answered by 0xAA, so a nak fault can refuse it
    CommandHandler handler;
};

// Nullptr when the byte is no command of the scale.
const CommandEntry* findCommand(std::uint8_t byte);

} // namespace emu
