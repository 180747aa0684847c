#include "app/SettingsBinding.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSlider>
#include <QTabWidget>

#include "app/ChooserBox.h"
#include "app/StringGrid.h"
#include "app/TForm1.h"
#include "app/tabs/ConfigTab.h"
#include "common/TableLayouts.h"
#include "settings/UserSettingsCodec.h"
#include "settings/SettingsShown.h"

namespace qm::app
{

namespace
{

QString text(const std::string& cp1251)
{
    return TableModel::toQString(cp1251);
}

std::string bytes(const QString& text)
{
    // The edits refuse characters outside code page 1251, so this holds every text they show.
    return TableModel::toCp1251(text, false).value_or(std::string());
}

struct BoolLine {
    const char* control;
    bool AppSettings::*member;
};

const BoolLine kBoolLines[] = {
    {"CheckBox20", &AppSettings::checkProducts},        {"CheckBox21", &AppSettings::checkMessages},
    {"CheckBox22", &AppSettings::productVirtualSync},   {"CheckBox23", &AppSettings::autoVirtualSync},
    {"CheckBox24", &AppSettings::keepProtocol},         {"CheckBox25", &AppSettings::processQueue},
    {"CheckBox1", &AppSettings::allowPriceChange},      {"CheckBox2", &AppSettings::allowPriceChangeKept},
    {"CheckBox3", &AppSettings::printPluNumber},        {"CheckBox4", &AppSettings::printGroupCode},
    {"CheckBox5", &AppSettings::printPackDate},         {"CheckBox6", &AppSettings::printSellByDate},
    {"CheckBox7", &AppSettings::printLabelNumber},      {"CheckBox8", &AppSettings::printPackTime},
    {"CheckBox15", &AppSettings::enterCurrentDateTime}, {"CheckBox19", &AppSettings::minimizeInAutoMode},
    {"CheckBox17", &AppSettings::printReportTable},     {"CheckBox18", &AppSettings::printTotals},
    {"CheckBox16", &AppSettings::keepConfig},
};

std::string asStored(const std::string& text)
{
    return text;
}

struct TextLine {
    const char* control;
    std::string AppSettings::*member;
    // The text a field shows of its line. A shop line saved after a read by an older version
    // holds the scale's padding, which the field leaves out as it does after a read.
    std::string (*shown)(const std::string&) = asStored;
};

const TextLine kTextLines[] = {
    {"Edit3", &AppSettings::department},
    {"Edit4", &AppSettings::printOffset},
    {"Edit5", &AppSettings::minWeightChange},
    {"Edit1", &AppSettings::shopName1, shownShopLine},
    {"Edit2", &AppSettings::shopName2, shownShopLine},
    {"Edit33", &AppSettings::autoPeriod},
};

struct IndexLine {
    const char* control;
    int AppSettings::*member;
};

const IndexLine kIndexLines[] = {
    {"ComboBox9", &AppSettings::logoIndex},
    {"ComboBox3", &AppSettings::labelFormatIndex},
    {"ComboBox4", &AppSettings::barcodeFormatIndex},
};

struct FontLine {
    const char* grid;
    std::string AppSettings::*member;
};

const FontLine kFontLines[] = {
    {"StringGrid1", &AppSettings::productFont}, {"StringGrid2", &AppSettings::messageFont},
    {"StringGrid4", &AppSettings::configFont},  {"StringGrid5", &AppSettings::reportFont},
    {"StringGrid6", &AppSettings::testFont},
};

template <class T> T* control(TForm1& form, const char* name)
{
    return form.findChild<T*>(QString::fromLatin1(name));
}

} // namespace

void applySettings(const AppSettings& settings, TForm1& form)
{
    form.pageControl()->setCurrentIndex(settings.activeTab);
    for (const auto& line : kFontLines)
        if (auto* grid = control<StringGrid>(form, line.grid))
            grid->setFontName(text(settings.*line.member));
    for (const auto& line : kIndexLines)
        if (auto* box = control<ChooserBox>(form, line.control))
            box->selectIndex(settings.*line.member);
    for (const auto& line : kTextLines)
        if (auto* edit = control<QLineEdit>(form, line.control))
            edit->setText(text(line.shown(settings.*line.member)));
    for (const auto& line : kBoolLines)
        if (auto* box = control<QCheckBox>(form, line.control))
            box->setChecked(settings.*line.member);
    if (auto* slider = control<QSlider>(form, "TrackBar1"))
        slider->setValue(settings.logoThreshold);

    switch (settings.windowState) {
    case WindowState::Maximized:
        form.setWindowState(Qt::WindowMaximized);
        break;
    case WindowState::Minimized:
        form.setWindowState(Qt::WindowMinimized);
        break;
    case WindowState::Normal:
        form.setWindowState(Qt::WindowNoState);
        break;
    }
    form.context().state().autoMode = settings.autoMode;
    if (settings.autoMode && settings.minimizeInAutoMode)
        form.setWindowState(Qt::WindowMinimized);

    if (settings.keepConfig) {
        Table config = makeTable(configLayout());
        config.setDataRows(settings.configTable.dataRows());
        form.configTab()->grid()->tableModel()->setTable(std::move(config));
    }
}

AppSettings collectSettings(const AppSettings& base, TForm1& form)
{
    AppSettings settings = base;
    settings.activeTab = form.pageControl()->currentIndex();
    for (const auto& line : kFontLines)
        if (auto* grid = control<StringGrid>(form, line.grid))
            settings.*line.member = bytes(grid->fontName());
    for (const auto& line : kIndexLines)
        if (auto* box = control<ChooserBox>(form, line.control))
            settings.*line.member = box->currentIndex();
    for (const auto& line : kTextLines)
        if (auto* edit = control<QLineEdit>(form, line.control))
            settings.*line.member = bytes(edit->text());
    for (const auto& line : kBoolLines)
        if (auto* box = control<QCheckBox>(form, line.control))
            settings.*line.member = box->isChecked();
    if (auto* slider = control<QSlider>(form, "TrackBar1"))
        settings.logoThreshold = slider->value();

    const bool autoMode = form.context().state().autoMode;
    settings.autoMode = autoMode;
    settings.windowState = storedWindowState(form.isMaximized(), form.isMinimized(), autoMode);

    if (settings.keepConfig)
        settings.configTable = form.configTab()->grid()->snapshot();
    return settings;
}

} // namespace qm::app
