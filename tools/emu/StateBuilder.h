#pragma once
// Builds a scale state for tests and demos in a few lines:
//
//   auto json = emu::StateBuilder().plu(3, "Молоко", 4550).message(7, {"Хранить в холоде"}).json();
//
// Texts are UTF-8 and padded to their field; one the scale cannot hold throws
// std::invalid_argument, since it is a fault of the test itself.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ScaleState.h"

namespace emu
{

// A name field of 28 scale bytes from UTF-8.
std::string scaleName(std::string_view utf8);

class StateBuilder
{
  public:
    explicit StateBuilder(int number = 1) { m_state.number = number; }

    StateBuilder& plu(std::uint32_t number, const PluRecord& record);
    StateBuilder& plu(std::uint32_t number, std::string_view name1, std::uint32_t price, std::uint32_t code = 0);
    StateBuilder& message(std::uint32_t number, const std::vector<std::string>& lines);
    StateBuilder& range(std::uint32_t first, std::uint32_t last);
    StateBuilder& logo(const LogoBytes& packed);

    const ScaleState& state() const { return m_state; }
    std::string json() const;

  private:
    ScaleState m_state;
};

} // namespace emu
