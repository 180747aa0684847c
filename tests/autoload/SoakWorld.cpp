#include "SoakWorld.h"

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <variant>

#include "StateFile.h"
#include "autoload/LoadQueue.h"
#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "files/PluFile.h"
#include "support/CliProcess.h"

namespace soak
{

int uniform(Rng& rng, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(rng);
}

bool chance(Rng& rng, double p)
{
    return std::uniform_real_distribution<double>(0.0, 1.0)(rng) < p;
}

// ---- Scales --------------------------------------------------------------------------------

std::string Life::text() const
{
    if (clean())
        return "clean";
    std::string out;
    for (const auto& f : faults)
        out += (out.empty() ? "" : " ") + f;
    if (!pace.empty())
        out += (out.empty() ? "pace " : " pace ") + pace;
    return out;
}

namespace
{

void replaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// The faults a life may have, as --fault words: {k} is the occurrence it strikes, {k2} a later one
// (a scale that stops answering for a while), {w} the command of a product or a message record,
// {e} an early occurrence (the range commands come once a load), {ms} a delay, {b} a byte.
const char* const kFaults[] = {
    "silent@addr#{k}",      "wrong-number@addr#{k}", "not-ready@addr#{k}", "truncate=1@addr#{k}",
    "stray={b}@addr#{k}",   "silent@addr#{k}-{k2}",  "nak@{w}#{k}",        "truncate=0@{w}#{k}",
    "delay={ms}@{w}#{k}",   "stray@{w}#{k}",         "garble@{w}#{k}",     "extra=1@{w}#{k}",
    "silent@poll#{k}-{k2}", "not-ready@poll#{k}",    "nak@0x87#{e}",       "silent@0x87#{e}",
    "nak@0x88#{e}",
};

std::string randomFault(Rng& rng)
{
    std::string fault = kFaults[uniform(rng, 0, static_cast<int>(std::size(kFaults)) - 1)];
    const int k = uniform(rng, 1, 25);
    replaceAll(fault, "{k2}", std::to_string(k + uniform(rng, 1, 6)));
    replaceAll(fault, "{k}", std::to_string(k));
    replaceAll(fault, "{w}", chance(rng, 0.6) ? "0x82" : "0x84");
    replaceAll(fault, "{e}", std::to_string(uniform(rng, 1, 3)));
    replaceAll(fault, "{ms}", std::to_string(uniform(rng, 250, 2500)));
    replaceAll(fault, "{b}", std::to_string(uniform(rng, 0, 255)));
    return fault;
}

// Answers to polls under virtual synchronisation (--pace): ready, a request of any PLU, silence,
// another scale's number, an unknown request.
std::string randomPace(Rng& rng)
{
    static const char* const steps[] = {"R", "R", "D", "S", "W", "X81"};
    std::string out;
    for (int i = uniform(rng, 1, 10); i > 0; --i) {
        std::string step = steps[uniform(rng, 0, static_cast<int>(std::size(steps)) - 1)];
        if (step == "D")
            step += std::to_string(uniform(rng, 1, 4000));
        out += (out.empty() ? "" : ",") + step;
    }
    return out;
}

} // namespace

Life randomLife(Rng& rng)
{
    Life life;
    if (chance(rng, 0.45))
        return life;
    const int faults = uniform(rng, 0, 3);
    for (int i = 0; i < faults; ++i)
        life.faults.push_back(randomFault(rng));
    if (faults == 0 || chance(rng, 0.25))
        life.pace = randomPace(rng);
    return life;
}

void SoakScale::start(Life life)
{
    stop();
    qmtest::EmuOptions options;
    options.number = m_number;
    options.baud = m_baud;
    options.faults = life.faults;
    options.pace = life.pace;
    options.stateJson = m_stateJson;
    options.link = m_link.string();
    m_emu.reset();
    m_emu = std::make_unique<qmtest::EmuProcess>(options);
    m_life = std::move(life);
    m_off = false;
    ++m_lives;
}

void SoakScale::stop()
{
    if (!m_emu || m_off)
        return;
    m_off = true;
    m_emu->stop();
    m_stateJson = qmtest::fileText(m_emu->statePath());
}

emu::ScaleState SoakScale::state() const
{
    if (m_emu && up())
        return m_emu->state();
    if (m_stateJson.empty())
        return emu::ScaleState{};
    auto parsed = emu::stateFromJson(m_stateJson);
    if (auto* error = std::get_if<std::string>(&parsed))
        throw std::runtime_error("state of the scale on COM" + std::to_string(m_com) + ": " + *error);
    return std::get<emu::ScaleState>(std::move(parsed));
}

// ---- Configuration -------------------------------------------------------------------------

std::vector<fs::path> Cell::names() const
{
    std::vector<fs::path> out{path};
    for (const auto& slot : qm::FileList(path))
        if (!slot.empty())
            out.push_back(slot);
    return out;
}

// ---- Load files ----------------------------------------------------------------------------

std::uint32_t NumberPool::take(Rng& rng)
{
    for (int attempt = 0; attempt < 64; ++attempt) {
        const auto n = static_cast<std::uint32_t>(uniform(rng, 1, static_cast<int>(m_max)));
        if (m_taken.emplace(n, 1).second)
            return n;
    }
    for (std::uint32_t n = 1; n <= m_max; ++n)
        if (m_taken.emplace(n, 1).second)
            return n;
    throw std::runtime_error("soak: every record number is taken");
}

namespace
{

std::string lines(const std::vector<qm::Row>& rows)
{
    std::string out;
    for (const auto& row : rows)
        for (const auto& cell : row)
            out += cell + "\r\n";
    return out;
}

std::uint32_t number(const std::string& text)
{
    return static_cast<std::uint32_t>(std::stoul(text));
}

std::string idText(int id)
{
    char text[16];
    std::snprintf(text, sizeof text, "f%06d", id);
    return text;
}

std::string tag(int id, char kind, int k)
{
    return idText(id) + " " + kind + std::to_string(k);
}

// Breaks one cell of a product row so that the row check refuses it.
void breakProductRow(Rng& rng, qm::Row& row, bool plu)
{
    if (plu) {
        // What the .plu fields can hold: a number beyond 4000.
        row[0] = std::to_string(uniform(rng, 4001, 9999));
        return;
    }
    static const std::pair<int, const char*> wrong[] = {{0, "0"},    {0, "4001"}, {3, "12,50"}, {4, "1332"},
                                                        {5, "6001"}, {9, "3"},    {8, "q"}};
    const auto& [column, text] = wrong[uniform(rng, 0, static_cast<int>(std::size(wrong)) - 1)];
    row[static_cast<size_t>(column)] = text;
}

} // namespace

LoadFile makeLoadFile(Rng& rng, int id, int cellIndex, const Cell& cell, Content content, NumberPool& plu,
                      NumberPool& msg)
{
    LoadFile file;
    file.id = id;
    file.cell = cellIndex;
    file.content = content;
    if (content == Content::Empty) {
        if (cell.plu)
            file.bytes = chance(rng, 0.5) ? "" : "\x1A";
        else
            for (int i = uniform(rng, 0, 12); i > 0; --i)
                file.bytes += "\r\n";
        return file;
    }
    const bool small = chance(rng, 0.85);
    std::vector<qm::Row> rows;
    if (cell.kind == Kind::Products) {
        const int count = small ? uniform(rng, 1, 8) : uniform(rng, 9, 30);
        for (int k = 1; k <= count; ++k) {
            ProductRecord r;
            const std::uint32_t n = plu.take(rng);
            r.name1 = tag(file.id, 'r', k);
            r.price = static_cast<std::uint32_t>(uniform(rng, 0, 999999));
            std::string shelf = std::to_string(uniform(rng, 0, 999));
            if (!cell.plu && chance(rng, 0.2)) {
                char date[8];
                std::snprintf(date, sizeof date, "%02d%02d%02d", uniform(rng, 1, 28), uniform(rng, 1, 12),
                              uniform(rng, 0, 99));
                shelf = date;
            }
            r.shelf = number(shelf);
            r.tare = static_cast<std::uint32_t>(uniform(rng, 0, 6000));
            r.code = static_cast<std::uint32_t>(uniform(rng, 0, 999999));
            r.group = static_cast<std::uint32_t>(uniform(rng, 0, cell.plu ? 99 : 999999));
            r.message = static_cast<std::uint32_t>(uniform(rng, 0, cell.plu ? 999 : 1000));
            const std::string logo = cell.plu ? "0" : std::to_string(uniform(rng, 0, 2));
            rows.push_back({std::to_string(n), r.name1, qm::cp("Товар ") + std::to_string(k), std::to_string(r.price),
                            shelf, std::to_string(r.tare), std::to_string(r.code), std::to_string(r.group),
                            std::to_string(r.message), logo, ""});
            file.products[n] = r;
        }
        if (content == Content::BadRow) {
            file.badRow = uniform(rng, 1, count);
            breakProductRow(rng, rows[static_cast<size_t>(file.badRow - 1)], cell.plu);
        }
        if (cell.plu) {
            qm::Table table = qm::makeTable(qm::productLayout());
            table.setDataRows(rows);
            file.bytes = qm::pluFileBytes(table);
        } else {
            file.bytes = lines(rows);
        }
    } else {
        const int count = small ? uniform(rng, 1, 4) : uniform(rng, 5, 12);
        for (int k = 1; k <= count; ++k) {
            const std::uint32_t n = msg.take(rng);
            qm::Row row{std::to_string(n), tag(file.id, 'm', k), qm::cp("Сообщение ") + std::to_string(k)};
            for (int line = 3; line <= 8; ++line)
                row.push_back(chance(rng, 0.5) ? "" : "text " + std::to_string(k) + "." + std::to_string(line));
            file.messages[n] = row[1];
            rows.push_back(row);
        }
        if (content == Content::BadRow) {
            file.badRow = uniform(rng, 1, count);
            const char* bad[] = {"0", "1001", "1a", ""}; // "x1" would be hexadecimal 1
            rows[static_cast<size_t>(file.badRow - 1)][0] = bad[uniform(rng, 0, 3)];
        }
        file.bytes = lines(rows);
    }
    return file;
}

LoadFile nextVersion(const LoadFile& file, int id)
{
    LoadFile next = file;
    next.id = id;
    next.inode = 0;
    next.state = LoadFile::State::Pending;
    next.verified = next.released = false;
    const std::string from = idText(file.id) + " ", to = idText(id) + " ";
    replaceAll(next.bytes, from, to);
    for (auto& [n, r] : next.products)
        replaceAll(r.name1, from, to);
    for (auto& [n, line] : next.messages)
        replaceAll(line, from, to);
    return next;
}

std::vector<Found> scanLoadFiles(const fs::path& start)
{
    std::vector<Found> out;
    for (const auto& entry : fs::recursive_directory_iterator(start)) {
        if (entry.is_directory())
            continue;
        const std::string name = entry.path().filename().string();
        if (entry.path().parent_path() == start &&
            (name == "protocol.txt" || name == "ports.cfg" || name == "scales.cfl"))
            continue;
        struct stat st {
        };
        if (::lstat(entry.path().c_str(), &st) != 0)
            continue; // gone since the listing: the program moved it on
        std::error_code ec;
        out.push_back({entry.path(), st.st_ino, qmtest::fileText(entry.path()), fs::last_write_time(entry.path(), ec)});
    }
    return out;
}

} // namespace soak
