#pragma once
// A port map that puts COM1 on one device (an emulated scale's pty or tcp:// address).

#include <string>

#include "link/PortMap.h"

namespace qmtest
{

inline qm::PortMap comOne(const std::string& device)
{
    qm::PortMap map;
    map.set(1, device);
    return map;
}

} // namespace qmtest
