// The line over TCP: the network allowance of the reply windows, the connect time-out and a stop
// during it, and one connection kept across the Connects of one port.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>

#include "link/PortList.h"
#include "link/ScaleSession.h"
#include "link/TComm.h"
#include "link/TcpConnect.h"
#include "support/ComOne.h"
#include "support/EmuProcess.h"
#include "support/ScriptedFeedback.h"

namespace
{

using Clock = std::chrono::steady_clock;

using qmtest::comOne;

qmtest::EmuOptions tcpScale(std::vector<std::string> faults = {})
{
    qmtest::EmuOptions options;
    options.tcp = "127.0.0.1:0";
    options.faults = std::move(faults);
    return options;
}

// A listening port whose queue of waiting connections is full: a connect to it gets no answer, as
// to a converter that is switched off.
struct FullListener {
    FullListener()
    {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof a;
        ::bind(listener, reinterpret_cast<sockaddr*>(&a), size);
        ::listen(listener, 0);
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&a), &size);
        port = ntohs(a.sin_port);
        // Linux takes backlog + 1 connections before it stops answering.
        for (int& fd : fillers) {
            fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            ::connect(fd, reinterpret_cast<sockaddr*>(&a), size);
        }
    }
    ~FullListener()
    {
        for (int fd : fillers)
            ::close(fd);
        ::close(listener);
    }
    int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    int fillers[3] = {-1, -1, -1};
    int port = 0;
};

} // namespace

// The scale answers its number 260 ms late: past the 200 ms window, within it once the port's
// allowance is added.
TEST(TcpLine, AllowanceWidensEveryReplyWindow)
{
    qmtest::EmuProcess scale(tcpScale({"delay=260@addr"}));
    for (const auto& [query, answered] :
         {std::pair{"", false}, std::pair{"?allowance=0", false}, std::pair{"?allowance=150", true}}) {
        qm::TComm comm(comOne(scale.device() + query));
        qmtest::ScriptedFeedback fb;
        qm::ScaleSession session(comm, fb);
        ASSERT_TRUE(session.Connection("COM1", "19200")) << comm.lastErrorText();
        EXPECT_EQ(session.address(1) == qm::AddressResult::Ready, answered) << query;
        comm.Disconnect();
    }
}

// A converter that does not answer fails the connect after 3 s; a stop during the wait ends it at once.
TEST(TcpLine, ConnectTimesOutAndStopEndsTheWait)
{
    FullListener silent;
    for (const bool stop : {false, true}) {
        qm::TComm comm(comOne("tcp://127.0.0.1:" + std::to_string(silent.port)));
        qmtest::ScriptedFeedback fb;
        qm::ScaleSession session(comm, fb);
        const auto start = Clock::now();
        comm.setStopCheck([&] { return stop && Clock::now() - start > std::chrono::milliseconds(200); });
        EXPECT_FALSE(session.Connection("COM1", "9600"));
        const auto took = Clock::now() - start;
        EXPECT_FALSE(comm.lastErrorText().empty());
        if (stop) {
            EXPECT_LT(took, std::chrono::milliseconds(800));
        } else {
            EXPECT_GE(took, std::chrono::milliseconds(2900));
            EXPECT_LT(took, std::chrono::milliseconds(4000));
        }
    }
}

// Connects to the port already connected keep the connection (the loads of an auto-load cycle);
// after a Disconnect the next Connect opens a new one.
TEST(TcpLine, ConnectionKeptUntilDisconnect)
{
    qmtest::EmuProcess scale(tcpScale());
    qm::TComm comm(comOne(scale.device()));
    qmtest::ScriptedFeedback fb;
    qm::ScaleSession session(comm, fb);
    const auto connections = [&] {
        int n = 0;
        for (const auto& e : scale.log())
            n += e.event == "client connected";
        return n;
    };
    for (const char* speed : {"9600", "19200", "2400"}) {
        ASSERT_TRUE(session.Connection("COM1", speed));
        EXPECT_EQ(session.address(1), qm::AddressResult::Ready);
    }
    EXPECT_EQ(connections(), 1);
    comm.Disconnect();
    ASSERT_TRUE(session.Connection("COM1", "9600"));
    EXPECT_EQ(session.address(1), qm::AddressResult::Ready);
    EXPECT_EQ(connections(), 2);
}

// The list of ports shows every network port with whether its connection opens now; the ports are
// tried side by side, so two converters that do not answer cost one second, not two.
TEST(TcpLine, NetworkPortsProbedTogether)
{
    qmtest::EmuProcess scale(tcpScale());
    FullListener off1;
    FullListener off2;
    qm::PortMap map;
    map.set(3, "/dev/null");
    map.set(7, scale.device());
    map.set(8, "tcp://127.0.0.1:" + std::to_string(off1.port));
    map.set(9, "tcp://127.0.0.1:" + std::to_string(off2.port) + "?allowance=50");
    map.set(10, "tcp://no-port");
    const auto start = Clock::now();
    const qm::NetworkReach reach = qm::probeNetworkPorts(map);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1600));
    EXPECT_EQ(reach, (qm::NetworkReach{{7, true}, {8, false}, {9, false}, {10, false}}));
    const auto listed = qm::listedPorts(qm::portEntries(map, {}, reach));
    std::vector<std::string> lines;
    for (const auto& entry : listed)
        if (entry.network)
            lines.push_back(entry.name + " " + entry.device + " " + qm::reachText(entry));
    EXPECT_EQ(lines, (std::vector<std::string>{"COM7 " + scale.device() + " соединение открывается",
                                               "COM8 " + map.device(8) + " соединение не открывается",
                                               "COM9 " + map.device(9) + " соединение не открывается",
                                               "COM10 tcp://no-port соединение не открывается"}));
}
