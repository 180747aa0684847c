// The scale-settings commands of the command line: user settings and shop name, status, price
// keys and factory settings. They run the tabs' operations and print what the tabs show; the
// exit code follows the operation's outcome.

#include <iostream>

#include "cli/CliCommands.h"
#include "cli/CliContext.h"
#include "cli/CommandSupport.h"
#include "cli/JsonObject.h"
#include "common/Cp1251.h"
#include "common/IntText.h"
#include "common/TableLayouts.h"
#include "common/TableSink.h"
#include "files/FileIo.h"
#include "operation/OperationTexts.h"
#include "settings/PriceKeyLines.h"
#include "settings/SettingsTexts.h"
#include "settings/SettingsTransfer.h"
#include "settings/PriceKeyCodec.h"
#include "settings/StatusTransfer.h"

namespace qm::cli
{

namespace
{

struct HeldSettings : SettingsView {
    UserSettings settings;
    ShopName shop;
    void showUserSettings(const UserSettings& s) override { settings = s; }
    void showShop(const ShopName& s) override { shop = s; }
    void showClock(const std::string&, const std::string&) override {}
};

// The print options as the tab captions its boxes, bit 0 first.
const char* const kOptionCaptions[] = {
    "Разрешить изменение цены", "Разрешить изменение цены с сохранением изменения",
    "Печать номера PLU",        "Печать группового кода",
    "Печать даты упаковки",     "Печать срока годности",
    "Печать номера этикетки",   "Печать времени упаковки",
};

void printLine(const char* label, const std::string& value)
{
    std::cout << label << ": " << value << '\n';
}

const char* yesNo(bool value)
{
    return value ? "да" : "нет";
}

// A text option in UTF-8, as code page 1251; false (usage error printed) when it cannot be.
bool cp1251Option(CliContext& context, const char* option, std::string& out)
{
    const auto given = context.args().value(option);
    if (!given)
        return true;
    const auto converted = utf8ToCp1251(*given);
    if (!converted) {
        context.error(std::string("--") + option + " holds characters the scale cannot show");
        return false;
    }
    out = *converted;
    return true;
}

bool anyOf(const Args& a, std::initializer_list<const char*> options)
{
    for (const char* o : options)
        if (a.has(o))
            return true;
    return false;
}

// The form of a partial write: the scale's current values with the given options over them.
SettingsForm formFrom(const HeldSettings& held)
{
    SettingsForm f;
    f.department = std::to_string(held.settings.department);
    f.labelFormat = std::to_string(held.settings.labelFormat);
    f.barcodeFormat = std::to_string(held.settings.barcodeFormat);
    f.printOffset = std::to_string(held.settings.printOffset);
    f.minWeight = std::to_string(held.settings.minWeight);
    f.options = held.settings.options;
    f.shop1 = held.shop.line1;
    f.shop2 = held.shop.line2;
    return f;
}

std::string patternOr(int code, const char* none)
{
    const auto pattern = decimalPointPattern(code);
    return pattern ? *pattern : none;
}

} // namespace

int runReadSettings(CliContext& context)
{
    if (!needScale(context))
        return kUsage;
    context.setPortFailureMessage(operationtext::kWriteFailed);
    HeldSettings held;
    const OperationResult result = context.args().has("json") ? fetchUserSettings(scaleLink(context), held)
                                                              : readUserSettings(scaleLink(context), held);
    if (!result)
        return context.finish(result);
    const UserSettings& s = held.settings;
    if (context.args().has("json")) {
        std::cout << JsonObject()
                         .number("department", s.department)
                         .number("label_format", s.labelFormat)
                         .number("barcode_format", s.barcodeFormat)
                         .number("print_offset", s.printOffset)
                         .number("min_weight", s.minWeight)
                         .number("options", s.options)
                         .text("shop1", cp1251ToUtf8(held.shop.line1))
                         .text("shop2", cp1251ToUtf8(held.shop.line2))
                         .str()
                  << std::endl;
        return kOk;
    }
    printLine(settingstext::kDepartmentLabel, std::to_string(s.department));
    printLine(settingstext::kLabelFormatLabel, std::to_string(s.labelFormat));
    printLine(settingstext::kBarcodeFormatLabel, std::to_string(s.barcodeFormat));
    printLine(settingstext::kOffsetLabel, std::to_string(s.printOffset));
    printLine(settingstext::kMinWeightLabel, std::to_string(s.minWeight));
    for (int bit = 0; bit < 8; ++bit)
        printLine(kOptionCaptions[bit], yesNo(s.options & (1 << bit)));
    printLine("Название магазина 1", cp1251ToUtf8(held.shop.line1));
    printLine("Название магазина 2", cp1251ToUtf8(held.shop.line2));
    std::cout.flush();
    return kOk;
}

int runWriteSettings(CliContext& context)
{
    if (!needScale(context))
        return kUsage;
    const Args& a = context.args();
    const bool clockFields = a.has("date") || a.has("time");
    if (clockFields && (a.has("now") || !a.has("date") || !a.has("time"))) {
        context.error("give --date DD.MM.YY with --time HH:MM:SS, or --now");
        return kUsage;
    }
    WriteStages stages;
    stages.user = anyOf(a, {"department", "label-format", "barcode-format", "offset", "min-weight", "options"});
    stages.shop = anyOf(a, {"shop1", "shop2"});
    stages.clock = clockFields || a.has("now");
    if (!stages.user && !stages.shop && !stages.clock) {
        context.error("nothing to write: give settings, shop lines, or the date and time");
        return kUsage;
    }
    if (a.has("options") && !intTextIn(*a.value("options"), 0, 255)) {
        context.error("--options is the print options byte, 0..255");
        return kUsage;
    }
    SettingsForm form;
    if (!cp1251Option(context, "shop1", form.shop1) || !cp1251Option(context, "shop2", form.shop2))
        return kUsage;

    context.setPortFailureMessage(operationtext::kWriteFailed);
    const ScaleLink link = scaleLink(context);
    // What is not given keeps the scale's current value.
    const bool userWhole = a.has("department") && a.has("label-format") && a.has("barcode-format") &&
                           a.has("offset") && a.has("min-weight") && a.has("options");
    const bool shopWhole = a.has("shop1") && a.has("shop2");
    if ((stages.user && !userWhole) || (stages.shop && !shopWhole)) {
        HeldSettings held;
        if (const auto read = fetchUserSettings(link, held); !read)
            return context.finish(read);
        const SettingsForm current = formFrom(held);
        const std::string shop1 = form.shop1, shop2 = form.shop2;
        form = current;
        if (a.has("shop1"))
            form.shop1 = shop1;
        if (a.has("shop2"))
            form.shop2 = shop2;
    }
    const auto take = [&a](const char* option, std::string& field) {
        if (const auto v = a.value(option))
            field = cp(*v);
    };
    take("department", form.department);
    take("label-format", form.labelFormat);
    take("barcode-format", form.barcodeFormat);
    take("offset", form.printOffset);
    take("min-weight", form.minWeight);
    if (const auto v = a.value("options"))
        form.options = intTextValue(*v);
    take("date", form.date);
    take("time", form.time);
    form.currentClock = a.has("now");
    HeldSettings ignored;
    return context.finish(writeUserSettings(link, form, ignored, clockNow, stages));
}

int runReadStatus(CliContext& context)
{
    if (!needScale(context))
        return kUsage;
    context.setPortFailureMessage(operationtext::kWriteFailed);
    ScaleStatus status;
    // The status alone: the key loop of the tab is read-keys.
    const OperationResult result = readScaleStatus(scaleLink(context), status);
    if (!result)
        return context.finish(result);
    if (context.args().has("json")) {
        std::cout << JsonObject()
                         .boolean("overload", status.overload)
                         .boolean("tare", status.tareSet)
                         .boolean("zero", status.zeroWeight)
                         .boolean("dual_range", status.dualRange)
                         .boolean("stable", status.stable)
                         .number("weight", status.weight)
                         .number("price", status.price)
                         .number("total", status.total)
                         .number("plu", status.product)
                         .str()
                  << std::endl;
        return kOk;
    }
    printLine("Перегрузка", yesNo(status.overload));
    printLine("Выбор тары", yesNo(status.tareSet));
    printLine("Нулевой вес", yesNo(status.zeroWeight));
    printLine("Двухдиапазонный режим", yesNo(status.dualRange));
    printLine("Вес стабильный", yesNo(status.stable));
    printLine("Вес, гр.", std::to_string(status.weight));
    printLine("Цена, коп.", std::to_string(status.price));
    printLine("Стоимость, коп.", std::to_string(status.total));
    printLine("Номер выбранного товара", std::to_string(status.product));
    std::cout.flush();
    return kOk;
}

int runReadKeys(CliContext& context)
{
    if (!needScale(context))
        return kUsage;
    context.setPortFailureMessage(operationtext::kWriteFailed);
    Table keys = makePriceKeyTable();
    TableWriter sink(keys);
    const OperationResult result = readPriceKeys(scaleLink(context), sink);
    if (!result)
        return context.finish(result);
    std::vector<std::string> cells;
    for (int key = 1; key <= kPriceKeys; ++key)
        cells.push_back(keys.cell(key, 1));
    const std::string lines = formatPriceKeyLines(cells);
    if (const auto out = context.args().value("out")) {
        if (const auto error = saveFileAtomically(context.path(*out), lines)) {
            context.error(*error);
            return kFailed;
        }
        return kOk;
    }
    std::cout << lines << std::flush;
    return kOk;
}

int runWriteKeys(CliContext& context)
{
    const auto file = onlyFile(context);
    if (!needScale(context) || !file)
        return kUsage;
    const FileRead read = readFileBytes(context.path(*file));
    if (read.error) {
        context.error(*read.error);
        return kFailed;
    }
    std::string error;
    const auto cells = parsePriceKeyLines(read.bytes, error);
    if (!cells) {
        context.error(*file + ": " + error);
        return kFailed;
    }
    context.setPortFailureMessage(settingstext::kKeyWriteFailed);
    const OperationResult result = writePriceKeys(scaleLink(context), *cells);
    nameFailedCell(context, result, TableId::PriceKeys);
    return context.finish(result);
}

int runReadFactory(CliContext& context)
{
    if (!needScale(context))
        return kUsage;
    context.setPortFailureMessage(settingstext::kFactoryReadFailed);
    FactorySettings f;
    const OperationResult result = readFactory(scaleLink(context), f);
    if (!result)
        return context.finish(result);
    if (context.args().has("json")) {
        JsonObject json;
        json.number("capacity", f.capacity);
        const std::pair<const char*, int> points[] = {
            {"weight_point", f.weightPoint}, {"price_point", f.pricePoint}, {"total_point", f.totalPoint}};
        for (const auto& [key, code] : points) {
            if (const auto pattern = decimalPointPattern(code))
                json.text(key, *pattern);
            else
                json.null(key);
        }
        std::cout << json.boolean("dual_range", f.dualRange)
                         .number("division_upper", f.upperDivision)
                         .number("division_lower", f.lowerDivision)
                         .number("price_weight", f.priceWeight)
                         .number("rounding", f.rounding)
                         .number("tare_limit", f.tareLimit)
                         .str()
                  << std::endl;
        return kOk;
    }
    printLine("Наибольший предел взвешивания, гр.", std::to_string(f.capacity));
    printLine("Положение десятичной точки, вес", patternOr(f.weightPoint, "?"));
    printLine("Положение десятичной точки, цена", patternOr(f.pricePoint, "?"));
    printLine("Положение десятичной точки, стоимость", patternOr(f.totalPoint, "?"));
    printLine("Двухдиапазонный режим", yesNo(f.dualRange));
    printLine("Дискретность индикации веса, верхний диапазон, гр.", std::to_string(f.upperDivision));
    printLine("Дискретность индикации веса, нижний диапазон, гр.", std::to_string(f.lowerDivision));
    printLine("Вес в граммах, для которого определяется цена", std::to_string(f.priceWeight));
    printLine("Округление стоимости до", std::to_string(f.rounding));
    printLine("Предел выборки тары, гр.", std::to_string(f.tareLimit));
    std::cout.flush();
    return kOk;
}

} // namespace qm::cli
