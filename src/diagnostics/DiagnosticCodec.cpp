#include "diagnostics/DiagnosticCodec.h"

#include <algorithm>

namespace qm
{

Bytes encodeNumberProbe(int number)
{
    return Bytes{static_cast<std::uint8_t>(number)};
}

LinkState linkStateOf(const Bytes& answer, int number)
{
    if (answer.empty())
        return LinkState::NoAnswer;
    return answer.front() == static_cast<std::uint8_t>(number) ? LinkState::Working : LinkState::OtherAnswer;
}

bool answersNumber(const Bytes& answer, int number)
{
    return std::find(answer.begin(), answer.end(), static_cast<std::uint8_t>(number)) != answer.end();
}

} // namespace qm
