#include "files/PluFile.h"

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
    {0, 4, Fill::BlanksLeft}, {1, 28, Fill::NameBlanksRight}, {2, 28, Fill::NameBlanksRight},
    {3, 6, Fill::BlanksLeft}, {4, 3, Fill::BlanksLeft},       {5, 4, Fill::ZerosLeft},
    {6, 6, Fill::ZerosLeft},  {7, 2, Fill::ZerosLeft},        {8, 3, Fill::ZerosLeft},
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
            if (field.column != 0)
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
        PluLoss loss{r, {}};
        for (const Field& field : kFields) {
            const std::string& cell = products.cell(r, field.column);
            bool lost = cell.size() > field.width;
            if (!lost && field.fill == Fill::NameBlanksRight)
                for (char c : cell)
                    lost = lost || !nameByteKept(c);
            if (lost)
                loss.columns.push_back(field.column);
        }
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
    return "ВНИМАНИЕ !\r\nФормат .plu не вмещает все данные таблицы товаров.\r\n"
           "В строках " +
           rows +
           " часть данных будет потеряна\r\n(поля обрезаются до ширины полей файла .plu).\r\n"
           "Продолжить ?";
}

PluRead readPluBytes(std::string_view bytes, int logoIndex)
{
    PluRead result{makeTable(productLayout()), 0, false};
    std::vector<Row> rows;
    const std::string logo = std::to_string(logoIndex);
    size_t at = 0;
    while (at < bytes.size() && bytes[at] != kEndOfFile) {
        if (bytes.size() - at < kPluRecordSize) {
            result.truncated = true;
            break;
        }
        Row row(static_cast<size_t>(result.table.columnCount()));
        size_t pos = at;
        for (const Field& field : kFields) {
            if (field.column != 0)
                ++pos; // the separator, whatever it holds
            std::string text(bytes.substr(pos, field.width));
            if (field.fill == Fill::NameBlanksRight)
                for (auto& c : text)
                    c = static_cast<char>(nameByteBack(static_cast<std::uint8_t>(c)));
            row[static_cast<size_t>(field.column)] = std::move(text);
            pos += field.width;
        }
        row[9] = logo;
        rows.push_back(std::move(row));
        at += kPluRecordSize;
    }
    result.records = static_cast<int>(rows.size());
    result.table.setDataRows(std::move(rows));
    return result;
}

ProductLoad OpenFile1_5(const std::filesystem::path& path, int logoIndex)
{
    const FileRead file = readFileBytes(path);
    if (file.error)
        return {makeTable(productLayout()), file.error};
    PluRead read = readPluBytes(file.bytes, logoIndex);
    ProductLoad load{std::move(read.table), std::nullopt};
    if (read.truncated)
        load.error = "Файл \"" + pathText(path) + "\" поврежден: его последняя запись неполная.\r\n" +
                     "Прочитано товаров: " + std::to_string(read.records) + ".";
    return load;
}

std::optional<std::string> SaveFile1_5(const std::filesystem::path& path, const Table& products)
{
    return saveFileAtomically(path, pluFileBytes(products));
}

} // namespace qm
