#include "files/AppSettings.h"

#include <variant>
#include <vector>

#include "common/Cp1251.h"
#include "common/IntText.h"
#include "common/TableLayouts.h"
#include "files/CellFile.h"

namespace qm
{

namespace
{

struct IntLine {
    int AppSettings::*member;
    int low;
    int high;
};
using TextLine = std::string AppSettings::*;
using BoolLine = bool AppSettings::*;
using WindowLine = WindowState AppSettings::*;
using Line = std::variant<IntLine, TextLine, BoolLine, WindowLine>;

// Lines 1 to 37 in file order: reading and writing walk the same list.
const std::vector<Line>& lines()
{
    static const std::vector<Line> list{
        IntLine{&AppSettings::activeTab, 0, 9},
        &AppSettings::productFont,
        &AppSettings::messageFont,
        &AppSettings::configFont,
        &AppSettings::reportFont,
        &AppSettings::testFont,
        &AppSettings::windowState,
        IntLine{&AppSettings::logoIndex, -1, 2},
        &AppSettings::department,
        &AppSettings::printOffset,
        IntLine{&AppSettings::labelFormatIndex, -1, 36},
        IntLine{&AppSettings::barcodeFormatIndex, -1, 8},
        &AppSettings::minWeightChange,
        &AppSettings::checkProducts,
        &AppSettings::checkMessages,
        &AppSettings::productVirtualSync,
        &AppSettings::autoVirtualSync,
        &AppSettings::keepProtocol,
        &AppSettings::processQueue,
        &AppSettings::allowPriceChange,
        &AppSettings::allowPriceChangeKept,
        &AppSettings::printPluNumber,
        &AppSettings::printGroupCode,
        &AppSettings::printPackDate,
        &AppSettings::printSellByDate,
        &AppSettings::printLabelNumber,
        &AppSettings::printPackTime,
        &AppSettings::shopName1,
        &AppSettings::shopName2,
        &AppSettings::enterCurrentDateTime,
        &AppSettings::minimizeInAutoMode,
        IntLine{&AppSettings::logoThreshold, 20, 220},
        &AppSettings::printReportTable,
        &AppSettings::printTotals,
        &AppSettings::autoMode,
        &AppSettings::autoPeriod,
        &AppSettings::keepConfig,
    };
    return list;
}

const char* windowStateText(WindowState state)
{
    switch (state) {
    case WindowState::Maximized:
        return "wsMaximized";
    case WindowState::Minimized:
        return "wsMinimized";
    case WindowState::Normal:
        break;
    }
    return "wsNormal";
}

WindowState windowStateFrom(const std::string& text)
{
    if (text == "wsMaximized")
        return WindowState::Maximized;
    if (text == "wsMinimized")
        return WindowState::Minimized;
    return WindowState::Normal;
}

template <class... F> struct Overload : F... {
    using F::operator()...;
};
template <class... F> Overload(F...) -> Overload<F...>;

} // namespace

AppSettings::AppSettings()
    : shopName1(cp("Спасибо")), shopName2(cp("за покупку !")), configTable(makeTable(configLayout()))
{
}

bool AppSettings::operator==(const AppSettings& other) const
{
    AppSettings a = *this;
    AppSettings b = other;
    a.keepConfig = b.keepConfig = true;
    return keepConfig == other.keepConfig && serializeSettings(a) == serializeSettings(b);
}

WindowState storedWindowState(bool maximized, bool minimized, bool autoMode)
{
    // A window minimised from maximised carries both flags: it is minimised, and a window
    // minimised by hand outside auto mode is stored as normal.
    if (minimized)
        return autoMode ? WindowState::Minimized : WindowState::Normal;
    return maximized ? WindowState::Maximized : WindowState::Normal;
}

std::string serializeSettings(const AppSettings& settings)
{
    std::string out;
    for (const Line& line : lines()) {
        std::visit(Overload{
                       [&](const IntLine& l) { appendLine(out, std::to_string(settings.*(l.member))); },
                       [&](const TextLine& l) { appendLine(out, settings.*l); },
                       [&](const BoolLine& l) { appendLine(out, settings.*l ? "TRUE" : "FALSE"); },
                       [&](const WindowLine& l) { appendLine(out, windowStateText(settings.*l)); },
                   },
                   line);
    }
    if (settings.keepConfig)
        appendCellLines(out, settings.configTable);
    else
        for (const std::string& line : settings.trailingLines)
            appendLine(out, line);
    return out;
}

AppSettings parseSettings(std::string_view bytes)
{
    return parseSettingsLines(textLines(bytes));
}

AppSettings parseSettingsLines(const std::vector<std::string>& text)
{
    AppSettings settings;
    const auto& list = lines();
    for (size_t i = 0; i < list.size() && i < text.size(); ++i) {
        const std::string& value = text[i];
        std::visit(Overload{
                       [&](const IntLine& l) {
                           const auto v = intText(value);
                           if (v && *v >= l.low && *v <= l.high)
                               settings.*(l.member) = *v;
                       },
                       [&](const TextLine& l) { settings.*l = value; },
                       [&](const BoolLine& l) { settings.*l = value == "TRUE"; },
                       [&](const WindowLine& l) { settings.*l = windowStateFrom(value); },
                   },
                   list[i]);
    }
    if (settings.keepConfig)
        settings.configTable.setDataRows(rowsFromLines(text, list.size(), kConfigColumns));
    else if (text.size() > list.size())
        settings.trailingLines.assign(text.begin() + static_cast<std::ptrdiff_t>(list.size()), text.end());
    return settings;
}

} // namespace qm
