#pragma once
// Tab "Отчеты": the sales report table `StringGrid5` (read-only), the twelve totals fields
// `Edit21`..`Edit32` and the report commands for the scale chosen in `ComboBox7`.

#include <QWidget>
#include <array>

#include "app/GuiFeedback.h"

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace qm::app
{

class AppContext;
class StringGrid;

class ReportsTab : public QWidget
{
    Q_OBJECT
  public:
    explicit ReportsTab(AppContext& context, QWidget* parent = nullptr);

    StringGrid* grid() const { return m_grid; }
    QHBoxLayout* toolbar() const { return m_toolbar; }
    TabProgress progress() const;
    // `Edit21`..`Edit32` in file order.
    QLineEdit* totalsField(int index) const { return m_totals[static_cast<size_t>(index)]; }

    void Button18Click();

  private:
    AppContext& m_context;
    StringGrid* m_grid; // `StringGrid5`
    QHBoxLayout* m_toolbar;
    std::array<QLineEdit*, 12> m_totals{};
    QProgressBar* m_progressBar; // `ProgressBar4`
    QLabel* m_counter;           // `Label68`
    QPushButton* m_stop;         // `Button18`
};

} // namespace qm::app
