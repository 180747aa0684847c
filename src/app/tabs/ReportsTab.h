#pragma once
// Tab "Отчеты": the sales report table `StringGrid5` (read-only), the twelve totals fields
// `Edit21`..`Edit32` and the report commands for the scale chosen in `ComboBox7`.

#include <QWidget>
#include <array>

#include "app/ScaleTab.h"
#include "files/ReportFile.h"

class QHBoxLayout;
class QLineEdit;

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
    QHBoxLayout* toolbar() const { return m_scale.toolbar(); }
    TabProgress progress() const { return m_scale.progress(); }
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

  private:
    // The table read or emptied by a file command, cursor on row 1.
    void showTable(const Table& table);

    AppContext& m_context;
    ScaleTab m_scale;   // `ComboBox7`, the command row, `ProgressBar4`, `Label68`, `Button18`
    StringGrid* m_grid; // `StringGrid5`
    std::array<QLineEdit*, 12> m_totals{};
};

} // namespace qm::app
