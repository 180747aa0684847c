#include "app/tabs/VortaTab.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/AppContext.h"
#include "app/ChooserBox.h"
#include "app/Controls.h"

namespace qm::app
{

VortaTab::VortaTab(AppContext& context, QWidget* parent) : QWidget(parent)
{
    auto* chooser = new ChooserBox(QStringLiteral("ComboBox6"), this);
    context.choosers().add(6, chooser);

    m_toolbar = new QHBoxLayout;
    m_toolbar->setSpacing(2);
    m_toolbar->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_toolbar);
    layout->addWidget(makeLabel(QStringLiteral("Выбор весов"), this));
    layout->addWidget(chooser);
    layout->addStretch(1);
}

} // namespace qm::app
