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

StatusTab::StatusTab(AppContext& context, QWidget* parent) : QWidget(parent), m_scale(context, this)
{
    m_grid = new StringGrid(QStringLiteral("StringGrid3"), priceKeyLayout(), makePriceKeyTable(), this);
    context.addGrid(TableId::PriceKeys, m_grid);
    ChooserBox* chooser = m_scale.addChooser(5);

    auto* left = new QVBoxLayout;
    left->addWidget(makeLabel(QStringLiteral("Выбор весов"), this));
    left->addWidget(chooser);
    left->addStretch(1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addWidget(m_grid, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_scale.toolbar());
    layout->addLayout(columns, 1);
}

} // namespace qm::app
