#pragma once
// Tab "Состояние весов": the live state of the scale chosen in `ComboBox5` and its price-key
// table `StringGrid3` (54 keys, the key numbers in the fixed column 0). The key loops run on the
// worker with the tab's progress bar and stop button; the current cell follows them key by key.

#include <QWidget>
#include <array>

#include "app/ScaleTab.h"
#include "settings/StatusCodec.h"

class QCheckBox;
class QLineEdit;

namespace qm::app
{

class StatusTab : public QWidget
{
    Q_OBJECT
  public:
    explicit StatusTab(AppContext& context, QWidget* parent = nullptr);

    StringGrid* grid() const { return m_grid; }

    void showStatus(const ScaleStatus& status);

    void Button5Click();  // "Прочитать": the state and every key
    void Button6Click();  // "Изменить": every key
    void Button12Click(); // "По умолчанию"
    void Button15Click(); // "Обнулить"

  private:
    // Column 1 of every key row gets the cell the function gives for the key.
    template <class F> void fillCells(F cellOf);

    ScaleTab m_scale;   // `ComboBox5`, the command row, the progress row
    StringGrid* m_grid; // `StringGrid3`
    std::array<QCheckBox*, 5> m_flags{};
    QLineEdit* m_weight;
    QLineEdit* m_price;
    QLineEdit* m_total;
    QLineEdit* m_product;
};

} // namespace qm::app
