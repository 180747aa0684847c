#include "TcpLink.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace emu
{

TcpLink::~TcpLink()
{
    closeClient();
    if (m_listen >= 0)
        ::close(m_listen);
}

bool TcpLink::listen(const std::string& hostPort, std::string& error)
{
    std::string host;
    std::string port;
    if (!hostPort.empty() && hostPort[0] == '[') {
        const auto close = hostPort.find("]:");
        if (close == std::string::npos) {
            error = "--tcp: нужен HOST:PORT, адрес IPv6 в квадратных скобках";
            return false;
        }
        host = hostPort.substr(1, close - 1);
        port = hostPort.substr(close + 2);
    } else {
        const auto colon = hostPort.rfind(':');
        if (colon == std::string::npos || colon == 0) {
            error = "--tcp: нужен HOST:PORT";
            return false;
        }
        host = hostPort.substr(0, colon);
        port = hostPort.substr(colon + 1);
    }
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    if (const int rc = ::getaddrinfo(host.c_str(), port.c_str(), &hints, &found); rc != 0) {
        error = hostPort + ": " + ::gai_strerror(rc);
        return false;
    }
    m_listen = ::socket(found->ai_family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    const int one = 1;
    if (m_listen < 0 || ::setsockopt(m_listen, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one) != 0 ||
        ::bind(m_listen, found->ai_addr, found->ai_addrlen) != 0 || ::listen(m_listen, 4) != 0) {
        error = hostPort + ": " + std::strerror(errno);
        ::freeaddrinfo(found);
        return false;
    }
    ::freeaddrinfo(found);
    sockaddr_storage bound{};
    socklen_t size = sizeof bound;
    ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&bound), &size);
    char text[INET6_ADDRSTRLEN] = {};
    int boundPort = 0;
    if (bound.ss_family == AF_INET6) {
        const auto* a = reinterpret_cast<const sockaddr_in6*>(&bound);
        ::inet_ntop(AF_INET6, &a->sin6_addr, text, sizeof text);
        boundPort = ntohs(a->sin6_port);
        m_address = "tcp://[" + std::string(text) + "]:" + std::to_string(boundPort);
    } else {
        const auto* a = reinterpret_cast<const sockaddr_in*>(&bound);
        ::inet_ntop(AF_INET, &a->sin_addr, text, sizeof text);
        boundPort = ntohs(a->sin_port);
        m_address = "tcp://" + std::string(text) + ":" + std::to_string(boundPort);
    }
    return true;
}

std::string TcpLink::accept()
{
    const int fd = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0)
        return {};
    if (m_client >= 0) {
        ::close(fd);
        return "client turned away: the line is taken";
    }
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    m_client = fd;
    ++m_clients;
    return "client connected";
}

bool TcpLink::hangUp()
{
    closeClient();
    return false;
}

std::size_t TcpLink::writable(std::size_t n)
{
    if (m_dropAfter <= 0 || m_clients != 1)
        return n;
    const long left = m_dropAfter - m_sentToFirst;
    return left <= 0 ? 0 : (static_cast<long>(n) < left ? n : static_cast<std::size_t>(left));
}

void TcpLink::wrote(std::size_t n)
{
    if (m_clients != 1)
        return;
    m_sentToFirst += static_cast<long>(n);
    if (m_dropAfter > 0 && m_sentToFirst >= m_dropAfter)
        closeClient();
}

void TcpLink::closeClient()
{
    if (m_client >= 0)
        ::close(m_client);
    m_client = -1;
}

} // namespace emu
