#include "ProductHandlers.h"

#include <algorithm>
#include <variant>

#include "ProductWire.h"

namespace emu
{

namespace
{

bool validPlu(std::uint32_t plu)
{
    return plu >= 1 && plu <= kMaxPlu;
}

CommandResult refuse(CommandContext& context, const std::string& why)
{
    context.event("refused: " + why);
    return {{kRefused}, false};
}

} // namespace

CommandResult writePlu(CommandContext& context, const Bytes& data)
{
    auto decoded = decodeWrittenRecord(data);
    if (const auto* error = std::get_if<std::string>(&decoded))
        return refuse(context, *error);
    auto& written = std::get<WrittenRecord>(decoded);
    if (!validPlu(written.plu))
        return refuse(context, "PLU " + std::to_string(written.plu) + " outside 1..4000");
    PluRecord& stored = context.state.plu[written.plu];
    // The sales totals belong to the scale: rewriting a product keeps what it has sold.
    written.record.resetTime = stored.resetTime;
    written.record.resetDate = stored.resetDate;
    written.record.sum = stored.sum;
    written.record.weight = stored.weight;
    written.record.sales = stored.sales;
    stored = written.record;
    context.event("PLU " + std::to_string(written.plu) + " written");
    return {{kAck}, true};
}

CommandResult readPlu(CommandContext& context, const Bytes& data)
{
    const std::uint32_t plu = getLe(data, 0, 4);
    const auto found = context.state.plu.find(plu);
    if (found == context.state.plu.end()) {
        context.event("PLU " + std::to_string(plu) + " not found");
        return {{kNotFound}, false};
    }
    // The status byte ahead of the record carries nothing; the program drops it.
    Bytes answer{0x00};
    Bytes record = encodeReadRecord(plu, found->second);
    if (context.state.erased.productClock)
        std::fill(record.begin() + kResetClockAt, record.begin() + kResetClockAt + 6, kErasedByte);
    answer.insert(answer.end(), record.begin(), record.end());
    context.event("PLU " + std::to_string(plu) + " read");
    return {answer, false};
}

CommandResult deletePlu(CommandContext& context, const Bytes& data)
{
    const std::uint32_t plu = getLe(data, 0, 4);
    if (!validPlu(plu))
        return refuse(context, "PLU " + std::to_string(plu) + " outside 1..4000");
    // An empty cell is acknowledged too: deleting all 4000 numbers must get through a scale
    // that holds only a few of them.
    const bool existed = context.state.plu.erase(plu) > 0;
    context.event("PLU " + std::to_string(plu) + (existed ? " deleted" : " was empty"));
    return {{kAck}, existed};
}

CommandResult setRange(CommandContext& context, const Bytes& data)
{
    const std::uint32_t first = getLe(data, 0, 4);
    const std::uint32_t last = getLe(data, 4, 4);
    if (!validPlu(first) || !validPlu(last) || first > last)
        return refuse(context, "range " + std::to_string(first) + ".." + std::to_string(last));
    context.state.range = std::make_pair(first, last);
    context.event("virtual range " + std::to_string(first) + ".." + std::to_string(last));
    return {{kAck}, true};
}

CommandResult cancelRange(CommandContext& context, const Bytes&)
{
    const bool wasSet = context.state.range.has_value();
    context.state.range.reset();
    context.event(wasSet ? "virtual range cancelled" : "no virtual range to cancel");
    return {{kAck}, wasSet};
}

} // namespace emu
