#pragma once
// Tab "Состояние весов": the live state of the scale chosen in `ComboBox5` and its price-key
// table `StringGrid3` (54 keys, the key numbers in the fixed column 0).

#include <QWidget>

#include "app/ScaleTab.h"

class QHBoxLayout;

namespace qm::app
{

class AppContext;
class StringGrid;

class StatusTab : public QWidget
{
    Q_OBJECT
  public:
    explicit StatusTab(AppContext& context, QWidget* parent = nullptr);

    StringGrid* grid() const { return m_grid; }
    QHBoxLayout* toolbar() const { return m_scale.toolbar(); }

  private:
    ScaleTab m_scale;   // `ComboBox5`, the command row; the key loops have no stop button
    StringGrid* m_grid; // `StringGrid3`
};

} // namespace qm::app
