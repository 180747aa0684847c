#include "autoload/LoadProtocol.h"

#include <cstdio>
#include <ctime>
#include <mutex>

#include "autoload/AutoloadTexts.h"
#include "common/Cp1251.h"
#include "common/LocalTime.h"

namespace qm
{

namespace
{

std::mutex g_protocolMutex;

std::string formatted(const std::tm& local, const char* format)
{
    char text[32];
    const size_t n = std::strftime(text, sizeof text, format, &local);
    return std::string(text, n);
}

} // namespace

Stamp stampNow()
{
    const std::tm local = localTimeNow();
    // Numeric fields only: the same text under every locale.
    return {formatted(local, "%d.%m.%Y"), formatted(local, "%H:%M:%S")};
}

std::string protocolLine(LoadLine line, LoadKind kind, const std::string& name, int row, const Stamp& stamp)
{
    namespace t = autoloadtext;
    const std::string file = cp(kind == LoadKind::Products ? t::kProductFile : t::kMessageFile);
    std::string out;
    switch (line) {
    case LoadLine::BadConfig:
        out = cp(t::kBadConfigBefore) + name;
        break;
    case LoadLine::PortUnavailable:
        out = cp(t::kPortBefore) + name + cp(t::kPortAfter);
        break;
    case LoadLine::NoLink:
        out = cp(t::kNoLinkBefore) + name + cp(t::kNoLinkAfter);
        break;
    case LoadLine::NoAck:
        out = cp(t::kNoAckBefore) + name;
        break;
    case LoadLine::ExchangeFailed:
        out = cp(t::kExchangeBefore) + name;
        break;
    case LoadLine::ProductsLoaded:
        out = cp(t::kLoadedBefore) + name + cp(t::kProductsLoadedAfter);
        break;
    case LoadLine::MessagesLoaded:
        out = cp(t::kLoadedBefore) + name + cp(t::kMessagesLoadedAfter);
        break;
    case LoadLine::BadRow:
        out = cp(t::kBadRowBefore) + std::to_string(row) + cp(t::kBadRowFile) + file + cp(t::kForScale) + name;
        break;
    case LoadLine::EmptyFile:
        out = cp(t::kFileBefore) + file + cp(t::kForScale) + name + cp(t::kEmptyAfter);
        break;
    case LoadLine::UnreadableFile:
        out = cp(t::kFileBefore) + file + cp(t::kForScale) + name + cp(t::kUnreadableAfter);
        break;
    case LoadLine::Stopped:
        out = cp(t::kStoppedBefore) + name + cp(t::kStoppedAfter);
        break;
    }
    return out + t::kDash + stamp.date + t::kStampGap + stamp.time;
}

std::string loadedEntry(const std::string& name, const Stamp& stamp)
{
    return name + autoloadtext::kDash + stamp.date + autoloadtext::kEntryGap + stamp.time;
}

bool appendProtocolLine(const std::filesystem::path& startDirectory, const std::string& line)
{
    const std::string bytes = line + "\r\n";
    const std::lock_guard<std::mutex> lock(g_protocolMutex);
    // One write in append mode: another program appending at the same time (the window and the
    // service side by side) cannot split the line.
    std::FILE* file = std::fopen((startDirectory / kProtocolFileName).string().c_str(), "ab");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

} // namespace qm
