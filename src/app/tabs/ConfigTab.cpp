#include "app/tabs/ConfigTab.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/AppContext.h"
#include "app/Controls.h"
#include "app/GuiFeedback.h"
#include "app/StringGrid.h"
#include "config/ConfigTable.h"

namespace qm::app
{

ConfigTab::ConfigTab(AppContext& context, QWidget* parent) : QWidget(parent), m_context(context)
{
    m_grid = new StringGrid(QStringLiteral("StringGrid4"), configLayout(), makeTable(configLayout()), this);
    m_grid->tableModel()->setOnEdited([&context] { context.state().configModified = true; });
    context.addGrid(TableId::Config, m_grid);

    QToolButton* check = makeToolButton(QStringLiteral("SpeedButton74"),
                                        QStringLiteral("Проверка правильности заполнения таблицы конфигурации"),
                                        QStringLiteral("✔"), this);
    connect(check, &QToolButton::clicked, this, &ConfigTab::SpeedButton74Click);
    QToolButton* apply = makeToolButton(QStringLiteral("SpeedButton85"),
                                        QStringLiteral("Применить изменения конфигурации"), QStringLiteral("⟳"), this);
    connect(apply, &QToolButton::clicked, this, &ConfigTab::SpeedButton85Click);

    m_toolbar = new QHBoxLayout;
    m_toolbar->setSpacing(2);
    m_toolbar->addWidget(check);
    m_toolbar->addWidget(apply);
    m_toolbar->addWidget(
        makeFontButton(QStringLiteral("SpeedButton75"), QStringLiteral("Выбор шрифта таблицы"), m_grid, context, this));
    m_toolbar->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_toolbar);
    layout->addWidget(m_grid, 1);
    layout->addWidget(makeCheckBox(QStringLiteral("CheckBox16"),
                                   QStringLiteral("Сохранять текущую конфигурацию при выходе из программы"), true,
                                   this));
}

void ConfigTab::SpeedButton74Click()
{
    GuiFeedback feedback(m_context);
    checkConfigTable(m_grid->snapshot(), feedback);
}

void ConfigTab::SpeedButton85Click()
{
    m_context.choosers().apply(scaleNames(m_grid->snapshot()));
}

} // namespace qm::app
