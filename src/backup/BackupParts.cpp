#include "backup/BackupParts.h"

#include <algorithm>
#include <functional>

#include "common/IntText.h"
#include "common/QuietFeedback.h"
#include "common/TableColumns.h"
#include "common/TableLayouts.h"
#include "files/CellFile.h"
#include "files/LogoFile.h"
#include "logo/LogoCodec.h"
#include "messages/MessageCheck.h"
#include "products/PluCheck.h"
#include "settings/PriceKeyCodec.h"
#include "settings/PriceKeyLines.h"
#include "settings/SettingsTransfer.h"

namespace qm
{

namespace
{

const char* const kSettingNames[] = {"department", "label_format", "barcode_format", "print_offset",
                                     "options",    "min_weight",   "shop1",          "shop2"};

// A shop line on one line of the file: a CR, LF or TAB in the scale's bytes becomes a blank.
std::string oneLine(std::string text)
{
    for (char& c : text)
        if (c == '\r' || c == '\n' || c == '\t')
            c = ' ';
    return text;
}

std::string partError(const std::string& part, const std::string& text)
{
    return "Файл \"" + part + "\" в копии: " + text;
}

// A table part read as the tab opens its file, within the table's limits, each row through the
// row check; an empty part is a table without records.
std::optional<Table> tablePart(const std::string& name, const std::string& bytes, const TableLayout& layout,
                               const std::function<std::optional<Failure>(const Table&, int)>& rowCheck,
                               std::string& error)
{
    const int columns = static_cast<int>(layout.headers.size());
    const TableLines lines = tableLinesFromBytes(name, bytes, 0, columns, static_cast<size_t>(layout.maxRows));
    if (lines.error) {
        error = partError(name, *lines.error);
        return std::nullopt;
    }
    Table table = makeTable(layout);
    const std::vector<Row> rows = rowsFromLines(lines.lines, 0, columns);
    if (rows.empty())
        return table;
    table.setDataRows(rows);
    for (int r = 1; r <= table.lastRow(); ++r)
        if (const auto failure = rowCheck(table, r)) {
            error = partError(name, "запись " + std::to_string(r) + ": " + failure->text);
            return std::nullopt;
        }
    return table;
}

} // namespace

const std::vector<std::string>& backupPartNames()
{
    static const std::vector<std::string> names = {kProductsPart, kMessagesPart, kKeysPart, kSettingsPart, kLogoPart};
    return names;
}

std::vector<Row> recordRows(const Table& table)
{
    std::vector<Row> rows;
    for (int r = 1; r <= table.lastRow(); ++r)
        if (!table.cell(r, 0).empty())
            rows.push_back(table.row(r));
    return rows;
}

int ScaleContents::productCount() const
{
    return static_cast<int>(recordRows(products).size());
}

int ScaleContents::messageCount() const
{
    return static_cast<int>(recordRows(messages).size());
}

std::vector<ArchivePart> contentParts(const ScaleContents& contents)
{
    // Only the records: a scale without any gives an empty file, not one empty row.
    const auto cellLines = [](const Table& table) {
        std::string bytes;
        if (!recordRows(table).empty()) {
            Table records = table;
            records.setDataRows(recordRows(table));
            appendCellLines(bytes, records);
        }
        return bytes;
    };
    return {{kProductsPart, cellLines(contents.products)},
            {kMessagesPart, cellLines(contents.messages)},
            {kKeysPart, formatPriceKeyLines(contents.keys)},
            {kSettingsPart, settingsLines(contents.settings, contents.shop)},
            {kLogoPart, logoFileBytes(contents.logo)}};
}

std::string settingsLines(const UserSettings& s, const ShopName& shop)
{
    const std::string values[] = {std::to_string(s.department),
                                  std::to_string(s.labelFormat),
                                  std::to_string(s.barcodeFormat),
                                  std::to_string(s.printOffset),
                                  std::to_string(s.options),
                                  std::to_string(s.minWeight),
                                  oneLine(shop.line1),
                                  oneLine(shop.line2)};
    std::string text;
    for (size_t i = 0; i < std::size(kSettingNames); ++i)
        text += std::string(kSettingNames[i]) + '\t' + values[i] + '\n';
    return text;
}

bool parseSettingsLines(const std::string& text, UserSettings& settings, ShopName& shop, std::string& error)
{
    std::map<std::string, std::string> values;
    for (const std::string& line : textLines(text)) {
        if (line.empty())
            continue;
        const auto tab = line.find('\t');
        const std::string name = line.substr(0, tab);
        const bool known =
            std::find(std::begin(kSettingNames), std::end(kSettingNames), name) != std::end(kSettingNames);
        if (tab == std::string::npos || !known || values.count(name)) {
            error = "строка \"" + line.substr(0, 40) + "\" не является строкой настроек";
            return false;
        }
        values[name] = line.substr(tab + 1);
    }
    for (const char* name : kSettingNames)
        if (!values.count(name)) {
            error = std::string("нет строки ") + name;
            return false;
        }
    if (!intTextIn(values["options"], 0, 255)) {
        error = "options: ожидается число от 0 до 255";
        return false;
    }
    // The same check as the settings tab's write, with its messages.
    SettingsForm form;
    form.department = values["department"];
    form.labelFormat = values["label_format"];
    form.barcodeFormat = values["barcode_format"];
    form.printOffset = values["print_offset"];
    form.minWeight = values["min_weight"];
    form.options = intTextValue(values["options"]);
    QuietFeedback quiet; // the check's result says what is wrong
    UserSettings checked;
    if (const OperationResult result = userSettingsFrom(quiet, form, checked); !result) {
        error = result.failure ? result.failure->text : "неверное значение";
        return false;
    }
    // The formats the scale takes as one byte: a larger number would not come back as it is.
    if (checked.labelFormat < 0 || checked.labelFormat > 255 || checked.barcodeFormat < 0 ||
        checked.barcodeFormat > 255) {
        error = "label_format, barcode_format: ожидается число от 0 до 255";
        return false;
    }
    settings = checked;
    shop = ShopName{values["shop1"], values["shop2"]};
    return true;
}

std::optional<ScaleContents> contentsFromParts(const std::map<std::string, std::string>& parts, std::string& error)
{
    for (const std::string& name : backupPartNames())
        if (!parts.count(name)) {
            error = "В копии нет файла \"" + name + "\".";
            return std::nullopt;
        }
    ScaleContents contents;
    const auto products = tablePart(
        kProductsPart, parts.at(kProductsPart), productLayout(),
        [](const Table& t, int r) { return productRowFailure(t, r); }, error);
    if (!products)
        return std::nullopt;
    contents.products = *products;
    const auto messages = tablePart(
        kMessagesPart, parts.at(kMessagesPart), messageLayout(),
        [](const Table& t, int r) { return messageRowFailure(t, r); }, error);
    if (!messages)
        return std::nullopt;
    contents.messages = *messages;
    std::string keyError;
    const auto keys = parsePriceKeyLines(parts.at(kKeysPart), keyError);
    if (!keys) {
        error = partError(kKeysPart, keyError);
        return std::nullopt;
    }
    for (size_t k = 0; k < keys->size(); ++k)
        if (!(*keys)[k].empty() && !intTextIn((*keys)[k], kMinKeyCell, kMaxKeyCell)) {
            error = partError(kKeysPart, "клавиша " + std::to_string(k + 1) + ": ячейка не число от 0 до 4000");
            return std::nullopt;
        }
    contents.keys = *keys;
    std::string settingsError;
    if (!parseSettingsLines(parts.at(kSettingsPart), contents.settings, contents.shop, settingsError)) {
        error = partError(kSettingsPart, settingsError);
        return std::nullopt;
    }
    const std::string& logo = parts.at(kLogoPart);
    if (logo.size() != kLogoFileSize) {
        error = partError(kLogoPart, kLogoWrongFormat);
        return std::nullopt;
    }
    contents.logo = logoFromFileBytes(logo);
    return contents;
}

} // namespace qm
