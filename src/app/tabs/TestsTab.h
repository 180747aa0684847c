#pragma once
// Tab "Тесты": link tests of the configured scales into the test table `StringGrid6`, and the
// panel that finds the number of an unknown scale on a port.

#include <QWidget>

#include "app/ScaleTab.h"

class QHBoxLayout;
class QLineEdit;
class QPushButton;

namespace qm::app
{

class AppContext;
class ChooserBox;
class StringGrid;

class TestsTab : public QWidget
{
    Q_OBJECT
  public:
    explicit TestsTab(AppContext& context, QWidget* parent = nullptr);

    StringGrid* grid() const { return m_grid; }
    QHBoxLayout* toolbar() const { return m_scale.toolbar(); }
    TabProgress progress() const { return m_scale.progress(); }

    // Tests the scale chosen in `ComboBox11` into row 1, on the worker thread.
    void SpeedButton80Click();
    // One empty row, cursor on its first cell.
    void SpeedButton82Click();

  private:
    AppContext& m_context;
    // `ComboBox11`, the command row; the progress of the number detection: `ProgressBar3`,
    // `Label62` and the stop button `Button14`, disabled rather than hidden when idle.
    ScaleTab m_scale;
    StringGrid* m_grid;    // `StringGrid6`
    ChooserBox* m_port;    // `ComboBox12`
    ChooserBox* m_speed;   // `ComboBox13`
    QLineEdit* m_number;   // `Edit34`
    QPushButton* m_detect; // `Button13`
};

} // namespace qm::app
