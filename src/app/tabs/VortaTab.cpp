#include "app/tabs/VortaTab.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/ChooserBox.h"
#include "app/Controls.h"

namespace qm::app
{

VortaTab::VortaTab(AppContext& context, QWidget* parent) : QWidget(parent), m_scale(context, this)
{
    ChooserBox* chooser = m_scale.addChooser(6);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_scale.toolbar());
    layout->addWidget(makeLabel(QStringLiteral("Выбор весов"), this));
    layout->addWidget(chooser);
    layout->addStretch(1);
}

} // namespace qm::app
