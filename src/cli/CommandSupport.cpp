#include "cli/CommandSupport.h"

namespace qm::cli
{

int exitCode(TransferOutcome outcome)
{
    return outcome == TransferOutcome::Done ? kOk : kFailed;
}

ScaleLink scaleLink(CliContext& context)
{
    return ScaleLink{context.session(), context.config(), context.scaleName()};
}

bool needScale(CliContext& context)
{
    if (context.args().has("scale"))
        return true;
    context.error(context.args().command() + " needs --scale NAME");
    return false;
}

std::optional<std::string> onlyFile(CliContext& context)
{
    const auto& words = context.args().positional();
    if (words.size() == 1)
        return context.path(words.front());
    context.error(context.args().command() + " needs exactly one FILE");
    return std::nullopt;
}

std::pair<std::string, std::string> splitRange(const std::string& text)
{
    const auto dash = text.find('-', 1);
    const std::string first = text.substr(0, dash);
    return {first, dash == std::string::npos ? first : text.substr(dash + 1)};
}

Selection selection(CliContext& context, const std::string& one)
{
    const auto& a = context.args();
    if (int(a.has("all")) + int(a.has(one)) + int(a.has("range")) != 1) {
        context.error(a.command() + " needs one of --all, --" + one + " N, --range FIRST-LAST");
        return Selection::None;
    }
    return a.has("all") ? Selection::All : a.has(one) ? Selection::One : Selection::Range;
}

} // namespace qm::cli
