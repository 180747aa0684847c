#pragma once
// The eight scale choosers of the window, one per tab that works on a scale, and the
// apply-configuration command that fills them with the scale names of the configuration table.

#include <array>
#include <map>
#include <string>
#include <vector>

namespace qm::app
{

class ChooserBox;

class ScaleChoosers
{
  public:
    // The order in which the command empties and fills them: ComboBox1, 2, 5, 6, 7, 8, 10, 11.
    static constexpr std::array<int, 8> kOrder{1, 2, 5, 6, 7, 8, 10, 11};

    // `ComboBox<number>`.
    void add(int number, ChooserBox* box);
    ChooserBox* chooser(int number) const;

    // Empties every list, then adds each name (code page 1251; empty and repeated names too) to
    // every chooser in turn. Each chooser keeps the text it shows.
    void apply(const std::vector<std::string>& names);

    // The chooser's text as the configuration table holds names (code page 1251).
    static std::string nameOf(const ChooserBox& box);

  private:
    std::map<int, ChooserBox*> m_boxes;
};

} // namespace qm::app
