#pragma once
// Tab "Установки VORTA": the factory settings of the scale chosen in `ComboBox6`, read-only.

#include <QWidget>

#include "app/ScaleTab.h"

class QHBoxLayout;

namespace qm::app
{

class AppContext;

class VortaTab : public QWidget
{
    Q_OBJECT
  public:
    explicit VortaTab(AppContext& context, QWidget* parent = nullptr);

    QHBoxLayout* toolbar() const { return m_scale.toolbar(); }

  private:
    ScaleTab m_scale; // `ComboBox6`, the command row
};

} // namespace qm::app
