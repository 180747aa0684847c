#include "app/tabs/VortaTab.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/AppContext.h"
#include "app/ChooserBox.h"
#include "app/Controls.h"
#include "app/FieldSink.h"
#include "settings/FactoryTransfer.h"
#include "settings/SettingsShown.h"

namespace qm::app
{

namespace
{

QLineEdit* fixedField(const char* name, QWidget* parent)
{
    // Read-only rather than disabled: the figures stay legible.
    QLineEdit* field = makeShowField(QString::fromLatin1(name), parent);
    field->setMaximumWidth(90);
    return field;
}

void showPattern(QLineEdit* field, int code)
{
    if (const auto pattern = decimalPointPattern(code))
        field->setText(QString::fromStdString(*pattern));
}

} // namespace

VortaTab::VortaTab(AppContext& context, QWidget* parent) : QWidget(parent), m_scale(context, this)
{
    ChooserBox* chooser = m_scale.addChooser(6);
    m_scale.addButtons(this, {
                                 {"Button7", "Прочитать", "Прочитать заводские установки весов",
                                  &VortaTab::Button7Click, ToolKind::Scale},
                             });

    m_capacity = fixedField("Edit12", this);
    m_weightPoint = fixedField("Edit13", this);
    m_pricePoint = fixedField("Edit14", this);
    m_totalPoint = fixedField("Edit15", this);
    m_dualRange = makeCheckBox(QStringLiteral("CheckBox14"), QStringLiteral("Двухдиапазонный режим"), false, this);
    m_dualRange->setEnabled(false);
    m_upperDivision = fixedField("Edit16", this);
    m_lowerDivision = fixedField("Edit17", this);
    m_priceWeight = fixedField("Edit18", this);
    m_rounding = fixedField("Edit19", this);
    m_tareLimit = fixedField("Edit20", this);

    auto* points = new QGroupBox(QStringLiteral("Положение десятичной точки"), this);
    auto* pointRows = new QFormLayout(points);
    pointRows->addRow(makeLabel(QStringLiteral("Вес"), points), m_weightPoint);
    pointRows->addRow(makeLabel(QStringLiteral("Цена"), points), m_pricePoint);
    pointRows->addRow(makeLabel(QStringLiteral("Стоимость"), points), m_totalPoint);

    auto* divisions = new QGroupBox(QStringLiteral("Дискретность индикации веса , гр."), this);
    auto* divisionRows = new QFormLayout(divisions);
    divisionRows->addRow(makeLabel(QStringLiteral("Верхний диапазон"), divisions), m_upperDivision);
    divisionRows->addRow(makeLabel(QStringLiteral("Нижний диапазон"), divisions), m_lowerDivision);

    auto* rows = new QFormLayout;
    rows->addRow(makeLabel(QStringLiteral("Наибольший предел взвешивания, гр."), this), m_capacity);
    rows->addRow(points);
    rows->addRow(m_dualRange);
    rows->addRow(divisions);
    rows->addRow(makeLabel(QStringLiteral("Вес в граммах, для которого\nопределяется цена"), this), m_priceWeight);
    rows->addRow(makeLabel(QStringLiteral("Округление стоимости до"), this), m_rounding);
    rows->addRow(makeLabel(QStringLiteral("Предел выборки тары, гр."), this), m_tareLimit);

    auto* left = new QVBoxLayout;
    left->addWidget(makeLabel(QStringLiteral("Выбор весов"), this));
    left->addWidget(chooser);
    left->addLayout(rows);
    left->addStretch(1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_scale.toolbar());
    layout->addLayout(columns, 1);
}

void VortaTab::showFactory(const FactorySettings& f)
{
    m_capacity->setText(QString::number(f.capacity));
    showPattern(m_weightPoint, f.weightPoint);
    showPattern(m_pricePoint, f.pricePoint);
    showPattern(m_totalPoint, f.totalPoint);
    m_dualRange->setChecked(f.dualRange);
    m_upperDivision->setText(QString::number(f.upperDivision));
    m_lowerDivision->setText(QString::number(f.lowerDivision));
    m_priceWeight->setText(QString::number(f.priceWeight));
    m_rounding->setText(QString::number(f.rounding));
    m_tareLimit->setText(QString::number(f.tareLimit));
}

void VortaTab::Button7Click()
{
    auto settings = fieldSink(m_scale.context(), this, &VortaTab::showFactory);
    m_scale.runOnScale([settings](const ScaleLink& link) { readFactory(link, *settings); });
}

} // namespace qm::app
