#include "settings/PriceKeyLines.h"

#include "common/IntText.h"
#include "settings/PriceKeyCodec.h"

namespace qm
{

std::string formatPriceKeyLines(const std::vector<std::string>& cells)
{
    std::string out;
    for (int key = 1; key <= kPriceKeys; ++key) {
        out += std::to_string(key) + '\t';
        if (key <= static_cast<int>(cells.size()))
            out += cells[key - 1];
        out += '\n';
    }
    return out;
}

std::optional<std::vector<std::string>> parsePriceKeyLines(const std::string& text, std::string& error)
{
    std::vector<std::string> cells(kPriceKeys);
    std::vector<bool> seen(kPriceKeys, false);
    std::size_t start = 0;
    int lineNumber = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        const std::size_t tab = line.find('\t');
        const std::string keyText = line.substr(0, tab);
        if (tab == std::string::npos || !intTextIn(keyText, 1, kPriceKeys) || seen[intTextValue(keyText) - 1]) {
            error = "line " + std::to_string(lineNumber) + ": expected KEY<TAB>CELL with a key 1..54 given once";
            return std::nullopt;
        }
        const int key = intTextValue(keyText);
        seen[key - 1] = true;
        cells[key - 1] = line.substr(tab + 1);
    }
    return cells;
}

} // namespace qm
