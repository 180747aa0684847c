#include "products/PluCheck.h"

#include "common/Feedback.h"
#include "common/IntText.h"
#include "operation/OperationTexts.h"
#include "products/ProductTexts.h"

namespace qm
{

namespace
{

const std::string& cellOf(const Row& row, int col)
{
    static const std::string empty;
    return col < static_cast<int>(row.size()) ? row[static_cast<size_t>(col)] : empty;
}

} // namespace

bool shelfLifeTextValid(std::string_view text)
{
    if (text.size() <= 3)
        return intTextIn(text, 0, 999);
    if (text.size() != 6)
        return false;
    const auto v = intText(text);
    if (!v)
        return false;
    const std::int32_t month = (*v / 100) % 100;
    const std::int32_t day = *v / 10000;
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

bool PluCheckError(const Row& row, int& column)
{
    struct Rule {
        int col;
        std::int64_t low, high;
    };
    column = plucol::Plu;
    if (!intTextIn(cellOf(row, plucol::Plu), 1, kMaxPlu))
        return true;
    column = plucol::Price;
    if (!intTextIn(cellOf(row, plucol::Price), 0, 999999))
        return true;
    column = plucol::Shelf;
    if (!shelfLifeTextValid(cellOf(row, plucol::Shelf)))
        return true;
    static const Rule rest[] = {
        {plucol::Tare, 0, 6000},    {plucol::Code, 0, 999999}, {plucol::Group, 0, 999999},
        {plucol::Message, 0, 1000}, {plucol::Logo, 0, 2},
    };
    for (const Rule& r : rest) {
        column = r.col;
        if (!intTextIn(cellOf(row, r.col), r.low, r.high))
            return true;
    }
    return false;
}

bool PluCheckError(const Table& products, int row, int& column)
{
    return PluCheckError(products.row(row), column);
}

std::string pluRowErrorMessage(int column)
{
    switch (column) {
    case plucol::Plu:
        return "Неправильно задан номер PLU.";
    case plucol::Price:
        return "Неправильно задана цена товара.";
    case plucol::Shelf:
        return "Неправильно задан срок хранения.";
    case plucol::Tare:
        return "Неправильно задан вес тары.";
    case plucol::Code:
        return "Неправильно задан код товара.";
    case plucol::Group:
        return "Неправильно задан код группы.";
    case plucol::Message:
        return "Неправильно задан номер сообщения";
    case plucol::Logo:
        return "Неправильно задан номер логотипа.( 0 - отсутствует, 1 - Ростест, 2 - Индивидуальный.)";
    default:
        return {};
    }
}

Failure pluRowFailure(int row, int column)
{
    return Failure::at(FailureKind::BadRow, pluRowErrorMessage(column), TableId::Products, row, column);
}

std::optional<Failure> productRowFailure(const Table& products, int row)
{
    int column = 0;
    if (PluCheckError(products, row, column))
        return pluRowFailure(row, column);
    return std::nullopt;
}

OperationResult checkProductTable(const Table& products, Feedback& feedback)
{
    ProgressDisplay display(feedback, products.rowCount() - 1, ProgressDisplay::Counter::Hidden);
    feedback.moveCursor(TableId::Products, 1, 0);
    feedback.processEvents();
    for (int r = 1; r < products.rowCount(); ++r) {
        feedback.progressPosition(r);
        feedback.moveCursor(TableId::Products, r, 0);
        feedback.processEvents();
        int column = 0;
        if (PluCheckError(products, r, column)) {
            feedback.moveCursor(TableId::Products, r, column);
            feedback.processEvents();
            const OperationResult result = failed(feedback, pluRowFailure(r, column));
            display.end();
            return result;
        }
    }
    display.end();
    feedback.message(producttext::kTableOk);
    return OperationResult::done();
}

} // namespace qm
