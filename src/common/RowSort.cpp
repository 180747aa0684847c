#include "common/RowSort.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <vector>

#include "common/IntText.h"

namespace qm
{

SortResult sortRowsByNumber(Table& table, TableId id, Feedback& feedback, bool quiet)
{
    SortResult result;
    std::vector<Row> rows = table.dataRows();
    if (rows.size() < 2)
        return result;

    std::vector<std::int32_t> numbers;
    numbers.reserve(rows.size());
    for (const Row& row : rows) {
        const auto number = intText(row.empty() ? std::string() : row[kNumberColumn]);
        if (!number)
            break;
        numbers.push_back(*number);
    }

    if (numbers.size() < rows.size()) {
        // The first pass reaches row k (1-based) after comparing rows 1..k-1 with each other:
        // those exchanges stand; nothing else moved.
        const size_t bad = numbers.size();
        for (size_t i = 1; i < bad; ++i) {
            if (numbers[i] < numbers[i - 1]) {
                std::swap(numbers[i], numbers[i - 1]);
                std::swap(rows[i], rows[i - 1]);
            }
        }
        table.setDataRows(std::move(rows));
        result.ok = false;
        result.badRow = static_cast<int>(bad) + 1;
        result.failure = Failure::at(FailureKind::BadNumber, kSortInputError, id, result.badRow, kNumberColumn);
        if (!quiet) {
            feedback.reportFailure(*result.failure);
            feedback.moveCursor(id, result.badRow, kNumberColumn);
        }
        return result;
    }

    std::vector<size_t> order(rows.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return numbers[a] < numbers[b]; });
    std::vector<Row> sorted;
    sorted.reserve(rows.size());
    for (size_t i : order)
        sorted.push_back(std::move(rows[i]));
    table.setDataRows(std::move(sorted));
    return result;
}

} // namespace qm
