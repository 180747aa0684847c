#pragma once
// Tab "Авторежим": the options and period of automatic loading. The switch, the lists of loaded
// and not loaded scales and the timer join them here.

#include <QWidget>

#include "app/ScaleTab.h"

class QHBoxLayout;

namespace qm::app
{

class AppContext;

class AutoModeTab : public QWidget
{
    Q_OBJECT
  public:
    explicit AutoModeTab(AppContext& context, QWidget* parent = nullptr);

    QHBoxLayout* toolbar() const { return m_scale.toolbar(); }

    // Start-up found auto mode on in the settings file. The switch (`Button11Click`) is not
    // built yet; until it is, the flag alone is kept.
    void switchOnAtStart() {}

  private:
    // The command row; the cycle walks every configured scale, so there is no chooser.
    ScaleTab m_scale;
};

} // namespace qm::app
