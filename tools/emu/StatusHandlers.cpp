#include "StatusHandlers.h"

#include <cstdlib>

namespace emu
{

namespace
{

constexpr std::uint8_t kNegativeWeight = 0x80;

bool validKey(std::uint32_t key)
{
    return key >= 1 && key <= kPriceKeys;
}

} // namespace

CommandResult readStatus(CommandContext& context, const Bytes&)
{
    const StatusValues& s = context.state.status;
    // Byte 0 carries nothing; the weight goes as its magnitude with the sign in bit 7.
    Bytes answer{0x00, static_cast<std::uint8_t>(s.flags | (s.weight < 0 ? kNegativeWeight : 0))};
    putLe(answer, static_cast<std::uint32_t>(std::abs(s.weight)), 2);
    putLe(answer, s.product, 4);
    putLe(answer, s.total, 4);
    putLe(answer, s.price, 4);
    context.event("status read");
    return {answer, false};
}

CommandResult readPriceKey(CommandContext& context, const Bytes& data)
{
    const std::uint32_t key = data[0];
    if (!validKey(key)) {
        context.event("price key " + std::to_string(key) + " does not exist");
        return {{kNotFound}, false};
    }
    // A key that calls up no cell reads as cell 0.
    const std::uint32_t cell = context.state.priceKeys[key - 1];
    Bytes answer{0x00};
    putLe(answer, cell, 4);
    context.event("price key " + std::to_string(key) + " read");
    return {answer, false};
}

CommandResult writePriceKey(CommandContext& context, const Bytes& data)
{
    const std::uint32_t cell = getLe(data, 0, 4);
    const std::uint32_t key = data[4];
    if (!validKey(key) || cell > kMaxPlu) {
        context.event("refused: price key " + std::to_string(key) + " to cell " + std::to_string(cell));
        return {{kRefused}, false};
    }
    context.state.priceKeys[key - 1] = cell;
    context.event("price key " + std::to_string(key) + " set to " + std::to_string(cell));
    return {{kAck}, true};
}

CommandResult readFactory(CommandContext& context, const Bytes&)
{
    const FactoryValues& f = context.state.factory;
    Bytes answer{0x00};
    putLe(answer, f.capacity, 2);
    answer.insert(answer.end(),
                  {f.weightPoint, f.pricePoint, f.totalPoint, f.dualRange, f.upperDivision, f.lowerDivision});
    putLe(answer, f.priceWeight, 2);
    answer.push_back(f.rounding);
    putLe(answer, f.tareLimit, 2);
    context.event("factory settings read");
    return {answer, false};
}

} // namespace emu
