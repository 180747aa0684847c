#pragma once
// Tab "Логотип": the 64 by 64 logo, its editor and conversion, and the logo transfer with the
// scale chosen in `ComboBox1`. For now the chooser and the conversion threshold `TrackBar1`.

#include <QWidget>

#include "app/ScaleTab.h"

class QHBoxLayout;

namespace qm::app
{

class AppContext;

class LogoTab : public QWidget
{
    Q_OBJECT
  public:
    explicit LogoTab(AppContext& context, QWidget* parent = nullptr);

    QHBoxLayout* toolbar() const { return m_scale.toolbar(); }

  private:
    ScaleTab m_scale; // `ComboBox1`, the command row
};

} // namespace qm::app
