#include "app/tabs/AutoModeTab.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/Controls.h"

namespace qm::app
{

AutoModeTab::AutoModeTab(AppContext& context, QWidget* parent) : QWidget(parent), m_scale(context, this)
{
    QLineEdit* period = makeFilteredEdit(QStringLiteral("Edit33"), QStringLiteral("60"), KeyRule::Digits, this);
    period->setMaximumWidth(80);
    auto* periodRow = new QFormLayout;
    periodRow->addRow(makeLabel(QStringLiteral("Период опроса, сек"), this), period);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_scale.toolbar());
    layout->addLayout(periodRow);
    layout->addWidget(makeCheckBox(QStringLiteral("CheckBox19"),
                                   QStringLiteral("Минимизировать приложение после запуска авторежима"), true, this));
    layout->addWidget(makeCheckBox(QStringLiteral("CheckBox23"),
                                   QStringLiteral("Использовать механизм виртуальной синхронизации"), false, this));
    layout->addWidget(
        makeCheckBox(QStringLiteral("CheckBox24"), QStringLiteral("Вести протокол загрузки"), true, this));
    layout->addWidget(
        makeCheckBox(QStringLiteral("CheckBox25"), QStringLiteral("Обрабатывать очередь файлов загрузки"), true, this));
    layout->addStretch(1);
}

} // namespace qm::app
