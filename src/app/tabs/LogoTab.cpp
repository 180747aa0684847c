#include "app/tabs/LogoTab.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include "app/ChooserBox.h"
#include "app/Controls.h"

namespace qm::app
{

namespace
{
constexpr int kThresholdLow = 20;
constexpr int kThresholdHigh = 220;
constexpr int kThresholdDefault = 127;
constexpr int kTickStep = 5;
} // namespace

LogoTab::LogoTab(AppContext& context, QWidget* parent) : QWidget(parent), m_scale(context, this)
{
    ChooserBox* chooser = m_scale.addChooser(1);

    auto* threshold = new QSlider(Qt::Vertical, this);
    threshold->setObjectName(QStringLiteral("TrackBar1"));
    threshold->setRange(kThresholdLow, kThresholdHigh);
    threshold->setValue(kThresholdDefault);
    threshold->setTickPosition(QSlider::TicksBothSides);
    threshold->setTickInterval(kTickStep);

    auto* left = new QVBoxLayout;
    left->addWidget(makeLabel(QStringLiteral("Выбор весов"), this));
    left->addWidget(chooser);
    left->addStretch(1);

    auto* thresholdColumn = new QVBoxLayout;
    thresholdColumn->addWidget(makeLabel(QStringLiteral("Контрастность"), this));
    thresholdColumn->addWidget(makeLabel(QStringLiteral("преобразования"), this));
    thresholdColumn->addWidget(makeLabel(QStringLiteral("цвета"), this));
    thresholdColumn->addWidget(threshold, 1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addStretch(1);
    columns->addLayout(thresholdColumn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_scale.toolbar());
    layout->addLayout(columns, 1);
}

} // namespace qm::app
