#include "app/tabs/SettingsTab.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/AppContext.h"
#include "app/ChooserBox.h"
#include "app/Controls.h"
#include "app/FieldSink.h"
#include "app/TableModel.h"
#include "app/UserDialogs.h"
#include "settings/SettingsTexts.h"
#include "settings/SettingsShown.h"

namespace qm::app
{

namespace
{

constexpr int kFieldWidth = 70;

QStringList labelFormats()
{
    QStringList items;
    for (int n = 1; n <= 20; ++n)
        items << QString::number(n);
    for (int n = 41; n <= 56; ++n)
        items << QString::number(n);
    items << QStringLiteral("58");
    return items;
}

QStringList barcodeFormats()
{
    QStringList items;
    for (int n = 0; n <= 8; ++n)
        items << QString::number(n);
    return items;
}

std::string bytes(const QString& text)
{
    // The fields refuse characters outside code page 1251.
    return TableModel::toCp1251(text, false).value_or(std::string());
}

} // namespace

SettingsTab::SettingsTab(AppContext& context, QWidget* parent) : QWidget(parent), m_scale(context, this)
{
    ChooserBox* chooser = m_scale.addChooser(2);
    m_scale.addButtons(this, {
                                 {"Button3", "Прочитать", "Прочитать из выбранных весов настройки пользователя",
                                  &SettingsTab::Button3Click, ToolKind::Scale},
                                 {"Button4", "Изменить", "Изменить настройки пользователя в выбранных весах",
                                  &SettingsTab::Button4Click, ToolKind::Scale},
                                 {"Button8", "По умолчанию", "Выставить настройки пользователя по умолчанию",
                                  &SettingsTab::Button8Click},
                             });

    m_labelFormat = new ChooserBox(QStringLiteral("ComboBox3"), this);
    m_labelFormat->addItems(labelFormats());
    m_labelFormat->selectIndex(20);
    m_barcodeFormat = new ChooserBox(QStringLiteral("ComboBox4"), this);
    m_barcodeFormat->addItems(barcodeFormats());
    m_barcodeFormat->selectIndex(4);

    m_department = makeFilteredEdit(QStringLiteral("Edit3"), QStringLiteral("46"), KeyRule::Digits, this);
    m_offset = makeFilteredEdit(QStringLiteral("Edit4"), QStringLiteral("10"), KeyRule::Digits, this);
    m_minWeight = makeFilteredEdit(QStringLiteral("Edit5"), QStringLiteral("10"), KeyRule::Digits, this);
    for (QWidget* field :
         {static_cast<QWidget*>(m_department), static_cast<QWidget*>(m_offset), static_cast<QWidget*>(m_minWeight),
          static_cast<QWidget*>(m_labelFormat), static_cast<QWidget*>(m_barcodeFormat)})
        field->setMaximumWidth(kFieldWidth);
    m_labelFormat->setMinimumContentsLength(3);
    m_barcodeFormat->setMinimumContentsLength(3);
    // What each format prints is told by the help, one button beside each list.
    const auto withHelp = [this](QWidget* field, const char* button) {
        auto* row = new QHBoxLayout;
        row->addWidget(field);
        row->addWidget(makeToolButton(QString::fromLatin1(button), QStringLiteral("Помощь по форматам этикеток"),
                                      ToolIcon::Help, this));
        row->addStretch(1);
        return row;
    };
    auto* user = new QFormLayout;
    user->addRow(makeLabel(QString::fromUtf8(settingstext::kDepartmentLabel), this), m_department);
    user->addRow(makeLabel(QString::fromUtf8(settingstext::kLabelFormatLabel), this),
                 withHelp(m_labelFormat, "SpeedButton11"));
    user->addRow(makeLabel(QString::fromUtf8(settingstext::kBarcodeFormatLabel), this),
                 withHelp(m_barcodeFormat, "SpeedButton12"));
    user->addRow(makeLabel(QString::fromUtf8(settingstext::kOffsetLabel), this), m_offset);
    user->addRow(makeLabel(QString::fromUtf8(settingstext::kMinWeightLabel), this), m_minWeight);

    auto* printGroup = new QGroupBox(QStringLiteral("Особенности печати"), this);
    auto* print = new QVBoxLayout(printGroup);
    const struct {
        const char* caption;
        bool checked;
    } options[] = {
        {"Разрешить изменение цены", true}, {"Разрешить изменение цены с сохранением изменения", true},
        {"Печать номера PLU", false},       {"Печать группового кода", true},
        {"Печать даты упаковки", true},     {"Печать срока годности", true},
        {"Печать номера этикетки", false},  {"Печать времени упаковки", false},
    };
    for (std::size_t bit = 0; bit < m_options.size(); ++bit) {
        m_options[bit] = makeCheckBox(QStringLiteral("CheckBox%1").arg(bit + 1),
                                      QString::fromUtf8(options[bit].caption), options[bit].checked, printGroup);
        print->addWidget(m_options[bit]);
    }

    auto* shopGroup = new QGroupBox(QStringLiteral("Название магазина"), this);
    auto* shop = new QVBoxLayout(shopGroup);
    m_shop1 = makeEdit(QStringLiteral("Edit1"), QStringLiteral("Спасибо"), shopGroup);
    m_shop2 = makeEdit(QStringLiteral("Edit2"), QStringLiteral("за покупку !"), shopGroup);
    // A line holds what the scale prints: 28 characters, typed ones and pasted ones alike.
    for (QLineEdit* line : {m_shop1, m_shop2}) {
        line->setMaxLength(kShopLineWidth);
        shop->addWidget(line);
    }

    m_date = makeFilteredEdit(QStringLiteral("Edit6"), QString(), KeyRule::DigitsAndPoint, this);
    m_time = makeFilteredEdit(QStringLiteral("Edit7"), QString(), KeyRule::DigitsAndColon, this);
    m_date->setMaximumWidth(kFieldWidth);
    m_time->setMaximumWidth(kFieldWidth);
    auto* clockGroup = new QGroupBox(this);
    auto* clock = new QFormLayout(clockGroup);
    clock->addRow(makeLabel(QStringLiteral("Дата"), clockGroup), m_date);
    clock->addRow(makeLabel(QStringLiteral("Время"), clockGroup), m_time);
    m_currentClock =
        makeCheckBox(QStringLiteral("CheckBox15"), QStringLiteral("Ввести текущую дату и время"), true, clockGroup);
    clock->addRow(m_currentClock);
    // Set from the settings file as well as by a click: the fields follow the box either way.
    connect(m_currentClock, &QCheckBox::toggled, this, [this] { CheckBox15Click(); });
    CheckBox15Click();

    auto* left = new QVBoxLayout;
    left->addWidget(makeLabel(QStringLiteral("Выбор весов"), this));
    left->addWidget(chooser);
    left->addLayout(user);
    left->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(printGroup);
    top->addStretch(1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(shopGroup, 1);
    bottom->addWidget(clockGroup);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_scale.toolbar());
    layout->addLayout(top);
    layout->addLayout(bottom);
    layout->addStretch(1);
}

void SettingsTab::fillCurrentDateTime()
{
    showClock(clockNow());
}

SettingsForm SettingsTab::form() const
{
    SettingsForm f;
    f.department = bytes(m_department->text());
    f.labelFormat = bytes(m_labelFormat->text());
    f.barcodeFormat = bytes(m_barcodeFormat->text());
    f.printOffset = bytes(m_offset->text());
    f.minWeight = bytes(m_minWeight->text());
    for (std::size_t bit = 0; bit < m_options.size(); ++bit)
        if (m_options[bit]->isChecked())
            f.options |= 1 << bit;
    f.shop1 = bytes(m_shop1->text());
    f.shop2 = bytes(m_shop2->text());
    f.date = bytes(m_date->text());
    f.time = bytes(m_time->text());
    f.currentClock = m_currentClock->isChecked();
    return f;
}

void SettingsTab::setForm(const SettingsForm& f)
{
    m_department->setText(TableModel::toQString(f.department));
    m_labelFormat->setText(TableModel::toQString(f.labelFormat));
    m_barcodeFormat->setText(TableModel::toQString(f.barcodeFormat));
    m_offset->setText(TableModel::toQString(f.printOffset));
    m_minWeight->setText(TableModel::toQString(f.minWeight));
    for (std::size_t bit = 0; bit < m_options.size(); ++bit)
        m_options[bit]->setChecked(f.options & (1 << bit));
    m_shop1->setText(TableModel::toQString(shownShopLine(f.shop1)));
    m_shop2->setText(TableModel::toQString(shownShopLine(f.shop2)));
    m_date->setText(TableModel::toQString(f.date));
    m_time->setText(TableModel::toQString(f.time));
    m_currentClock->setChecked(f.currentClock);
}

void SettingsTab::showUserSettings(const UserSettings& s)
{
    setForm(withUserSettings(form(), s));
}

void SettingsTab::showShop(const ShopName& shop)
{
    // Without the scale's padding, so that text typed at the end lands after the last letter.
    m_shop1->setText(TableModel::toQString(shownShopLine(shop.line1)));
    m_shop2->setText(TableModel::toQString(shownShopLine(shop.line2)));
}

void SettingsTab::showClock(const ClockReading& reading)
{
    m_date->setText(QString::fromStdString(formatScaleDate(reading.date)));
    m_time->setText(QString::fromStdString(formatScaleTime(reading.time)));
}

void SettingsTab::Button3Click()
{
    auto settings = fieldSink(m_scale.context(), this, &SettingsTab::showUserSettings);
    auto shop = fieldSink(m_scale.context(), this, &SettingsTab::showShop);
    m_scale.runOnScale([settings, shop](const ScaleLink& link) { readUserSettings(link, *settings, *shop); });
}

void SettingsTab::Button4Click()
{
    auto clock = fieldSink(m_scale.context(), this, &SettingsTab::showClock);
    m_scale.runOnScale([clock, f = form()](const ScaleLink& link) { writeUserSettings(link, f, *clock); });
}

void SettingsTab::Button8Click()
{
    if (m_scale.context().dialogs().ask(settingstext::kAskUser, Buttons::YesNo) != Answer::Yes)
        return;
    setForm(withDefaults(form(), clockNow()));
}

void SettingsTab::CheckBox15Click()
{
    const bool typed = !m_currentClock->isChecked();
    m_date->setEnabled(typed);
    m_time->setEnabled(typed);
}

} // namespace qm::app
