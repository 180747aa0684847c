#pragma once
// Tab "Установки VORTA": the factory settings of the scale chosen in `ComboBox6`, read-only.
// A failed read leaves every field as it was.

#include <QWidget>

#include "app/ScaleTab.h"
#include "settings/FactoryCodec.h"

class QCheckBox;
class QLineEdit;

namespace qm::app
{

class VortaTab : public QWidget
{
    Q_OBJECT
  public:
    explicit VortaTab(AppContext& context, QWidget* parent = nullptr);

    // A decimal point code of 6 or more leaves its field as it was.
    void showFactory(const FactorySettings& settings);

    void Button7Click(); // "Прочитать"

  private:
    ScaleTab m_scale; // `ComboBox6`, the command row
    QLineEdit* m_capacity;
    QLineEdit* m_weightPoint;
    QLineEdit* m_pricePoint;
    QLineEdit* m_totalPoint;
    QCheckBox* m_dualRange;
    QLineEdit* m_upperDivision;
    QLineEdit* m_lowerDivision;
    QLineEdit* m_priceWeight;
    QLineEdit* m_rounding;
    QLineEdit* m_tareLimit;
};

} // namespace qm::app
