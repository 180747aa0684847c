#include "LogoStateFile.h"

namespace emu
{

namespace
{

constexpr std::size_t kSide = 64;

bool dotAt(const LogoBytes& logo, std::size_t x, std::size_t y)
{
    const std::size_t i = y * kSide + x;
    return (logo[i / 8] >> (7 - i % 8)) & 1;
}

} // namespace

std::string readLogoMember(const JsonValue& value, LogoBytes& logo)
{
    const char* const shape = "logo должно быть массивом из 64 строк по 64 символа \"#\" или \".\"";
    if (value.type() != JsonValue::Type::Array || value.items().size() != kSide)
        return shape;
    LogoBytes read{};
    for (std::size_t y = 0; y < kSide; ++y) {
        const JsonValue& row = value.items()[y];
        if (row.type() != JsonValue::Type::String || row.asString().size() != kSide)
            return shape;
        for (std::size_t x = 0; x < kSide; ++x) {
            const char c = row.asString()[x];
            if (c != '#' && c != '.')
                return shape;
            const std::size_t i = y * kSide + x;
            if (c == '#')
                read[i / 8] = static_cast<std::uint8_t>(read[i / 8] | (0x80 >> (i % 8)));
        }
    }
    logo = read;
    return {};
}

std::string logoMemberJson(const LogoBytes& logo)
{
    if (logo == LogoBytes{})
        return {};
    std::string out = ",\n \"logo\": [";
    for (std::size_t y = 0; y < kSide; ++y) {
        out += y == 0 ? "\n  \"" : ",\n  \"";
        for (std::size_t x = 0; x < kSide; ++x)
            out += dotAt(logo, x, y) ? '#' : '.';
        out += '"';
    }
    return out + "\n ]";
}

} // namespace emu
