#pragma once
// The cell-per-line files of the product (.pl6), message (.msg) and configuration (.cfl) tables,
// and the choice between the two product formats by extension.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/Table.h"
#include "files/PluFile.h"

namespace qm
{

// The extension as the file dialogs see it: from the last dot of the file name on, or empty.
std::string extensionOf(const std::filesystem::path& path);

// A product file is read as .pl6 only when its extension is exactly ".pl6" (capitals differ);
// anything else is read as .plu.
enum class ProductFormat { Pl6, Plu };
ProductFormat productFormatOf(const std::filesystem::path& path);

// The name a product save really writes, given the 1-based filter entry of the save dialog
// (1 ".pl6", 2 ".plu"). The .plu name is made a full path. Each format's extension is appended
// when the name does not end in exactly it, so the file is always read back in the format it
// was written in ("a.plu" saved as .pl6 becomes "a.plu.pl6", "a.pl6" saved as .plu "a.pl6.plu").
std::filesystem::path productSaveName(const std::filesystem::path& chosen, int filterIndex);

Table readPl6Bytes(std::string_view bytes);
Table readMessageBytes(std::string_view bytes);
Table readConfigBytes(std::string_view bytes);

// A product file read by the format its extension names (the reader of automatic loading too).
ProductLoad loadProductFile(const std::filesystem::path& path, int logoIndex);

struct TableLoad {
    Table table;
    std::optional<std::string> error; // UTF-8, for the user
};
TableLoad loadMessageFile(const std::filesystem::path& path);
TableLoad loadConfigFile(const std::filesystem::path& path);

// The product and message readers over the bytes of a load file read once (every scale that
// names the file is loaded from the same bytes); `path` chooses the format and names the file
// in the message.
ProductLoad productLoadFromBytes(const std::filesystem::path& path, std::string_view bytes, int logoIndex);
TableLoad messageLoadFromBytes(const std::filesystem::path& path, std::string_view bytes);

// Saves of the cell-per-line files; nullopt on success, else the message for the user.
std::optional<std::string> saveCellFile(const std::filesystem::path& path, const Table& table);

} // namespace qm
