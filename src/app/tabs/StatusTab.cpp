#include "app/tabs/StatusTab.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/AppContext.h"
#include "app/ChooserBox.h"
#include "app/Controls.h"
#include "app/StringGrid.h"

namespace qm::app
{

StatusTab::StatusTab(AppContext& context, QWidget* parent) : QWidget(parent)
{
    m_grid = new StringGrid(QStringLiteral("StringGrid3"), priceKeyLayout(), makePriceKeyTable(), this);
    context.addGrid(TableId::PriceKeys, m_grid);
    auto* chooser = new ChooserBox(QStringLiteral("ComboBox5"), this);
    context.choosers().add(5, chooser);

    m_toolbar = new QHBoxLayout;
    m_toolbar->setSpacing(2);
    m_toolbar->addStretch(1);

    auto* left = new QVBoxLayout;
    left->addWidget(makeLabel(QStringLiteral("Выбор весов"), this));
    left->addWidget(chooser);
    left->addStretch(1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addWidget(m_grid, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_toolbar);
    layout->addLayout(columns, 1);
}

} // namespace qm::app
