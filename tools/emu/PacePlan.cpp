#include "PacePlan.h"

#include <cstdio>
#include <cstdlib>

namespace emu
{

int otherNumber(int number)
{
    return number % 99 + 1;
}

Bytes PaceStep::answer(int number) const
{
    const auto own = static_cast<std::uint8_t>(number);
    switch (kind) {
    case PaceKind::Ready:
        return {own, 0x80};
    case PaceKind::Request: {
        Bytes out{own, 0xDD};
        putLe(out, value, 4);
        return out;
    }
    case PaceKind::Silence:
        return {};
    case PaceKind::WrongFirst:
        return {static_cast<std::uint8_t>(otherNumber(number)), 0x80};
    case PaceKind::Other:
        return {own, static_cast<std::uint8_t>(value)};
    }
    return {};
}

std::string PaceStep::text() const
{
    char buffer[16];
    switch (kind) {
    case PaceKind::Ready:
        return "R";
    case PaceKind::Request:
        return "D" + std::to_string(value);
    case PaceKind::Silence:
        return "S";
    case PaceKind::WrongFirst:
        return "W";
    case PaceKind::Other:
        std::snprintf(buffer, sizeof buffer, "X%02X", value);
        return buffer;
    }
    return {};
}

std::variant<PacePlan, std::string> PacePlan::parse(const std::string& plan)
{
    PacePlan out;
    if (!plan.empty() && plan.back() == ',')
        return std::string("план --pace: пустой шаг в конце");
    std::size_t start = 0;
    while (start < plan.size()) {
        auto comma = plan.find(',', start);
        if (comma == std::string::npos)
            comma = plan.size();
        const std::string item = plan.substr(start, comma - start);
        start = comma + 1;
        if (item.empty())
            return std::string("план --pace: пустой шаг между запятыми");
        const std::string rest = item.size() > 1 ? item.substr(1) : std::string();
        PaceStep step;
        char* end = nullptr;
        if (item == "R") {
            step.kind = PaceKind::Ready;
        } else if (item == "S") {
            step.kind = PaceKind::Silence;
        } else if (item == "W") {
            step.kind = PaceKind::WrongFirst;
        } else if (item[0] == 'D' && !rest.empty() && rest.size() <= 9 && rest[0] != '-' && rest[0] != '+') {
            step.kind = PaceKind::Request;
            step.value = static_cast<std::uint32_t>(std::strtoul(rest.c_str(), &end, 10));
            if (*end != '\0')
                return "шаг --pace \"" + item + "\": после D нужен десятичный номер PLU";
        } else if (item[0] == 'X' && !rest.empty() && rest.size() <= 2 && rest[0] != '-' && rest[0] != '+') {
            step.kind = PaceKind::Other;
            step.value = static_cast<std::uint32_t>(std::strtoul(rest.c_str(), &end, 16));
            if (*end != '\0')
                return "шаг --pace \"" + item + "\": после X нужен шестнадцатеричный байт";
        } else {
            return "шаг --pace \"" + item + "\": ожидался R, D<plu>, S, W или X<hex>";
        }
        out.m_steps.push_back(step);
    }
    return out;
}

PaceStep PacePlan::next()
{
    if (m_next >= m_steps.size())
        return PaceStep{};
    return m_steps[m_next++];
}

} // namespace emu
