#pragma once
// The scale behind an Ethernet-to-serial converter in "TCP server" mode: one client at a time
// gets the line; a client that connects while another is served is closed at once, as many
// converters do, so its bytes never reach the scale. When the client goes, the line waits for
// the next one. Optionally the first client's connection is cut after the scale has sent it a
// number of bytes: a converter or a network that fails in the middle of an exchange.

#include <string>

#include "Link.h"

namespace emu
{

class TcpLink : public Link
{
  public:
    TcpLink() = default;
    ~TcpLink() override;
    TcpLink(const TcpLink&) = delete;
    TcpLink& operator=(const TcpLink&) = delete;

    // Listens on "HOST:PORT" (IPv6 in brackets; port 0 picks a free one); false with the reason.
    bool listen(const std::string& hostPort, std::string& error);
    // The first client's connection is closed after this many bytes from the scale (0: never).
    void dropAfter(long bytes) { m_dropAfter = bytes; }

    std::string address() const override { return m_address; }
    int dataFd() const override { return m_client; }
    int listenFd() const override { return m_listen; }
    std::string accept() override;
    bool hangUp() override;
    std::size_t writable(std::size_t n) override;
    void wrote(std::size_t n) override;

  private:
    void closeClient();

    int m_listen = -1;
    int m_client = -1;
    std::string m_address;
    long m_dropAfter = 0;
    long m_sentToFirst = 0;
    int m_clients = 0;
};

} // namespace emu
