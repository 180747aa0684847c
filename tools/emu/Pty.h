#pragma once
// The pseudo-terminal the scale sits on. The program opens the slave device as its serial port;
// the scale reads and writes the master. The scale keeps a slave descriptor of its own open, so
// that the program closing and reopening the port never leaves the master hung up.

#include <string>

#include "Link.h"

namespace emu
{

class Pty : public Link
{
  public:
    Pty() = default;
    ~Pty() override;
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    // Opens a raw pty with a non-blocking master; false with the reason in error.
    bool open(std::string& error);
    // A symbolic link to the slave device, removed again by the destructor.
    bool link(const std::string& path, std::string& error);

    int master() const { return m_master; }
    const std::string& device() const { return m_device; }

    std::string address() const override { return m_device; }
    int dataFd() const override { return m_master; }
    // The program closed the port for now; the master comes back when it opens it again.
    bool hangUp() override { return true; }

  private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_device;
    std::string m_link;
};

} // namespace emu
