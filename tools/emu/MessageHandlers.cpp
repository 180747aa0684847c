#include "MessageHandlers.h"

#include "MessageWire.h"

namespace emu
{

namespace
{

bool validMessage(std::uint32_t number)
{
    return number >= 1 && number <= kMaxMessage;
}

} // namespace

CommandResult writeMessage(CommandContext& context, const Bytes& data)
{
    WrittenMessage written = decodeWrittenMessage(data);
    if (!validMessage(written.number)) {
        context.event("refused: message " + std::to_string(written.number) + " outside 1..1000");
        return {{kRefused}, false};
    }
    context.state.messages[written.number] = written.lines;
    context.event("message " + std::to_string(written.number) + " written");
    return {{kAck}, true};
}

CommandResult readMessage(CommandContext& context, const Bytes& data)
{
    const std::uint32_t number = messageNumber(data);
    const auto found = context.state.messages.find(number);
    // The read has no not-found answer: a message the scale does not hold reads as blanks.
    const bool held = found != context.state.messages.end();
    context.event("message " + std::to_string(number) + (held ? " read" : " read as blank"));
    return {encodeReadMessage(held ? found->second : blankMessage()), false};
}

CommandResult deleteMessage(CommandContext& context, const Bytes& data)
{
    const std::uint32_t number = messageNumber(data);
    if (!validMessage(number)) {
        context.event("refused: message " + std::to_string(number) + " outside 1..1000");
        return {{kRefused}, false};
    }
    // Like a product cell, an empty message is acknowledged, so deleting all 1000 gets through.
    const bool existed = context.state.messages.erase(number) > 0;
    context.event("message " + std::to_string(number) + (existed ? " deleted" : " was empty"));
    return {{kAck}, existed};
}

} // namespace emu
