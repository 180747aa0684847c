#include "settings/SettingsShown.h"

#include "settings/UserSettingsCodec.h"

namespace qm
{

std::string shownShopLine(const std::string& line)
{
    std::string shown = line.substr(0, kShopLineWidth);
    shown.erase(shown.find_last_not_of(' ') + 1);
    return shown;
}

std::optional<std::string> decimalPointPattern(int code)
{
    // Codes 0 and 1 both mean no decimal places.
    if (code < 0 || code > 5)
        return std::nullopt;
    if (code <= 1)
        return std::string("0");
    return "0," + std::string(static_cast<std::size_t>(code - 1), '0');
}

} // namespace qm
