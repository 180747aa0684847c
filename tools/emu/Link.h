#pragma once
// The line the scale sits on, as the server sees it: a pseudo-terminal (Pty), or a TCP port
// served to one client at a time as an Ethernet-to-serial converter does (TcpLink).

#include <cstddef>
#include <string>

namespace emu
{

class Link
{
  public:
    virtual ~Link() = default;

    // What the program opens: the slave device, or "tcp://HOST:PORT". The first output line.
    virtual std::string address() const = 0;
    // Where the program's bytes come from and the answers go; -1 while no client is connected.
    virtual int dataFd() const = 0;
    // A descriptor on which a new client waits; -1 for a line without clients.
    virtual int listenFd() const { return -1; }
    // Takes the client waiting on listenFd(), or turns it away while another is served. The text
    // of the event to log, empty for none.
    virtual std::string accept() { return {}; }
    // dataFd() reported an end or an error. True when the same descriptor comes back (a pty whose
    // slave side nobody holds for now); false when the client is gone.
    virtual bool hangUp() = 0;
    // How many of n answer bytes may go out now; the rest are lost (the connection is cut).
    virtual std::size_t writable(std::size_t n) { return n; }
    // n bytes went out.
    virtual void wrote(std::size_t) {}
};

} // namespace emu
