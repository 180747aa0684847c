#include "app/tabs/SettingsTab.h"

#include <QCheckBox>
#include <QDateTime>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/ChooserBox.h"
#include "app/Controls.h"

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

} // namespace

SettingsTab::SettingsTab(AppContext& context, QWidget* parent) : QWidget(parent), m_scale(context, this)
{
    ChooserBox* chooser = m_scale.addChooser(2);

    auto* labelFormat = new ChooserBox(QStringLiteral("ComboBox3"), this);
    labelFormat->addItems(labelFormats());
    labelFormat->selectIndex(20);
    auto* barcodeFormat = new ChooserBox(QStringLiteral("ComboBox4"), this);
    barcodeFormat->addItems(barcodeFormats());
    barcodeFormat->selectIndex(4);

    QWidget* department = makeFilteredEdit(QStringLiteral("Edit3"), QStringLiteral("46"), KeyRule::Digits, this);
    QWidget* offset = makeFilteredEdit(QStringLiteral("Edit4"), QStringLiteral("10"), KeyRule::Digits, this);
    QWidget* weightChange = makeFilteredEdit(QStringLiteral("Edit5"), QStringLiteral("10"), KeyRule::Digits, this);
    for (QWidget* field :
         {department, offset, weightChange, static_cast<QWidget*>(labelFormat), static_cast<QWidget*>(barcodeFormat)})
        field->setMaximumWidth(kFieldWidth);
    labelFormat->setMinimumContentsLength(3);
    barcodeFormat->setMinimumContentsLength(3);
    auto* user = new QFormLayout;
    user->addRow(makeLabel(QStringLiteral("Номер отдела"), this), department);
    user->addRow(makeLabel(QStringLiteral("Формат этикетки"), this), labelFormat);
    user->addRow(makeLabel(QStringLiteral("Формат штрих-кода"), this), barcodeFormat);
    user->addRow(makeLabel(QStringLiteral("Сдвиг печати, мм"), this), offset);
    user->addRow(makeLabel(QStringLiteral("Мин. изменение веса для автопечати, гр."), this), weightChange);

    auto* printGroup = new QGroupBox(QStringLiteral("Особенности печати"), this);
    auto* print = new QVBoxLayout(printGroup);
    const struct {
        const char* name;
        const char* caption;
        bool checked;
    } options[] = {
        {"CheckBox1", "Разрешить изменение цены", true},
        {"CheckBox2", "Разрешить изменение цены с сохранением изменения", true},
        {"CheckBox3", "Печать номера PLU", false},
        {"CheckBox4", "Печать группового кода", true},
        {"CheckBox5", "Печать даты упаковки", true},
        {"CheckBox6", "Печать срока годности", true},
        {"CheckBox7", "Печать номера этикетки", false},
        {"CheckBox8", "Печать времени упаковки", false},
    };
    for (const auto& o : options)
        print->addWidget(
            makeCheckBox(QString::fromLatin1(o.name), QString::fromUtf8(o.caption), o.checked, printGroup));

    auto* shopGroup = new QGroupBox(QStringLiteral("Название магазина"), this);
    auto* shop = new QVBoxLayout(shopGroup);
    shop->addWidget(makeEdit(QStringLiteral("Edit1"), QStringLiteral("Спасибо"), shopGroup));
    shop->addWidget(makeEdit(QStringLiteral("Edit2"), QStringLiteral("за покупку !"), shopGroup));

    m_date = makeFilteredEdit(QStringLiteral("Edit6"), QString(), KeyRule::DigitsAndPoint, this);
    m_time = makeFilteredEdit(QStringLiteral("Edit7"), QString(), KeyRule::DigitsAndColon, this);
    m_date->setMaximumWidth(kFieldWidth);
    m_time->setMaximumWidth(kFieldWidth);
    auto* clockGroup = new QGroupBox(this);
    auto* clock = new QFormLayout(clockGroup);
    clock->addRow(makeLabel(QStringLiteral("Дата"), clockGroup), m_date);
    clock->addRow(makeLabel(QStringLiteral("Время"), clockGroup), m_time);
    clock->addRow(
        makeCheckBox(QStringLiteral("CheckBox15"), QStringLiteral("Ввести текущую дату и время"), true, clockGroup));

    auto* left = new QVBoxLayout;
    left->addWidget(makeLabel(QStringLiteral("Выбор весов"), this));
    left->addWidget(chooser);
    left->addLayout(user);
    left->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(printGroup);

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
    const QDateTime now = QDateTime::currentDateTime();
    m_date->setText(now.toString(QStringLiteral("dd.MM.yy")));
    m_time->setText(now.toString(QStringLiteral("HH:mm:ss")));
}

} // namespace qm::app
