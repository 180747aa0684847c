#pragma once
// Tab "Настройки": user settings, shop name, date and time of the scale chosen in `ComboBox2`.
// The fields hold the settings; nothing else keeps them. Reading fills them as the answers
// arrive, writing takes them as they stand at the click.

#include <QPointer>
#include <QWidget>
#include <array>

#include "app/ScaleTab.h"
#include "settings/SettingsTransfer.h"

class QCheckBox;
class QLineEdit;

namespace qm::app
{

class SettingsTab : public QWidget
{
    Q_OBJECT
  public:
    explicit SettingsTab(AppContext& context, QWidget* parent = nullptr);

    // `Edit6` and `Edit7` get the computer's date ("01.07.02") and time ("13:11:59").
    void fillCurrentDateTime();

    // The fields as a form, and a form put back into the fields (the options byte into the
    // eight boxes; "Ввести текущую дату и время" as the form has it).
    SettingsForm form() const;
    void setForm(const SettingsForm& form);
    void showUserSettings(const UserSettings& settings);
    void showShop(const ShopName& shop);
    void showClock(const ClockReading& reading);

    void Button3Click();    // "Прочитать"
    void Button4Click();    // "Изменить"
    void Button8Click();    // "По умолчанию"
    void CheckBox15Click(); // "Ввести текущую дату и время"

  private:
    ScaleTab m_scale; // `ComboBox2`, the command row
    QLineEdit* m_department;
    ChooserBox* m_labelFormat;
    ChooserBox* m_barcodeFormat;
    QLineEdit* m_offset;
    QLineEdit* m_minWeight;
    std::array<QCheckBox*, 8> m_options{};
    QLineEdit* m_shop1;
    QLineEdit* m_shop2;
    QLineEdit* m_date; // `Edit6`
    QLineEdit* m_time; // `Edit7`
    QCheckBox* m_currentClock;
};

} // namespace qm::app
