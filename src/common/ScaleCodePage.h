#pragma once
// The scales print Cyrillic letters in code page 866; the tables and files use code page 1251.
// Only the Russian letters move; every other byte passes unchanged.

#include <cstdint>
#include <string>
#include <string_view>

namespace qm
{

std::uint8_t toScaleByte(std::uint8_t cp1251);
std::uint8_t fromScaleByte(std::uint8_t scale);
std::string toScale(std::string_view cp1251);
std::string fromScale(std::string_view scale);

} // namespace qm
