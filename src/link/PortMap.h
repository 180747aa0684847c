#pragma once
// COM1..COM16 name devices through "ports.cfg" in the start directory, one "COMn=DEVICE" per
// line ("COM3=/dev/ttyUSB0"). Without an entry COMn is /dev/ttyS<n-1> on Linux and COMn on
// Windows. Tests and the demo point a COM name at an emulated scale this way. A device text
// "tcp://HOST:PORT" names a network port (link/NetAddress.h): the COM name stays the scale's
// port everywhere, only the line behind it is a TCP connection.

#include <map>
#include <optional>
#include <string>

namespace qm
{

// The number after "COM" of a port text, read as an integer text; 0 when the text is no port.
int comNumber(const std::string& text);

class PortMap
{
  public:
    PortMap() = default;
    // Reads "ports.cfg" of the directory; a missing file means no entries. A "ports.cfg" that
    // is no regular file (a FIFO, a device, a directory) or cannot be read gives no entries and
    // the message naming it in error(), at once: the file is never opened to wait on.
    static PortMap load(const std::string& directory);
    static PortMap parse(const std::string& text);

    void set(int com, std::string device) { m_devices[com] = std::move(device); }
    std::string device(int com) const; // com is 1..16

    // Why "ports.cfg" could not be read (UTF-8, for the user); nullopt when it was or is missing.
    const std::optional<std::string>& error() const { return m_error; }

  private:
    std::map<int, std::string> m_devices;
    std::optional<std::string> m_error;
};

} // namespace qm
