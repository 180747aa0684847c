#pragma once
// Tab "Тесты": link tests of the configured scales into the test table `StringGrid6`, and the
// panel that finds the number of an unknown scale on a port.

#include <QWidget>

#include "app/GuiFeedback.h"

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QToolButton;

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
    QHBoxLayout* toolbar() const { return m_toolbar; }
    TabProgress progress() const;

    // Tests the scale chosen in `ComboBox11` into row 1, on the worker thread.
    void SpeedButton80Click();
    // One empty row, cursor on its first cell.
    void SpeedButton82Click();
    void Button14Click();

  private:
    AppContext& m_context;
    StringGrid* m_grid; // `StringGrid6`
    QHBoxLayout* m_toolbar;
    ChooserBox* m_chooser;       // `ComboBox11`
    ChooserBox* m_port;          // `ComboBox12`
    ChooserBox* m_speed;         // `ComboBox13`
    QLineEdit* m_number;         // `Edit34`
    QPushButton* m_detect;       // `Button13`
    QPushButton* m_stop;         // `Button14`
    QProgressBar* m_progressBar; // `ProgressBar3`
    QLabel* m_probe;             // `Label62`
};

} // namespace qm::app
