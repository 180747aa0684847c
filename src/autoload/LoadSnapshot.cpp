#include "autoload/LoadSnapshot.h"

#include <set>
#include <system_error>
#include <vector>

#include "common/Cp1251.h"
#include "common/Feedback.h"
#include "common/LocalTime.h"
#include "common/TableLayouts.h"
#include "files/TableFiles.h"
#include "link/ScaleSession.h"
#include "operation/OperationTexts.h"
#include "operation/RecordLoop.h"
#include "operation/ScaleFrame.h"
#include "products/PluCheck.h"
#include "products/ProductCommands.h"
#include "products/ProductRows.h"
#include "products/ProductTexts.h"

namespace qm
{

namespace fs = std::filesystem;

namespace
{

// The PLU numbers the rows name; nullopt when a row fails its check (the load refuses the file).
std::optional<std::set<int>> numbersOf(const Table& products)
{
    std::set<int> numbers;
    for (int row = 1; row < products.rowCount(); ++row) {
        if (products.cell(row, plucol::Plu).empty())
            continue;
        const PreparedRow prepared = prepareRow(products.row(row));
        if (!prepared.record || productRowFailure(products, row))
            return std::nullopt;
        numbers.insert(static_cast<int>(prepared.record->plu));
    }
    return numbers;
}

// The cells in ascending order; a cell the scale answers empty (0xEE) is left out.
OperationResult readCells(const ScaleLink& link, const std::set<int>& numbers, std::vector<Row>& cells)
{
    const OpenedScale scale = openScale(link, producttext::kChooseToReadOne);
    if (!scale)
        return scale;
    Feedback& fb = link.session.feedback();
    link.session.NewQue();
    const std::vector<int> wanted(numbers.begin(), numbers.end());
    RecordLoop loop;
    loop.first = 0;
    loop.last = static_cast<int>(wanted.size()) - 1;
    loop.show = [&](int i) { fb.counterText(std::to_string(wanted[i])); };
    return runRecordLoop(link.session, loop, [&](int i) -> OperationResult {
        const int n = wanted[i];
        if (auto addressed = addressScale(link.session, scale.target.number, false); !addressed) {
            if (addressed.failure)
                addressed.failure->forRecord(n); // the loop counts places in `wanted`, not numbers
            return addressed;
        }
        PluRecord record;
        if (GetPlu(link.session, n, record))
            cells.push_back(rowFromRecord(record));
        else if (record.price != -1)
            return failed(fb, Failure::plain(FailureKind::ReadFailed, operationtext::kReadFailed).forRecord(n));
        return OperationResult::done();
    });
}

// The first name of the folder no file holds yet.
fs::path freeName(const fs::path& wanted)
{
    std::error_code ec;
    fs::path name = wanted;
    for (int n = 2; fs::exists(fs::symlink_status(name, ec)); ++n)
        name = wanted.parent_path() / (wanted.stem().string() + "-" + std::to_string(n) + wanted.extension().string());
    return name;
}

} // namespace

fs::path snapshotPath(const fs::path& folder, const std::string& scaleName, const std::tm& stamp)
{
    std::string name = cp1251ToUtf8(scaleName);
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos)
            c = '_';
    return folder / fs::u8path(name + "-" + timeText(stamp, "%Y%m%d-%H%M%S") + ".pl6");
}

LoadSnapshot takeLoadSnapshot(const ScaleLink& link, const Table& products, const fs::path& folder)
{
    LoadSnapshot out;
    const auto numbers = numbersOf(products);
    if (!numbers)
        return out;
    std::vector<Row> rows;
    out.read = readCells(link, *numbers, rows);
    if (!out.read) {
        out.kind = LoadSnapshot::Kind::ReadFailed;
        return out;
    }
    Table cells = makeTable(productLayout());
    cells.setDataRows(std::move(rows));
    std::error_code ec;
    fs::create_directories(folder, ec); // a folder that cannot be made fails the save, named
    out.file = freeName(snapshotPath(folder, link.scaleName, localTimeNow()));
    if (auto error = saveCellFile(out.file, cells)) {
        out.kind = LoadSnapshot::Kind::SaveFailed;
        out.error = std::move(*error);
        return out;
    }
    out.kind = LoadSnapshot::Kind::Saved;
    return out;
}

} // namespace qm
