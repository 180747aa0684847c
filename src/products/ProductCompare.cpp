// The compare of the product table with a scale.
#include <algorithm>
#include <map>

#include "common/TableLayouts.h"
#include "common/TableSink.h"
#include "link/ScaleSession.h"
#include "products/PluCheck.h"
#include "products/PluCodec.h"
#include "products/ProductRows.h"
#include "products/ProductSteps.h"
#include "products/ProductTexts.h"

namespace qm
{

namespace
{

// The row as the scale holds it once sent: the written record read back through the record
// decoder, so names are cut to 28 characters and padded, the logo and certification code travel
// inside the names, and the shelf life takes the form its three BCD bytes give.
Row storedRow(const PluRecord& record)
{
    const auto written = encodePluWrite(record);
    std::uint8_t held[kReadRecordSize] = {}; // the totals after the written fields stay zero
    std::copy(written->begin() + 1, written->end(), held);
    return rowFromRecord(decodePluRecord(held));
}

} // namespace

OperationResult compareProducts(const ScaleLink& link, const Table& products, TableComparison& result)
{
    Feedback& fb = link.session.feedback();
    // Rows in table order: a number sent twice ends as its last row.
    std::map<int, Row> mine;
    for (int row = 1; row < products.rowCount(); ++row) {
        if (products.cell(row, plucol::Plu).empty())
            continue;
        const PreparedRow prepared = prepareRow(products.row(row));
        if (!prepared.record)
            return OperationResult::failed(reportRowProblem(fb, products, row, prepared));
        mine[static_cast<int>(prepared.record->plu)] = storedRow(*prepared.record);
    }

    return compareWithScale(
        link, producttext::kChooseToReadOne, productLayout(), mine,
        [](ScaleSession& reading, int scaleNumber, TableSink& rows) {
            return productsteps::readRecords(reading, scaleNumber, 1, kMaxPlu, rows, false);
        },
        result);
}

} // namespace qm
