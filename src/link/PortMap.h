#pragma once
// COM1..COM16 name devices through "ports.cfg" in the start directory, one "COMn=DEVICE" per
// line ("COM3=/dev/ttyUSB0"). Without an entry COMn is /dev/ttyS<n-1> on Linux and COMn on
// Windows. Tests and the demo point a COM name at an emulated scale this way.

#include <map>
#include <string>

namespace qm
{

// The number after "COM" of a port text, read as an integer text; 0 when the text is no port.
int comNumber(const std::string& text);

class PortMap
{
  public:
    PortMap() = default;
    // Reads "ports.cfg" of the directory; a missing file means no entries.
    static PortMap load(const std::string& directory);
    static PortMap parse(const std::string& text);

    void set(int com, std::string device) { m_devices[com] = std::move(device); }
    std::string device(int com) const; // com is 1..16

  private:
    std::map<int, std::string> m_devices;
};

} // namespace qm
