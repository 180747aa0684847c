// The network port texts of ports.cfg: what each gives, and which are refused.
#include <gtest/gtest.h>

#include "link/NetAddress.h"
#include "link/PortMap.h"

namespace
{

struct Case {
    const char* text;
    const char* host; // nullptr: refused
    int port;
    int allowanceMs;
};

const Case kCases[] = {
    {"tcp://192.168.1.50:4001", "192.168.1.50", 4001, 30},
    {"TCP://10.0.0.5:4001?allowance=120", "10.0.0.5", 4001, 120},
    {"tcp://scale7.shop.lan:23", "scale7.shop.lan", 23, 30},
    {"tcp://[::1]:4001", "::1", 4001, 30},
    {"tcp://[fe80::1%eth0]:4001?allowance=0", "fe80::1%eth0", 4001, 0},
    {"tcp://[2001:db8::7]:65535?allowance=5000", "2001:db8::7", 65535, 5000},
    {"tcp://host:4001?allowance=5001", nullptr, 0, 0},
    {"tcp://host:4001?allowance=-1", nullptr, 0, 0},
    {"tcp://host:4001?timeout=9", nullptr, 0, 0},
    {"tcp://host:0", nullptr, 0, 0},
    {"tcp://host:65536", nullptr, 0, 0},
    {"tcp://host: 4001", nullptr, 0, 0},
    {"tcp://host", nullptr, 0, 0},
    {"tcp://:4001", nullptr, 0, 0},
    {"tcp://::1:4001", nullptr, 0, 0}, // IPv6 without brackets
    {"tcp://[::1]4001", nullptr, 0, 0},
    {"tcp://[host]:4001", nullptr, 0, 0},
    {"tcp://ho st:4001", nullptr, 0, 0},
    {"udp://10.0.0.5:4001", nullptr, 0, 0},
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.text;
}

class NetAddressText : public ::testing::TestWithParam<Case>
{
};

TEST_P(NetAddressText, ParsedOrRefused)
{
    const Case& c = GetParam();
    const auto parsed = qm::parseNetAddress(c.text);
    if (!c.host) {
        ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << c.text;
        EXPECT_FALSE(std::get<std::string>(parsed).empty());
        return;
    }
    ASSERT_TRUE(std::holds_alternative<qm::NetAddress>(parsed)) << c.text << ": " << std::get<std::string>(parsed);
    const auto& address = std::get<qm::NetAddress>(parsed);
    EXPECT_EQ(address.host, c.host);
    EXPECT_EQ(address.port, c.port);
    EXPECT_EQ(address.allowanceMs, c.allowanceMs);
    // The text names the same place again, without the allowance.
    const auto again = qm::parseNetAddress(address.text());
    ASSERT_TRUE(std::holds_alternative<qm::NetAddress>(again)) << address.text();
    EXPECT_EQ(std::get<qm::NetAddress>(again).host, c.host);
    EXPECT_EQ(std::get<qm::NetAddress>(again).port, c.port);
}

INSTANTIATE_TEST_SUITE_P(PortsCfg, NetAddressText, ::testing::ValuesIn(kCases));

TEST(NetAddress, PortsCfgKeepsTheNetworkTextAsTheDevice)
{
    const auto map = qm::PortMap::parse("COM7 = tcp://[::1]:4001?allowance=120\r\nCOM2=/dev/ttyUSB0\n");
    EXPECT_EQ(map.device(7), "tcp://[::1]:4001?allowance=120");
    EXPECT_TRUE(qm::isNetworkDevice(map.device(7)));
    EXPECT_FALSE(qm::isNetworkDevice(map.device(2)));
    EXPECT_FALSE(qm::isNetworkDevice(map.device(3)));
}

} // namespace
