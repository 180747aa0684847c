#include "link/PortList.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "link/NetAddress.h"

namespace qm
{

namespace
{

constexpr int kComNames = 16;

// The device behind links, as the system names it; the path itself when it cannot be resolved.
std::string resolved(const std::string& path)
{
    std::error_code ec;
    const auto real = std::filesystem::canonical(path, ec);
    return ec ? path : real.string();
}

const SystemPort* reported(const std::string& device, const std::vector<SystemPort>& system)
{
    const std::string real = resolved(device);
    for (const SystemPort& port : system)
        if (port.device == device || port.name == device || resolved(port.device) == real)
            return &port;
    return nullptr;
}

bool fixedUartNode(const std::string& device)
{
    const std::string name = std::filesystem::path(device).filename().string();
    return name.size() > 4 && name.compare(0, 4, "ttyS") == 0 &&
           std::all_of(name.begin() + 4, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool unlistedDevice(const std::string& device)
{
    std::error_code ec;
    return std::filesystem::is_character_file(device, ec) && !fixedUartNode(resolved(device));
}

} // namespace

std::string portDescription(const SystemPort& port)
{
    if (port.manufacturer.empty() || port.description.compare(0, port.manufacturer.size(), port.manufacturer) == 0)
        return port.description;
    if (port.description.empty())
        return port.manufacturer;
    return port.manufacturer + " " + port.description;
}

std::vector<PortEntry> portEntries(const PortMap& map, const std::vector<SystemPort>& system, const NetworkReach& reach)
{
    std::vector<PortEntry> entries;
    for (int com = 1; com <= kComNames; ++com) {
        PortEntry entry;
        entry.com = com;
        entry.name = "COM" + std::to_string(com);
        entry.device = map.device(com);
        entry.network = isNetworkDevice(entry.device);
        if (entry.network) {
            const auto it = reach.find(com);
            entry.present = it != reach.end() && it->second;
            entry.description = reachText(entry);
        } else if (const SystemPort* port = reported(entry.device, system)) {
            entry.present = true;
            entry.description = portDescription(*port);
        } else {
            entry.present = unlistedDevice(entry.device);
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<PortEntry> presentPorts(const PortMap& map, const std::vector<SystemPort>& system)
{
    std::vector<PortEntry> entries = portEntries(map, system);
    entries.erase(std::remove_if(entries.begin(), entries.end(), [](const PortEntry& e) { return !e.present; }),
                  entries.end());
    return entries;
}

std::vector<PortEntry> listedPorts(const std::vector<PortEntry>& entries)
{
    std::vector<PortEntry> listed;
    for (const PortEntry& entry : entries)
        if (entry.present || entry.network)
            listed.push_back(entry);
    return listed;
}

std::string reachText(const PortEntry& entry)
{
    return entry.present ? "соединение открывается" : "соединение не открывается";
}

std::vector<SystemPort> unnamedPorts(const PortMap& map, const std::vector<SystemPort>& system)
{
    std::vector<SystemPort> unnamed;
    for (const SystemPort& port : system) {
        bool named = false;
        for (int com = 1; com <= kComNames && !named; ++com)
            named = reported(map.device(com), {port}) != nullptr;
        if (!named)
            unnamed.push_back(port);
    }
    return unnamed;
}

} // namespace qm
