#pragma once
// Tab "Отчеты": the sales report table `StringGrid5` (read-only), the twelve totals fields
// `Edit21`..`Edit32` and the report commands for the scale chosen in `ComboBox7`.

#include <QWidget>
#include <array>

#include "app/GuiFeedback.h"
#include "files/ReportFile.h"

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

    // The twelve totals fields as the report file holds them (code page 1251).
    ReportTotals totals() const;
    void setTotals(const ReportTotals& totals);

    // New, open and save of the report table with its totals fields (.acc). New keeps the
    // fields as they are.
    void SpeedButton13Click();
    void SpeedButton14Click();
    void SpeedButton15Click();
    void Button18Click();

  private:
    void addFileCommands();
    // The table read or emptied by a file command, cursor on row 1.
    void showTable(const Table& table);

    AppContext& m_context;
    StringGrid* m_grid; // `StringGrid5`
    QHBoxLayout* m_toolbar;
    std::array<QLineEdit*, 12> m_totals{};
    QProgressBar* m_progressBar; // `ProgressBar4`
    QLabel* m_counter;           // `Label68`
    QPushButton* m_stop;         // `Button18`
};

} // namespace qm::app
