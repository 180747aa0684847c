#pragma once
// The world of the auto-load soak (AutoloadSoakTest.cpp): a start directory with its
// configuration, emulated scales that are stopped and started again with new faults, and the
// ledger of every load file the "price system" wrote, found again by its inode.
//
//   root/start   the start directory of qmscales-cli: scales.cfl, ports.cfg, protocol.txt, the
//                load files and their queues (some of them in start/in)
//   root/tty     COMn: the link each emulated scale makes to its pseudo-terminal; absent while
//                the scale is off, so ports.cfg never changes
//   root/tmp     where a file is written before it is renamed into a slot
//   root/out     what the program printed, the protocol files taken away

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "ScaleState.h"
#include "support/EmuProcess.h"

namespace soak
{

namespace fs = std::filesystem;
using Rng = std::mt19937_64;

int uniform(Rng& rng, int low, int high); // low..high, both included
bool chance(Rng& rng, double p);

// ---- Scales --------------------------------------------------------------------------------

// What one power-on of a scale misbehaves with: --fault words and a --pace plan.
struct Life {
    std::vector<std::string> faults;
    std::string pace;
    bool clean() const { return faults.empty() && pace.empty(); }
    std::string text() const;
};

// A random life: clean about half the time, else one to three faults (and sometimes a pacing
// plan for virtual synchronisation).
Life randomLife(Rng& rng);

class SoakScale
{
  public:
    SoakScale(int com, int number, int baud, fs::path link)
        : m_com(com), m_number(number), m_baud(baud), m_link(std::move(link))
    {
    }

    int com() const { return m_com; }
    int number() const { return m_number; }
    const Life& life() const { return m_life; }
    bool up() const { return m_emu && m_emu->running(); }
    // It ended without being switched off.
    bool crashed() const { return m_emu && !m_off && !up(); }
    int lives() const { return m_lives; }

    // Powers the scale on (off first when it is on) with what it held when it went off.
    void start(Life life);
    // Powers it off: the process ends (its state written), the link goes; the state is kept.
    void stop();
    // What it holds now (read from its state file when it is off).
    emu::ScaleState state() const;

  private:
    int m_com, m_number, m_baud;
    fs::path m_link;
    Life m_life;
    int m_lives = 0;
    bool m_off = true;
    std::unique_ptr<qmtest::EmuProcess> m_emu;
    std::string m_stateJson; // taken when the last life ended
};

// ---- Configuration -------------------------------------------------------------------------

enum class Kind { Products, Messages };

// One load-file cell of the configuration: a row's product or message file.
struct Cell {
    int row;          // configuration data row, from 1
    std::string name; // the scale name, UTF-8
    int com;          // the row's port
    Kind kind;
    std::string text; // the cell as written in the configuration
    fs::path path;    // where the program looks
    bool loadable;    // products, or a message file named exactly ".msg"
    int scale;        // index of the scale that holds its records; -1 for none
    bool badConfig;   // the row fails the configuration check
    bool deadNumber;  // no scale on the port answers the row's number
    bool plu;         // a .plu product file

    std::vector<fs::path> names() const; // the load file, then its 100 slots (none without a queue)
};

// ---- Load files ----------------------------------------------------------------------------

enum class Content { Valid, BadRow, Empty };

struct ProductRecord {
    std::string name1; // ASCII tag "f<id> r<k>"
    std::uint32_t price, shelf, tare, code, group, message;
};

struct LoadFile {
    int id = 0;
    int cell = 0;
    Content content = Content::Valid;
    int badRow = 0; // the data row that fails its check
    std::string bytes;
    std::map<std::uint32_t, ProductRecord> products; // by PLU, for product files
    std::map<std::uint32_t, std::string> messages;   // first line by number, for message files
    ino_t inode = 0;
    enum class State { Pending, Gone, Withdrawn } state = State::Pending;
    bool verified = false; // a gone file whose records were looked for in its scale
    bool released = false; // its fate checked, its numbers free for new files
};

// The numbers a scale's files use: a number stays taken from the moment a file with it is
// written until its fate has been checked, so that no two files in flight share a record but a
// file and the version that replaced it.
class NumberPool
{
  public:
    explicit NumberPool(std::uint32_t max) : m_max(max) {}
    std::uint32_t take(Rng& rng);
    void share(std::uint32_t n) { ++m_taken[n]; }
    void give(std::uint32_t n)
    {
        if (--m_taken[n] <= 0)
            m_taken.erase(n);
    }

  private:
    std::uint32_t m_max;
    std::map<std::uint32_t, int> m_taken; // how many files hold each number
};

// The bytes of a new load file for the cell (`cellIndex` in the soak's list), with its records;
// every record's first name or line is the tag "f<id> r<k>" ("f<id> m<k>" for messages), the id
// six digits wide.
LoadFile makeLoadFile(Rng& rng, int id, int cellIndex, const Cell& cell, Content content, NumberPool& plu,
                      NumberPool& msg);

// The next version of a file as a writer makes it when only the data changed: the same rows, of
// the same size, the records tagged with the new id.
LoadFile nextVersion(const LoadFile& file, int id);

// A file of the start directory as a scan found it.
struct Found {
    fs::path path;
    ino_t inode;
    std::string bytes;
    fs::file_time_type written;
};
std::vector<Found> scanLoadFiles(const fs::path& start);

} // namespace soak
