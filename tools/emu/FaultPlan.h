#pragma once
// Faults injected into chosen exchanges: --fault KIND[=ARG][@WHERE[#K[-L]]].
//
// KIND   silent | wrong-number[=N] | not-ready[=B] | delay=MS | truncate=N | nak[=B] | garble[=MASK] |
//        extra=N | stray[=B] | request[=PLU]
// WHERE  addr (addressing) | poll (a poll while a virtual range is set) | 0xCC (a command byte);
//        none means every exchange the fault makes sense for.
// #K     only the K-th exchange at that place (counted from 1); #K-L the K-th to the L-th.
//
// wrong-number (default: the next scale number) and not-ready (default 0x00) change the
// two-byte answer of addressing and polls; nak answers a write, delete or range command with B
// (default 0x00) instead of 0xAA and leaves the state as it was; garble XORs every answer byte
// with MASK (default 0xFF); extra sends the answer's last byte N more times (a write acknowledged
// twice, a read record one byte too long); stray puts the byte B (default 0xFF) on the line
// ahead of the answer, as another device on the line would, and the scale stays ready: after
// silent it is all that comes back. request answers a poll with a request for the record PLU
// (number, 0xDD, the PLU as 4 bytes LE; default the first PLU of the range) whatever the pace plan
// says: "request@poll" is a scale that asks for the same record for ever. On commands, silent,
// delay, truncate and garble change only what is sent: the command itself still takes effect. An
// addressing answered silent, with a wrong number or not ready leaves the scale idle, as a scale
// that did not take the addressing.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace emu
{

enum class FaultKind { Silent, WrongNumber, NotReady, Delay, Truncate, Nak, Garble, Extra, Stray, Request };
enum class Site { Any, Addressing, Poll, Command };

struct Fault {
    FaultKind kind = FaultKind::Silent;
    std::optional<std::uint32_t> arg;
    Site site = Site::Any;
    std::uint8_t command = 0; // with Site::Command
    std::uint32_t from = 1;   // occurrences at the site, counted from 1
    std::uint32_t to = UINT32_MAX;
    std::string text; // as given, for the log

    static std::variant<Fault, std::string> parse(const std::string& given);
};

class FaultPlan
{
  public:
    void add(Fault fault) { m_faults.push_back(std::move(fault)); }
    bool empty() const { return m_faults.empty(); }

    // Counts one exchange at the site (the command byte for Site::Command) and returns the
    // faults that apply to this occurrence, in the order they were given.
    std::vector<const Fault*> next(Site site, std::uint8_t command = 0);

  private:
    std::vector<Fault> m_faults;
    std::map<std::pair<Site, std::uint8_t>, std::uint32_t> m_counts;
};

} // namespace emu
