#pragma once
// Opening a TCP connection to a converter within a time limit that a stop ends early: the name
// is looked up and the connection made without blocking, in steps short enough that a stop is
// seen at once. TComm wraps the connected descriptor into its socket; the list of ports only
// asks whether a connection opens.

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "link/NetAddress.h"
#include "link/PortMap.h"

namespace qm
{

inline constexpr int kConnectTimeoutMs = 3000;
inline constexpr int kProbeTimeoutMs = 1000;

// A POSIX descriptor or a Winsock SOCKET (an unsigned pointer-sized handle whose invalid value
// is all ones): both fit, and -1 means none.
using SocketHandle = std::intptr_t;
inline constexpr SocketHandle kNoSocket = -1;

struct TcpOpened {
    SocketHandle fd = kNoSocket; // connected, TCP_NODELAY set; kNoSocket when not
    std::string error;           // the system's reason when not (English, for the trace and --verbose)
};

void closeTcp(SocketHandle socket);

// Connects within timeoutMs. stopped (may be empty) is asked every few milliseconds.
TcpOpened connectTcp(const NetAddress& address, int timeoutMs, const std::function<bool()>& stopped = {});

// COM number → whether a connection opens now, for every network port of the map; all of them
// are tried at the same time, each for at most timeoutMs.
std::map<int, bool> probeNetworkPorts(const PortMap& map, int timeoutMs = kProbeTimeoutMs);

} // namespace qm
