#pragma once
// The pseudo-terminal the scale sits on. The program opens the slave device as its serial port;
// the scale reads and writes the master. The scale keeps a slave descriptor of its own open, so
// that the program closing and reopening the port never leaves the master hung up.

#include <string>

namespace emu
{

class Pty
{
  public:
    Pty() = default;
    ~Pty();
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    // Opens a raw pty with a non-blocking master; false with the reason in error.
    bool open(std::string& error);
    // A symbolic link to the slave device, removed again by the destructor.
    bool link(const std::string& path, std::string& error);

    int master() const { return m_master; }
    const std::string& device() const { return m_device; }

  private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_device;
    std::string m_link;
};

} // namespace emu
