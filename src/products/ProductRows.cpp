#include "products/ProductRows.h"

#include <cstdio>

#include "common/Cp1251.h"
#include "common/Feedback.h"
#include "common/IntText.h"
#include "common/TableColumns.h"
#include "common/TableLayouts.h"
#include "products/PluCheck.h"
#include "products/PluCodec.h"

namespace qm
{

namespace
{

std::string decimal(std::int64_t v)
{
    return std::to_string(v);
}

} // namespace

PreparedRow prepareRow(const Row& row)
{
    PreparedRow out;
    PluRecord r;
    struct Field {
        int col;
        std::int64_t* value;
    };
    const Field fields[] = {
        {plucol::Plu, &r.plu},   {plucol::Price, &r.price}, {plucol::Shelf, &r.shelf},     {plucol::Tare, &r.tare},
        {plucol::Code, &r.code}, {plucol::Group, &r.group}, {plucol::Message, &r.message}, {plucol::Logo, &r.logo},
    };
    const auto cell = [&](int col) -> std::string {
        return col < static_cast<int>(row.size()) ? row[static_cast<size_t>(col)] : std::string();
    };
    for (const Field& f : fields) {
        const auto v = intText(cell(f.col));
        if (!v) {
            out.problem = RowProblem::NotInteger;
            out.column = f.col;
            return out;
        }
        *f.value = *v;
    }
    r.name1 = cell(plucol::Name1);
    r.name2 = cell(plucol::Name2);
    r.cert = cell(plucol::Cert);
    if (const auto bad = pluUnfitColumn(r)) {
        out.problem = RowProblem::DoesNotFit;
        out.column = *bad;
        return out;
    }
    out.record = std::move(r);
    return out;
}

Row rowFromRecord(const PluRecord& r)
{
    Row row(kProductColumns);
    row[plucol::Plu] = decimal(r.plu);
    row[plucol::Name1] = r.name1;
    row[plucol::Name2] = r.name2;
    row[plucol::Price] = decimal(r.price);
    if (r.shelfIsDate) {
        char date[16];
        std::snprintf(date, sizeof date, "%06lld", static_cast<long long>(r.shelf));
        row[plucol::Shelf] = date;
    } else {
        row[plucol::Shelf] = decimal(r.shelf);
    }
    row[plucol::Tare] = decimal(r.tare);
    row[plucol::Code] = decimal(r.code);
    row[plucol::Group] = decimal(r.group);
    row[plucol::Message] = decimal(r.message);
    row[plucol::Logo] = decimal(r.logo);
    row[plucol::Cert] = r.cert;
    return row;
}

std::string notIntegerMessage(const Table& products, int row, int column)
{
    return "Строка " + std::to_string(row) + ", столбец «" + columnTitle(productLayout(), column) + "»: \"" +
           cp1251ToUtf8(products.cell(row, column)) + "\" не является целым числом.";
}

Failure reportRowProblem(Feedback& feedback, const Table& products, int row, const PreparedRow& prepared)
{
    feedback.moveCursor(TableId::Products, row, prepared.column);
    feedback.processEvents();
    const std::string text = prepared.problem == RowProblem::NotInteger
                                 ? notIntegerMessage(products, row, prepared.column)
                                 : pluRowErrorMessage(prepared.column);
    const Failure failure = Failure::at(FailureKind::BadNumber, text, TableId::Products, row, prepared.column);
    feedback.reportFailure(failure);
    return failure;
}

} // namespace qm
