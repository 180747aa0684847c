#include "files/PluFile.h"

#include <iterator>
#include <limits>

#include "common/IntText.h"
#include "common/RegularFile.h"
#include "common/ScaleCodePage.h"
#include "common/TableLayouts.h"
#include "files/FileIo.h"

namespace qm
{

namespace
{

enum class Fill { BlanksLeft, ZerosLeft, NameBlanksRight };

struct Field {
    int column;
    size_t width;
    Fill fill;
};

// In record order; each field but the first follows one separator blank.
const Field kFields[] = {
    {plucol::Plu, 4, Fill::BlanksLeft},         {plucol::Name1, 28, Fill::NameBlanksRight},
    {plucol::Name2, 28, Fill::NameBlanksRight}, {plucol::Price, 6, Fill::BlanksLeft},
    {plucol::Shelf, 3, Fill::BlanksLeft},       {plucol::Tare, 4, Fill::ZerosLeft},
    {plucol::Code, 6, Fill::ZerosLeft},         {plucol::Group, 2, Fill::ZerosLeft},
    {plucol::Message, 3, Fill::ZerosLeft},
};

constexpr char kEndOfFile = 0x1A;

std::string fieldBytes(const std::string& cell, const Field& field)
{
    std::string text = cell.substr(0, field.width);
    const size_t missing = field.width - text.size();
    switch (field.fill) {
    case Fill::BlanksLeft:
        return std::string(missing, ' ') + text;
    case Fill::ZerosLeft:
        return std::string(missing, '0') + text;
    case Fill::NameBlanksRight:
        break;
    }
    return toScale(text + std::string(missing, ' '));
}

std::uint8_t nameByteBack(std::uint8_t scale)
{
    return scale == 0x00 ? std::uint8_t{' '} : fromScaleByte(scale);
}

// True when the name byte comes back from the file as itself.
bool nameByteKept(char c)
{
    const auto b = static_cast<std::uint8_t>(c);
    return nameByteBack(toScaleByte(b)) == b;
}

} // namespace

std::string pluFileBytes(const Table& products)
{
    std::string out;
    out.reserve(static_cast<size_t>(products.rowCount()) * kPluRecordSize + 1);
    for (int r = 1; r < products.rowCount(); ++r) {
        for (const Field& field : kFields) {
            if (field.column != plucol::Plu)
                out += ' ';
            out += fieldBytes(products.cell(r, field.column), field);
        }
    }
    out += kEndOfFile;
    return out;
}

std::vector<PluLoss> pluLosses(const Table& products)
{
    std::vector<PluLoss> losses;
    for (int r = 1; r < products.rowCount(); ++r) {
        PluLoss loss{r, {}, {}};
        const auto lose = [&loss](int column, PluLossKind kind) {
            loss.columns.push_back(column);
            loss.kinds.push_back(kind);
        };
        for (const Field& field : kFields) {
            const std::string& cell = products.cell(r, field.column);
            bool cut = cell.size() > field.width;
            if (!cut && field.fill == Fill::NameBlanksRight)
                for (char c : cell)
                    cut = cut || !nameByteKept(c);
            if (cut) {
                lose(field.column, PluLossKind::Cut);
                continue;
            }
            if (field.fill == Fill::ZerosLeft && !cell.empty()) {
                const auto before = intText(cell);
                if (before && intText(fieldBytes(cell, field)) != before)
                    lose(field.column, PluLossKind::NumberChanged);
            }
        }
        const std::string& logo = products.cell(r, plucol::Logo);
        if (!logo.empty() && logo != "0")
            lose(plucol::Logo, PluLossKind::NotStored);
        if (products.cell(r, plucol::Cert).find_first_not_of(' ') != std::string::npos)
            lose(plucol::Cert, PluLossKind::NotStored);
        if (!loss.columns.empty())
            losses.push_back(std::move(loss));
    }
    return losses;
}

std::string pluLossQuestion(const std::vector<PluLoss>& losses)
{
    constexpr size_t kListed = 10;
    std::string rows;
    for (size_t i = 0; i < losses.size() && i < kListed; ++i)
        rows += (i ? ", " : "") + std::to_string(losses[i].row);
    if (losses.size() > kListed)
        rows += " и еще " + std::to_string(losses.size() - kListed);

    // Each reason once, with the columns it concerns in table order.
    const auto reason = [&losses](PluLossKind kind, const std::string& text) -> std::string {
        bool columns[kProductColumns] = {};
        for (const PluLoss& loss : losses)
            for (size_t i = 0; i < loss.columns.size(); ++i)
                if (loss.kinds[i] == kind)
                    columns[static_cast<size_t>(loss.columns[i])] = true;
        std::string names;
        for (int c = 0; c < kProductColumns; ++c)
            if (columns[c])
                names += (names.empty() ? "" : ", ") + columnTitle(productLayout(), c);
        return names.empty() ? std::string() : "\r\n- " + text + " (" + names + ")";
    };
    return "ВНИМАНИЕ !\r\nФормат .plu не вмещает все данные таблицы товаров.\r\n"
           "В строках " +
           rows +
           " часть данных будет потеряна:" + reason(PluLossKind::Cut, "поля обрезаются до ширины полей файла .plu") +
           reason(PluLossKind::NotStored, "эти столбцы в файле .plu не хранятся") +
           reason(PluLossKind::NumberChanged, "числа после дополнения нулями слева станут другими") +
           "\r\nПродолжить ?";
}

PluRead readPluBytes(std::string_view bytes, int logoIndex)
{
    PluRead result{makeTable(productLayout()), 0, false};
    std::vector<Row> rows;
    const std::string logo = std::to_string(logoIndex);
    size_t at = 0;
    while (at < bytes.size() && bytes[at] != kEndOfFile) {
        if (rows.size() >= static_cast<size_t>(kMaxProductRows)) {
            result.tooManyRecords = true;
            break;
        }
        if (bytes.size() - at < kPluRecordSize) {
            result.truncated = true;
            break;
        }
        Row row(static_cast<size_t>(result.table.columnCount()));
        size_t pos = at;
        for (const Field& field : kFields) {
            if (field.column != plucol::Plu)
                ++pos; // the separator, whatever it holds
            std::string text(bytes.substr(pos, field.width));
            if (field.fill == Fill::NameBlanksRight)
                for (auto& c : text)
                    c = static_cast<char>(nameByteBack(static_cast<std::uint8_t>(c)));
            row[static_cast<size_t>(field.column)] = std::move(text);
            pos += field.width;
        }
        row[plucol::Logo] = logo;
        rows.push_back(std::move(row));
        at += kPluRecordSize;
    }
    result.records = static_cast<int>(rows.size());
    result.table.setDataRows(std::move(rows));
    return result;
}

ProductLoad OpenFile1_5(const std::filesystem::path& path, int logoIndex)
{
    // The records of a full table and one byte more, to tell a longer file.
    constexpr size_t wanted = static_cast<size_t>(kMaxProductRows) * kPluRecordSize + 1;
    std::string bytes;
    const std::error_code ec =
        readRegularFile(path, std::numeric_limits<size_t>::max(), [&bytes](std::string_view piece) {
            bytes.append(piece.substr(0, wanted - bytes.size()));
            return bytes.size() < wanted;
        });
    if (ec)
        return {makeTable(productLayout()), readFailedText(path, ec)};
    return pluLoadFromBytes(path, bytes, logoIndex);
}

ProductLoad pluLoadFromBytes(const std::filesystem::path& path, std::string_view bytes, int logoIndex)
{
    PluRead read = readPluBytes(bytes, logoIndex);
    ProductLoad load{std::move(read.table), std::nullopt};
    if (read.truncated)
        load.error = "Файл \"" + pathText(path) + "\" поврежден: его последняя запись неполная.\r\n" +
                     "Прочитано товаров: " + std::to_string(read.records) + ".";
    if (read.tooManyRecords)
        load.error = "Файл \"" + pathText(path) + "\" поврежден: в таблице может быть не больше " +
                     std::to_string(kMaxProductRows) + " товаров, а в файле их больше.\r\n" +
                     "Прочитано товаров: " + std::to_string(read.records) + ".";
    return load;
}

std::optional<std::string> SaveFile1_5(const std::filesystem::path& path, const Table& products)
{
    return saveFileAtomically(path, pluFileBytes(products));
}

} // namespace qm
