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
#include "settings/FactoryTransfer.h"
#include "settings/PriceKeyCodec.h"
#include "settings/PriceKeyLines.h"
#include "settings/SettingsTexts.h"
#include "settings/SettingsTransfer.h"
#include "settings/StatusTransfer.h"
#include "settings/SettingsShown.h"

namespace qm::cli
{

namespace
{

// A text option in UTF-8, as code page 1251; false (usage error printed) when it cannot be.
bool cp1251Option(CliContext& context, const char* option, std::string& out)
{
    const auto given = context.args().value(option);
    if (!given)
        return true;
    const auto converted = utf8ToCp1251(*given);
    if (!converted) {
        context.error(std::string("в --") + option + " есть символы, которые весы не могут показать");
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
SettingsForm formFrom(const UserSettings& settings, const ShopName& shop)
{
    SettingsForm f = withUserSettings(SettingsForm(), settings);
    f.shop1 = shop.line1;
    f.shop2 = shop.line2;
    return f;
}

// The pattern a decimal point code shows; null for a code the scale gives no pattern.
decltype(ReportField::value) pointPattern(int code)
{
    if (const auto pattern = decimalPointPattern(code))
        return *pattern;
    return nullptr;
}

std::vector<ReportField> statusFields(const ScaleStatus& status)
{
    return {{"Перегрузка", "overload", status.overload},
            {"Выбор тары", "tare", status.tareSet},
            {"Нулевой вес", "zero", status.zeroWeight},
            {"Двухдиапазонный режим", "dual_range", status.dualRange},
            {"Вес стабильный", "stable", status.stable},
            {"Вес, гр.", "weight", status.weight},
            {"Цена, коп.", "price", status.price},
            {"Стоимость, коп.", "total", status.total},
            {"Номер выбранного товара", "plu", status.product}};
}

std::vector<ReportField> factoryFields(const FactorySettings& f)
{
    return {{"Наибольший предел взвешивания, гр.", "capacity", std::int64_t{f.capacity}},
            {"Положение десятичной точки, вес", "weight_point", pointPattern(f.weightPoint)},
            {"Положение десятичной точки, цена", "price_point", pointPattern(f.pricePoint)},
            {"Положение десятичной точки, стоимость", "total_point", pointPattern(f.totalPoint)},
            {"Двухдиапазонный режим", "dual_range", f.dualRange},
            {"Дискретность индикации веса, верхний диапазон, гр.", "division_upper", std::int64_t{f.upperDivision}},
            {"Дискретность индикации веса, нижний диапазон, гр.", "division_lower", std::int64_t{f.lowerDivision}},
            {"Вес в граммах, для которого определяется цена", "price_weight", std::int64_t{f.priceWeight}},
            {"Округление стоимости до", "rounding", std::int64_t{f.rounding}},
            {"Предел выборки тары, гр.", "tare_limit", std::int64_t{f.tareLimit}}};
}

// read-status, read-factory: --scale, the one record read, then printed.
template <class T>
int printScaleRecord(CliContext& context, OperationResult (*read)(const ScaleLink&, ValueSink<T>&),
                     std::vector<ReportField> (*fields)(const T&))
{
    if (!needScale(context))
        return kUsage;
    ValueHolder<T> record;
    const OperationResult result = read(scaleLink(context), record);
    return printRecord(context, result, [&] { return fields(record.value()); });
}

} // namespace

int runReadSettings(CliContext& context)
{
    if (!needScale(context))
        return kUsage;
    ValueHolder<UserSettings> settings;
    ValueHolder<ShopName> shop;
    const OperationResult result = context.args().has("json") ? fetchUserSettings(scaleLink(context), settings, shop)
                                                              : readUserSettings(scaleLink(context), settings, shop);
    return printRecord(context, result, [&]() -> std::vector<ReportField> {
        const UserSettings s = settings.value();
        return {{settingstext::kDepartmentLabel, "department", std::int64_t{s.department}},
                {settingstext::kLabelFormatLabel, "label_format", std::int64_t{s.labelFormat}},
                {settingstext::kBarcodeFormatLabel, "barcode_format", std::int64_t{s.barcodeFormat}},
                {settingstext::kOffsetLabel, "print_offset", std::int64_t{s.printOffset}},
                {settingstext::kMinWeightLabel, "min_weight", std::int64_t{s.minWeight}},
                {"Особенности печати", "options", std::int64_t{s.options}},
                {"Название магазина, строка 1", "shop1", cp1251ToUtf8(shop.value().line1)},
                {"Название магазина, строка 2", "shop2", cp1251ToUtf8(shop.value().line2)}};
    });
}

int runWriteSettings(CliContext& context)
{
    if (!needScale(context))
        return kUsage;
    const Args& a = context.args();
    const bool clockFields = a.has("date") || a.has("time");
    if (clockFields && (a.has("now") || !a.has("date") || !a.has("time"))) {
        context.error("нужны --date DD.MM.YY вместе с --time HH:MM:SS или --now");
        return kUsage;
    }
    WriteStages stages;
    stages.user = anyOf(a, {"department", "label-format", "barcode-format", "offset", "min-weight", "options"});
    stages.shop = anyOf(a, {"shop1", "shop2"});
    stages.clock = clockFields || a.has("now");
    if (!stages.user && !stages.shop && !stages.clock) {
        context.error("нечего записывать: задайте настройки, строки названия магазина или дату и время");
        return kUsage;
    }
    if (a.has("options") && !intTextIn(*a.value("options"), 0, 255)) {
        context.error("--options: байт параметров печати, 0..255");
        return kUsage;
    }
    SettingsForm form;
    if (!cp1251Option(context, "shop1", form.shop1) || !cp1251Option(context, "shop2", form.shop2))
        return kUsage;

    const ScaleLink link = scaleLink(context);
    // What is not given keeps the scale's current value.
    const bool userWhole = a.has("department") && a.has("label-format") && a.has("barcode-format") && a.has("offset") &&
                           a.has("min-weight") && a.has("options");
    const bool shopWhole = a.has("shop1") && a.has("shop2");
    if ((stages.user && !userWhole) || (stages.shop && !shopWhole)) {
        ValueHolder<UserSettings> settings;
        ValueHolder<ShopName> shop;
        if (const auto read = fetchUserSettings(link, settings, shop); !read)
            return context.finish(read);
        const SettingsForm current = formFrom(settings.value(), shop.value());
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
    ValueHolder<ClockReading> written;
    return context.finish(writeUserSettings(link, form, written, clockNow, stages));
}

int runReadStatus(CliContext& context)
{
    // The status alone: the key loop of the tab is read-keys.
    return printScaleRecord(context, readScaleStatus, statusFields);
}

int runReadKeys(CliContext& context)
{
    if (!needScale(context))
        return kUsage;
    // The lines are text: "--out -" prints them, as no --out does.
    auto out = context.args().value("out");
    if (out == "-")
        out.reset();
    if (out && !outCanBeSaved(context, *out))
        return kFailed;
    Table keys = makePriceKeyTable();
    TableWriter sink(keys);
    const OperationResult result = readPriceKeys(scaleLink(context), sink);
    if (!result)
        return context.finish(result);
    std::vector<std::string> cells;
    for (int key = 1; key <= kPriceKeys; ++key)
        cells.push_back(keys.cell(key, 1));
    const std::string lines = formatPriceKeyLines(cells);
    if (out) {
        if (const auto error = saveFileAtomically(context.path(*out), lines)) {
            context.error(*error);
            return kFailed;
        }
        return kOk;
    }
    context.feedback().close(true);
    std::cout << lines << std::flush;
    return kOk;
}

int runWriteKeys(CliContext& context)
{
    const auto file = scaleAndFile(context);
    if (!file)
        return kUsage;
    // 54 lines of a key and a cell: a few hundred bytes.
    const FileRead read = readFileBytes(context.path(*file), 64 * 1024);
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
    const OperationResult result = writePriceKeys(scaleLink(context), *cells);
    return context.finish(result);
}

int runReadFactory(CliContext& context)
{
    return printScaleRecord(context, readFactory, factoryFields);
}

} // namespace qm::cli
