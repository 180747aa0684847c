#pragma once
// Tab "Установки VORTA": the factory settings of the scale chosen in `ComboBox6`, read-only.

#include <QWidget>

class QHBoxLayout;

namespace qm::app
{

class AppContext;

class VortaTab : public QWidget
{
    Q_OBJECT
  public:
    explicit VortaTab(AppContext& context, QWidget* parent = nullptr);

    QHBoxLayout* toolbar() const { return m_toolbar; }

  private:
    QHBoxLayout* m_toolbar;
};

} // namespace qm::app
