#include "link/TcpConnect.h"

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace qm
{

namespace
{

using Clock = std::chrono::steady_clock;
constexpr int kStepMs = 20; // how soon a stop is seen

// The few calls that differ between Winsock and POSIX sockets.
#ifdef _WIN32
SOCKET native(SocketHandle s)
{
    return static_cast<SOCKET>(s);
}
bool startSockets()
{
    static const bool started = [] {
        WSADATA data;
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}
int lastSocketError()
{
    return ::WSAGetLastError();
}
bool connectPending(int error)
{
    return error == WSAEWOULDBLOCK || error == WSAEINPROGRESS;
}
std::string socketErrorText(int error)
{
    return "Winsock error " + std::to_string(error);
}
SocketHandle openStreamSocket(int family)
{
    const SOCKET s = ::socket(family, SOCK_STREAM, 0);
    if (s == INVALID_SOCKET)
        return kNoSocket;
    u_long nonBlocking = 1;
    ::ioctlsocket(s, FIONBIO, &nonBlocking);
    return static_cast<SocketHandle>(s);
}
int pollWritable(SocketHandle s, int ms)
{
    WSAPOLLFD p{native(s), POLLOUT, 0};
    return ::WSAPoll(&p, 1, ms);
}
#else
int native(SocketHandle s)
{
    return static_cast<int>(s);
}
bool startSockets()
{
    return true;
}
int lastSocketError()
{
    return errno;
}
bool connectPending(int error)
{
    return error == EINPROGRESS;
}
std::string socketErrorText(int error)
{
    return std::strerror(error);
}
SocketHandle openStreamSocket(int family)
{
    return ::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}
int pollWritable(SocketHandle s, int ms)
{
    pollfd p{native(s), POLLOUT, 0};
    return ::poll(&p, 1, ms);
}
#endif

struct Addresses {
    std::vector<sockaddr_storage> list;
    std::vector<socklen_t> sizes;
    std::string error;
};

Addresses lookUp(const std::string& host, int port, int flags)
{
    Addresses out;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV | flags;
    addrinfo* found = nullptr;
    const int rc = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
    if (rc != 0) {
        out.error = host + ": " + ::gai_strerror(rc);
        return out;
    }
    for (const addrinfo* a = found; a; a = a->ai_next) {
        sockaddr_storage s{};
        std::memcpy(&s, a->ai_addr, a->ai_addrlen);
        out.list.push_back(s);
        out.sizes.push_back(static_cast<socklen_t>(a->ai_addrlen)); // size_t on Windows
    }
    ::freeaddrinfo(found);
    return out;
}

// A name is looked up on a thread of its own, which is left to finish alone when the time is up
// or a stop comes: the system's resolver may wait far longer than the connect time-out.
Addresses resolve(const NetAddress& address, Clock::time_point deadline, const std::function<bool()>& stopped)
{
    Addresses literal = lookUp(address.host, address.port, AI_NUMERICHOST);
    if (!literal.list.empty())
        return literal;
    struct Shared {
        std::mutex mutex;
        std::condition_variable done;
        bool ready = false;
        Addresses result;
    };
    auto shared = std::make_shared<Shared>();
    std::thread([shared, host = address.host, port = address.port] {
        Addresses result = lookUp(host, port, 0);
        std::lock_guard<std::mutex> lock(shared->mutex);
        shared->result = std::move(result);
        shared->ready = true;
        shared->done.notify_all();
    }).detach();
    std::unique_lock<std::mutex> lock(shared->mutex);
    while (!shared->ready) {
        if (stopped && stopped())
            return Addresses{{}, {}, address.host + ": stopped during the name lookup"};
        if (Clock::now() >= deadline)
            return Addresses{{}, {}, address.host + ": the name lookup timed out"};
        shared->done.wait_for(lock, std::chrono::milliseconds(kStepMs));
    }
    return shared->result;
}

int remainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// One address: a non-blocking connect, watched in short steps.
SocketHandle connectOne(const sockaddr_storage& to, socklen_t size, Clock::time_point deadline,
                        const std::function<bool()>& stopped, std::string& error)
{
    const SocketHandle fd = openStreamSocket(to.ss_family);
    if (fd == kNoSocket) {
        error = "socket: " + socketErrorText(lastSocketError());
        return kNoSocket;
    }
    int rc = ::connect(native(fd), reinterpret_cast<const sockaddr*>(&to), size);
    if (rc != 0 && !connectPending(lastSocketError())) {
        error = socketErrorText(lastSocketError());
        closeTcp(fd);
        return kNoSocket;
    }
    while (rc != 0) {
        if (stopped && stopped()) {
            error = "stopped while connecting";
            closeTcp(fd);
            return kNoSocket;
        }
        const int left = remainingMs(deadline);
        if (left == 0) {
            error = "no connection within the time-out";
            closeTcp(fd);
            return kNoSocket;
        }
        if (pollWritable(fd, left < kStepMs ? left : kStepMs) <= 0)
            continue;
        int soError = 0;
        socklen_t len = sizeof soError;
        ::getsockopt(native(fd), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&soError), &len);
        if (soError != 0) {
            error = socketErrorText(soError);
            closeTcp(fd);
            return kNoSocket;
        }
        rc = 0;
    }
    // The scale's protocol is a few bytes each way: Nagle's delay would hold every one of them.
    const int one = 1;
    ::setsockopt(native(fd), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&one), sizeof one);
    return fd;
}

} // namespace

void closeTcp(SocketHandle socket)
{
#ifdef _WIN32
    ::closesocket(static_cast<SOCKET>(socket));
#else
    ::close(static_cast<int>(socket));
#endif
}

TcpOpened connectTcp(const NetAddress& address, int timeoutMs, const std::function<bool()>& stopped)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    TcpOpened opened;
    if (!startSockets()) {
        opened.error = "the sockets could not be started";
        return opened;
    }
    const Addresses to = resolve(address, deadline, stopped);
    opened.error = to.error;
    for (size_t i = 0; i < to.list.size() && opened.fd == kNoSocket; ++i)
        opened.fd = connectOne(to.list[i], to.sizes[i], deadline, stopped, opened.error);
    if (opened.fd != kNoSocket)
        opened.error.clear();
    return opened;
}

std::map<int, bool> probeNetworkPorts(const PortMap& map, int timeoutMs)
{
    std::map<int, bool> reach;
    std::vector<std::pair<int, NetAddress>> targets;
    for (int com = 1; com <= 16; ++com) {
        const std::string device = map.device(com);
        if (!isNetworkDevice(device))
            continue;
        reach[com] = false;
        const auto parsed = parseNetAddress(device);
        if (const auto* address = std::get_if<NetAddress>(&parsed))
            targets.emplace_back(com, *address);
    }
    std::vector<std::thread> probes;
    std::mutex mutex;
    for (const auto& [com, address] : targets)
        probes.emplace_back([&, com = com, address = address] {
            const TcpOpened opened = connectTcp(address, timeoutMs);
            if (opened.fd != kNoSocket)
                closeTcp(opened.fd);
            std::lock_guard<std::mutex> lock(mutex);
            reach[com] = opened.fd != kNoSocket;
        });
    for (auto& probe : probes)
        probe.join();
    return reach;
}

} // namespace qm
