#pragma once
// The answers to successive polls while a virtual range is set (--pace "R,D17,S,W,X81"):
// R ready (number, 0x80); D<plu> request (number, 0xDD, the PLU as 4 bytes LE); S silence;
// W a wrong first byte (another scale's number, 0x80); X<hex> the number and that second byte.
// Once the plan is used up every poll is answered ready.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "WireCodec.h"

namespace emu
{

enum class PaceKind { Ready, Request, Silence, WrongFirst, Other };

struct PaceStep {
    PaceKind kind = PaceKind::Ready;
    std::uint32_t value = 0; // the PLU of a request, the second byte of Other

    Bytes answer(int number) const;
    std::string text() const;
};

class PacePlan
{
  public:
    static std::variant<PacePlan, std::string> parse(const std::string& plan);

    PaceStep next();
    bool usedUp() const { return m_next >= m_steps.size(); }

  private:
    std::vector<PaceStep> m_steps;
    std::size_t m_next = 0;
};

// Another scale's number, for answers that must come from the wrong scale.
int otherNumber(int number);

} // namespace emu
