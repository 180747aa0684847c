#include "AppTestSupport.h"

#include <QFile>
#include <QKeyEvent>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "app/WindowGeometry.h"

namespace apptest
{

namespace fs = std::filesystem;

StartDirectory::StartDirectory() : m_previous(fs::current_path())
{
    std::string pattern = (fs::temp_directory_path() / "qmapp-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary directory");
    m_path = pattern;
    fs::current_path(m_path);
    // A first start: no window geometry remembered by an earlier test.
    QFile::remove(qm::app::windowGeometryFile());
}

StartDirectory::~StartDirectory()
{
    std::error_code ec;
    fs::current_path(m_previous, ec);
    fs::remove_all(m_path, ec);
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void writeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::vector<std::string> fileLines(const fs::path& path)
{
    const std::string bytes = readFile(path);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

void typeText(QWidget* target, const QString& text, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

} // namespace apptest
