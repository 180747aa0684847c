#include "link/TcpConnect.h"

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace qm
{

namespace
{

using Clock = std::chrono::steady_clock;
constexpr int kStepMs = 20; // how soon a stop is seen

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
        out.sizes.push_back(a->ai_addrlen);
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
int connectOne(const sockaddr_storage& to, socklen_t size, Clock::time_point deadline,
               const std::function<bool()>& stopped, std::string& error)
{
    const int fd = ::socket(to.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = std::string("socket: ") + std::strerror(errno);
        return -1;
    }
    int rc = ::connect(fd, reinterpret_cast<const sockaddr*>(&to), size);
    if (rc != 0 && errno != EINPROGRESS) {
        error = std::strerror(errno);
        ::close(fd);
        return -1;
    }
    while (rc != 0) {
        if (stopped && stopped()) {
            error = "stopped while connecting";
            ::close(fd);
            return -1;
        }
        const int left = remainingMs(deadline);
        if (left == 0) {
            error = "no connection within the time-out";
            ::close(fd);
            return -1;
        }
        pollfd p{fd, POLLOUT, 0};
        if (::poll(&p, 1, left < kStepMs ? left : kStepMs) <= 0)
            continue;
        int soError = 0;
        socklen_t len = sizeof soError;
        ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &soError, &len);
        if (soError != 0) {
            error = std::strerror(soError);
            ::close(fd);
            return -1;
        }
        rc = 0;
    }
    // The scale's protocol is a few bytes each way: Nagle's delay would hold every one of them.
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return fd;
}

} // namespace

TcpOpened connectTcp(const NetAddress& address, int timeoutMs, const std::function<bool()>& stopped)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    TcpOpened opened;
    const Addresses to = resolve(address, deadline, stopped);
    opened.error = to.error;
    for (size_t i = 0; i < to.list.size() && opened.fd < 0; ++i)
        opened.fd = connectOne(to.list[i], to.sizes[i], deadline, stopped, opened.error);
    if (opened.fd >= 0)
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
            if (opened.fd >= 0)
                ::close(opened.fd);
            std::lock_guard<std::mutex> lock(mutex);
            reach[com] = opened.fd >= 0;
        });
    for (auto& probe : probes)
        probe.join();
    return reach;
}

} // namespace qm
