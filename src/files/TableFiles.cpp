#include "files/TableFiles.h"

#include "common/TableLayouts.h"
#include "files/CellFile.h"
#include "files/FileIo.h"

namespace qm
{

namespace fs = std::filesystem;

namespace
{

// The rows the file holds within the layout's limits; with a message, the whole rows read before
// the reading stopped.
TableLoad loadCellFile(const fs::path& path, const TableLayout& layout)
{
    Table table = makeTable(layout);
    const int columns = table.columnCount();
    TableLines read = readTableLines(path, 0, columns, static_cast<size_t>(layout.maxRows));
    table.setDataRows(rowsFromLines(read.lines, 0, columns));
    return {std::move(table), std::move(read.error)};
}

TableLoad cellLoadFromBytes(const fs::path& path, std::string_view bytes, const TableLayout& layout)
{
    Table table = makeTable(layout);
    const int columns = table.columnCount();
    TableLines read = tableLinesFromBytes(path, bytes, 0, columns, static_cast<size_t>(layout.maxRows));
    table.setDataRows(rowsFromLines(read.lines, 0, columns));
    return {std::move(table), std::move(read.error)};
}

fs::path withExtension(fs::path path, const std::string& extension)
{
    if (extensionOf(path) != extension)
        path += extension;
    return path;
}

} // namespace

std::string extensionOf(const fs::path& path)
{
    const std::string name = path.filename().string();
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

ProductFormat productFormatOf(const fs::path& path)
{
    return extensionOf(path) == ".pl6" ? ProductFormat::Pl6 : ProductFormat::Plu;
}

fs::path productSaveName(const fs::path& chosen, int filterIndex)
{
    if (filterIndex == 1)
        return withExtension(chosen, ".pl6");
    std::error_code ec;
    fs::path full = fs::absolute(chosen, ec);
    return withExtension(ec ? chosen : full, ".plu");
}

Table readPl6Bytes(std::string_view bytes)
{
    return tableFromCellFile(bytes, makeTable(productLayout()));
}

Table readMessageBytes(std::string_view bytes)
{
    return tableFromCellFile(bytes, makeTable(messageLayout()));
}

Table readConfigBytes(std::string_view bytes)
{
    return tableFromCellFile(bytes, makeTable(configLayout()));
}

ProductLoad loadProductFile(const fs::path& path, int logoIndex)
{
    if (productFormatOf(path) == ProductFormat::Plu)
        return OpenFile1_5(path, logoIndex);
    TableLoad load = loadCellFile(path, productLayout());
    return {std::move(load.table), std::move(load.error)};
}

TableLoad loadMessageFile(const fs::path& path)
{
    return loadCellFile(path, messageLayout());
}

ProductLoad productLoadFromBytes(const fs::path& path, std::string_view bytes, int logoIndex)
{
    if (productFormatOf(path) == ProductFormat::Plu)
        return pluLoadFromBytes(path, bytes, logoIndex);
    TableLoad load = cellLoadFromBytes(path, bytes, productLayout());
    return {std::move(load.table), std::move(load.error)};
}

TableLoad messageLoadFromBytes(const fs::path& path, std::string_view bytes)
{
    return cellLoadFromBytes(path, bytes, messageLayout());
}

TableLoad loadConfigFile(const fs::path& path)
{
    return loadCellFile(path, configLayout());
}

std::optional<std::string> saveCellFile(const fs::path& path, const Table& table)
{
    return saveFileAtomically(path, cellFileBytes(table));
}

} // namespace qm
