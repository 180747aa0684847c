#include "LogoHandlers.h"

#include <algorithm>
#include <bitset>

namespace emu
{

int logoDotCount(const LogoBytes& logo)
{
    int count = 0;
    for (std::uint8_t byte : logo)
        count += static_cast<int>(std::bitset<8>(byte).count());
    return count;
}

CommandResult writeLogo(CommandContext& context, const Bytes& data)
{
    std::copy_n(data.begin(), kLogoBytes, context.state.logo.begin());
    context.event("logo written, " + std::to_string(logoDotCount(context.state.logo)) + " dots set");
    return {{kAck}, true};
}

CommandResult readLogo(CommandContext& context, const Bytes&)
{
    Bytes answer{kLogoAnswerLead};
    answer.insert(answer.end(), context.state.logo.begin(), context.state.logo.end());
    context.event("logo read, " + std::to_string(logoDotCount(context.state.logo)) + " dots set");
    return {answer, false};
}

} // namespace emu
