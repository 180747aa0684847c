#pragma once
// Which COM names lead to a device that is there now: the port map ("ports.cfg", or the
// default /dev/ttyS<n-1>) held against the serial devices the operating system reports, so a
// service engineer sees at once whether the adapter is plugged in and under which COM name.

#include <map>
#include <string>
#include <vector>

#include "link/PortMap.h"

namespace qm
{

// A serial device as the operating system reports it (systemSerialPorts() of link/TComm.h).
struct SystemPort {
    std::string name;         // "ttyUSB0", "COM3"
    std::string device;       // "/dev/ttyUSB0", "\\.\COM3"
    std::string description;  // the product, for a USB adapter
    std::string manufacturer; // the maker of a USB adapter
    bool usb = false;
};

struct PortEntry {
    int com = 0;        // 1..16
    std::string name;   // "COM3"
    std::string device; // what the port map gives
    bool present = false;
    // Maker and product where the system knows them; for a network port reachText(). UTF-8.
    std::string description;
    // A network port ("tcp://..."): present when a connection opened just now.
    bool network = false;
};

// COM number → whether a connection to its network port opens now (probeNetworkPorts).
using NetworkReach = std::map<int, bool>;

// COM1..COM16 in order. A COM name leads to a device when the system reports that device (a
// link in /dev/serial/by-id counts as its target), or when it is a character device the system
// does not list: a pseudo-terminal, say. The fixed UART nodes /dev/ttyS* exist whether or not a
// UART answers behind them, so for those only the system's word counts. A network port is there
// when the probe says its connection opens.
std::vector<PortEntry> portEntries(const PortMap& map, const std::vector<SystemPort>& system,
                                   const NetworkReach& reach = {});

// The entries to list: the serial ports that are there, and every network port with its state.
std::vector<PortEntry> listedPorts(const std::vector<PortEntry>& entries);

// "соединение открывается" or "соединение не открывается" (UTF-8).
std::string reachText(const PortEntry& entry);

// The present entries alone.
std::vector<PortEntry> presentPorts(const PortMap& map, const std::vector<SystemPort>& system);

// Devices the system reports that no COM name leads to: an adapter plugged in but not yet named
// in "ports.cfg".
std::vector<SystemPort> unnamedPorts(const PortMap& map, const std::vector<SystemPort>& system);

// "FTDI FT232R USB UART": maker and product, the maker left out when the product starts with it.
std::string portDescription(const SystemPort& port);

} // namespace qm
