#include "link/PortMap.h"

#include <cctype>
#include <filesystem>
#include <sstream>

#include "common/IntText.h"
#include "common/RegularFile.h"

namespace qm
{

namespace
{
std::string trimmed(const std::string& s)
{
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}
} // namespace

PortMap PortMap::load(const std::string& directory)
{
    // Sixteen lines of a name and a device: far below this.
    constexpr size_t kMaxBytes = 64 * 1024;
    const std::filesystem::path path = std::filesystem::path(directory) / "ports.cfg";
    std::string text;
    const std::error_code ec = readRegularFile(path, kMaxBytes, [&text](std::string_view piece) {
        text.append(piece);
        return true;
    });
    if (ec == std::errc::no_such_file_or_directory)
        return {};
    if (ec) {
        PortMap map;
        map.m_error = readFailedText(path, ec);
        return map;
    }
    return parse(text);
}

PortMap PortMap::parse(const std::string& text)
{
    PortMap map;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        line = trimmed(line);
        const auto eq = line.find('=');
        if (line.empty() || line[0] == '#' || eq == std::string::npos || eq < 4)
            continue;
        std::string name = trimmed(line.substr(0, eq));
        if (name.size() < 4 || std::toupper(static_cast<unsigned char>(name[0])) != 'C' ||
            std::toupper(static_cast<unsigned char>(name[1])) != 'O' ||
            std::toupper(static_cast<unsigned char>(name[2])) != 'M')
            continue;
        const auto n = intText(name.substr(3));
        if (!n || *n < 1 || *n > 16)
            continue;
        map.set(*n, trimmed(line.substr(eq + 1)));
    }
    return map;
}

std::string PortMap::device(int com) const
{
    const auto it = m_devices.find(com);
    if (it != m_devices.end())
        return it->second;
#ifdef _WIN32
    return "COM" + std::to_string(com);
#else
    return "/dev/ttyS" + std::to_string(com - 1);
#endif
}

int comNumber(const std::string& text)
{
    if (text.size() < 4 || std::tolower(static_cast<unsigned char>(text[0])) != 'c' ||
        std::tolower(static_cast<unsigned char>(text[1])) != 'o' ||
        std::tolower(static_cast<unsigned char>(text[2])) != 'm')
        return 0;
    const auto n = intText(std::string_view(text).substr(3));
    return n && *n >= 1 && *n <= 16 ? *n : 0;
}

} // namespace qm
