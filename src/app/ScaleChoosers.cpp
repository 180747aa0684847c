#include "app/ScaleChoosers.h"

#include "app/ChooserBox.h"
#include "app/TableModel.h"

namespace qm::app
{

void ScaleChoosers::add(int number, ChooserBox* box)
{
    m_boxes[number] = box;
}

ChooserBox* ScaleChoosers::chooser(int number) const
{
    const auto it = m_boxes.find(number);
    return it == m_boxes.end() ? nullptr : it->second;
}

void ScaleChoosers::apply(const std::vector<std::string>& names)
{
    std::vector<ChooserBox*> boxes;
    for (int number : kOrder)
        if (ChooserBox* box = chooser(number))
            boxes.push_back(box);
    for (ChooserBox* box : boxes)
        box->clearEntries();
    for (const auto& name : names) {
        const QString entry = TableModel::toQString(name);
        for (ChooserBox* box : boxes)
            box->addEntry(entry);
    }
}

std::string ScaleChoosers::nameOf(const ChooserBox& box)
{
    // A chooser shows only names taken from the table, so the text always converts back.
    return TableModel::toCp1251(box.text(), false).value_or(std::string());
}

} // namespace qm::app
