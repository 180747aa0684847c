#include "link/NetAddress.h"

#include <algorithm>
#include <cctype>

#include "common/IntText.h"

namespace qm
{

namespace
{

constexpr const char* kScheme = "tcp://";
constexpr size_t kSchemeSize = 6;

bool startsWithScheme(const std::string& text)
{
    if (text.size() < kSchemeSize)
        return false;
    for (size_t i = 0; i < kSchemeSize; ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != kScheme[i])
            return false;
    return true;
}

bool allOf(const std::string& text, bool (*allowed)(unsigned char))
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [&](char c) { return allowed(static_cast<unsigned char>(c)); });
}

// Letters, digits, '-' and '.': a host name or an IPv4 address.
bool hostChar(unsigned char c)
{
    return std::isalnum(c) || c == '-' || c == '.';
}

// Hexadecimal digits and ':' (an IPv4 tail has dots); the interface of a link-local address
// ("%eth0") is taken off before.
bool ipv6Char(unsigned char c)
{
    return std::isxdigit(c) || c == ':' || c == '.';
}

// Digits only: a number text with a sign or blanks is no port and no allowance.
std::optional<int> digits(const std::string& text, int max)
{
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const auto value = intText(text);
    if (!value || *value > max)
        return std::nullopt;
    return value;
}

} // namespace

std::string NetAddress::text() const
{
    const bool v6 = host.find(':') != std::string::npos;
    return std::string(kScheme) + (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

bool isNetworkDevice(const std::string& device)
{
    return startsWithScheme(device);
}

std::variant<NetAddress, std::string> parseNetAddress(const std::string& device)
{
    if (!startsWithScheme(device))
        return std::string("адрес должен начинаться с tcp://");
    std::string rest = device.substr(kSchemeSize);
    NetAddress address;
    if (const auto query = rest.find('?'); query != std::string::npos) {
        const std::string option = rest.substr(query + 1);
        rest.resize(query);
        const std::string name = "allowance=";
        const auto ms = option.compare(0, name.size(), name) == 0 ? digits(option.substr(name.size()), kMaxAllowanceMs)
                                                                  : std::nullopt;
        if (!ms)
            return "после \"?\" ожидается allowance=МС, от 0 до " + std::to_string(kMaxAllowanceMs);
        address.allowanceMs = *ms;
    }
    std::string portText;
    if (!rest.empty() && rest[0] == '[') {
        const auto close = rest.find(']');
        if (close == std::string::npos || close + 1 >= rest.size() || rest[close + 1] != ':')
            return std::string("адрес IPv6 пишется в квадратных скобках: tcp://[::1]:4001");
        address.host = rest.substr(1, close - 1);
        std::string zone;
        if (const auto percent = address.host.find('%'); percent != std::string::npos) {
            zone = address.host.substr(percent + 1);
            address.host.resize(percent);
        }
        if (!allOf(address.host, ipv6Char) || address.host.find(':') == std::string::npos ||
            (!zone.empty() && !allOf(zone, hostChar)))
            return std::string("неверный адрес IPv6");
        if (!zone.empty())
            address.host += "%" + zone;
        portText = rest.substr(close + 2);
    } else {
        const auto colon = rest.rfind(':');
        if (colon == std::string::npos)
            return std::string("не указан порт: tcp://АДРЕС:ПОРТ");
        address.host = rest.substr(0, colon);
        if (!allOf(address.host, hostChar))
            return std::string("неверное имя или адрес узла");
        portText = rest.substr(colon + 1);
    }
    const auto port = digits(portText, 65535);
    if (!port || *port == 0)
        return std::string("номер порта TCP должен быть от 1 до 65535");
    address.port = *port;
    return address;
}

} // namespace qm
