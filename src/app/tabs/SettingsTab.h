#pragma once
// Tab "Настройки": user settings, shop name, date and time of the scale chosen in `ComboBox2`.
// The fields are here; the read and write commands join them on the toolbar row.

#include <QWidget>

#include "app/ScaleTab.h"

class QHBoxLayout;
class QLineEdit;

namespace qm::app
{

class AppContext;

class SettingsTab : public QWidget
{
    Q_OBJECT
  public:
    explicit SettingsTab(AppContext& context, QWidget* parent = nullptr);

    QHBoxLayout* toolbar() const { return m_scale.toolbar(); }

    // `Edit6` and `Edit7` get the computer's date ("01.07.02") and time ("13:11:59").
    void fillCurrentDateTime();

  private:
    ScaleTab m_scale;  // `ComboBox2`, the command row
    QLineEdit* m_date; // `Edit6`
    QLineEdit* m_time; // `Edit7`
};

} // namespace qm::app
