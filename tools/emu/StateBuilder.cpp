#include "StateBuilder.h"

#include <stdexcept>

#include "ScaleText.h"
#include "StateFile.h"

namespace emu
{

namespace
{

std::string field(std::string_view utf8, std::size_t width)
{
    auto bytes = scaleField(utf8, width);
    if (!bytes)
        throw std::invalid_argument("text the scale cannot hold: " + std::string(utf8));
    return *bytes;
}

} // namespace

std::string scaleName(std::string_view utf8)
{
    return field(utf8, kNameWidth);
}

StateBuilder& StateBuilder::plu(std::uint32_t number, const PluRecord& record)
{
    m_state.plu[number] = record;
    return *this;
}

StateBuilder& StateBuilder::plu(std::uint32_t number, std::string_view name1, std::uint32_t price, std::uint32_t code)
{
    PluRecord r;
    r.name1 = scaleName(name1);
    r.price = price;
    r.code = code;
    return plu(number, r);
}

StateBuilder& StateBuilder::message(std::uint32_t number, const std::vector<std::string>& lines)
{
    if (lines.size() > kMessageLines)
        throw std::invalid_argument("a message has at most 8 lines");
    MessageLines m = blankMessage();
    for (std::size_t i = 0; i < lines.size(); ++i)
        m[i] = field(lines[i], kLineWidth);
    m_state.messages[number] = m;
    return *this;
}

StateBuilder& StateBuilder::range(std::uint32_t first, std::uint32_t last)
{
    m_state.range = std::make_pair(first, last);
    return *this;
}

std::string StateBuilder::json() const
{
    return stateToJson(m_state);
}

StateBuilder& StateBuilder::logo(const LogoBytes& packed)
{
    m_state.logo = packed;
    return *this;
}

} // namespace emu
