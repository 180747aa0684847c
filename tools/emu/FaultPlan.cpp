#include "FaultPlan.h"

#include <cstdlib>

namespace emu
{

namespace
{

// A decimal or 0x-prefixed hexadecimal number without sign or trailing text.
std::optional<std::uint32_t> parseNumber(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    int base = 10;
    std::string digits = text;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        digits = text.substr(2);
    }
    if (digits.empty() || digits.size() > 9 || digits[0] == '-' || digits[0] == '+')
        return std::nullopt;
    char* end = nullptr;
    const unsigned long value = std::strtoul(digits.c_str(), &end, base);
    if (*end != '\0')
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

struct KindName {
    const char* name;
    FaultKind kind;
    bool needsArg;
};

const KindName kKinds[] = {
    {"silent", FaultKind::Silent, false},      {"wrong-number", FaultKind::WrongNumber, false},
    {"not-ready", FaultKind::NotReady, false}, {"delay", FaultKind::Delay, true},
    {"truncate", FaultKind::Truncate, true},   {"nak", FaultKind::Nak, false},
    {"garble", FaultKind::Garble, false},      {"extra", FaultKind::Extra, true},
    {"stray", FaultKind::Stray, false},        {"request", FaultKind::Request, false},
};

} // namespace

std::variant<Fault, std::string> Fault::parse(const std::string& given)
{
    Fault fault;
    fault.text = given;
    std::string head = given;
    std::string where;
    if (const auto at = given.find('@'); at != std::string::npos) {
        head = given.substr(0, at);
        where = given.substr(at + 1);
        if (where.empty())
            return "сбой " + given + ": пустое место после @";
    }
    std::string kindName = head;
    if (const auto eq = head.find('='); eq != std::string::npos) {
        kindName = head.substr(0, eq);
        fault.arg = parseNumber(head.substr(eq + 1));
        if (!fault.arg)
            return "сбой " + given + ": значение после = не число";
    }
    const KindName* kind = nullptr;
    for (const auto& candidate : kKinds)
        if (kindName == candidate.name)
            kind = &candidate;
    if (!kind)
        return "сбой " + given + ": неизвестный вид \"" + kindName + "\"";
    fault.kind = kind->kind;
    if (kind->needsArg && !fault.arg)
        return "сбой " + given + ": " + kindName + " нужно значение (" + kindName + "=N)";
    if (fault.arg && *fault.arg > 0xFF &&
        (fault.kind == FaultKind::WrongNumber || fault.kind == FaultKind::NotReady || fault.kind == FaultKind::Nak ||
         fault.kind == FaultKind::Garble || fault.kind == FaultKind::Stray))
        return "сбой " + given + ": значение должно быть байтом";

    if (!where.empty()) {
        std::string place = where;
        if (const auto hash = where.find('#'); hash != std::string::npos) {
            place = where.substr(0, hash);
            const std::string occurrences = where.substr(hash + 1);
            const auto dash = occurrences.find('-');
            const auto from = parseNumber(occurrences.substr(0, dash));
            const auto to = dash == std::string::npos ? from : parseNumber(occurrences.substr(dash + 1));
            if (!from || !to || *from < 1 || *to < *from)
                return "сбой " + given + ": разы задаются #K или #K-L, 1 <= K <= L";
            fault.from = *from;
            fault.to = *to;
        }
        if (place == "addr") {
            fault.site = Site::Addressing;
        } else if (place == "poll") {
            fault.site = Site::Poll;
        } else {
            const auto command = place.size() == 4 && place[0] == '0' ? parseNumber(place) : std::nullopt;
            if (!command || *command < 0x80 || *command > 0xFF)
                return "сбой " + given + ": место: addr, poll или байт команды, например 0x82";
            fault.site = Site::Command;
            fault.command = static_cast<std::uint8_t>(*command);
        }
    }
    const bool answersAddress = fault.kind == FaultKind::WrongNumber || fault.kind == FaultKind::NotReady;
    if (answersAddress && fault.site == Site::Command)
        return "сбой " + given + ": " + kindName + " относится только к addr и poll";
    if (fault.kind == FaultKind::Nak && (fault.site == Site::Addressing || fault.site == Site::Poll))
        return "сбой " + given + ": nak относится только к командам";
    if (fault.kind == FaultKind::Request && (fault.site == Site::Addressing || fault.site == Site::Command))
        return "сбой " + given + ": request относится только к poll";
    return fault;
}

std::vector<const Fault*> FaultPlan::next(Site site, std::uint8_t command)
{
    const std::uint32_t occurrence = ++m_counts[{site, site == Site::Command ? command : std::uint8_t{0}}];
    std::vector<const Fault*> out;
    for (const Fault& fault : m_faults) {
        if (fault.site != Site::Any && fault.site != site)
            continue;
        if (fault.site == Site::Command && fault.command != command)
            continue;
        if (occurrence < fault.from || occurrence > fault.to)
            continue;
        out.push_back(&fault);
    }
    return out;
}

} // namespace emu
