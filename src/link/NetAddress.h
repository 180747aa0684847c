#pragma once
// A COM name that leads to a network port: an Ethernet-to-serial converter in "TCP server" mode
// next to the scale, which passes the bytes of one TCP connection to its serial port and back.
// "ports.cfg" names it "COM7=tcp://192.168.1.50:4001", "tcp://[fe80::1]:4001" or
// "tcp://scale7.shop.lan:4001", optionally with "?allowance=MS".
//
// The allowance is added to every reply window of the line: the round trip of the network and
// the converter's own buffering come on top of the scale's answer time. 30 ms covers a shop's
// network; a VPN to a store may need 100 or more.

#include <optional>
#include <string>
#include <variant>

namespace qm
{

inline constexpr int kDefaultAllowanceMs = 30;
inline constexpr int kMaxAllowanceMs = 5000;

struct NetAddress {
    std::string host; // a name, an IPv4 address, or an IPv6 address without its brackets
    int port = 0;     // 1..65535
    int allowanceMs = kDefaultAllowanceMs;

    // "tcp://HOST:PORT", IPv6 in brackets; the allowance is not part of it.
    std::string text() const;
};

// True when a device text of "ports.cfg" names a network port (it starts with "tcp://").
bool isNetworkDevice(const std::string& device);

// The address of a network device text, or why it is no address (UTF-8, for the user).
std::variant<NetAddress, std::string> parseNetAddress(const std::string& device);

} // namespace qm
