#pragma once
// The verdict of a range dialog ("Ввод параметров") on "Применить": a pair of numbers with
// first <= last, or the message to show while the dialog stays open. The product, message and
// row-range checks all give it, and the window's one dialog class takes it.

#include <optional>
#include <string>

namespace qm
{

struct NumberRange {
    int first = 0;
    int last = 0;
};

struct RangeCheck {
    std::optional<NumberRange> range;
    std::string message; // UTF-8, when range is not set

    static RangeCheck accept(int first, int last) { return {NumberRange{first, last}, {}}; }
    static RangeCheck refuse(std::string message) { return {std::nullopt, std::move(message)}; }
};

} // namespace qm
