#pragma once
// Tab "Авторежим": the options and period of automatic loading. The switch, the lists of loaded
// and not loaded scales and the timer join them here.

#include <QWidget>

class QHBoxLayout;

namespace qm::app
{

class AppContext;

class AutoModeTab : public QWidget
{
    Q_OBJECT
  public:
    explicit AutoModeTab(AppContext& context, QWidget* parent = nullptr);

    QHBoxLayout* toolbar() const { return m_toolbar; }

    // Start-up found auto mode on in the settings file. The switch (`Button11Click`) is not
    // built yet; until it is, the flag alone is kept.
    void switchOnAtStart() {}

  private:
    QHBoxLayout* m_toolbar;
};

} // namespace qm::app
