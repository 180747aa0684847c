#pragma once
// Tab "Отчеты": the sales report table `StringGrid5` (read-only), the twelve totals fields
// `Edit21`..`Edit32` and the report commands for the scale chosen in `ComboBox7`.

#include <QWidget>
#include <array>
#include <memory>
#include <string>

#include "app/ScaleTab.h"
#include "files/ReportFile.h"
#include "reports/ReportTransfer.h"

class QCheckBox;
class QLineEdit;

namespace qm
{
class TableSink;
}

namespace qm::app
{

class ReportsTab : public QWidget
{
    Q_OBJECT
  public:
    explicit ReportsTab(AppContext& context, QWidget* parent = nullptr);

    StringGrid* grid() const { return m_grid; }
    TabProgress progress() const { return m_scale.progress(); }
    // `Edit21`..`Edit32` in file order.
    QLineEdit* totalsField(int index) const { return m_totals[static_cast<size_t>(index)]; }

    // The twelve totals fields as the report file holds them (code page 1251). "По всем PLU" is
    // the scale's own figure from the general totals, or the sums of a whole read of every PLU.
    ReportTotals totals() const;
    void setTotals(const ReportTotals& totals);

    // New, open and save of the report table with its totals fields (.acc). New keeps the
    // fields as they are.
    void SpeedButton13Click();
    void SpeedButton14Click();
    void SpeedButton15Click();
    // Print preview of the report: the table and the totals lines as the two boxes say.
    void SpeedButton16Click();

    // Read the report of every PLU, of the PLU in "№ PLU", the general totals; clear the totals
    // of every PLU, of the one in "№ PLU", the grand total. Each runs on the worker.
    void SpeedButton17Click();
    void SpeedButton18Click();
    void SpeedButton19Click();
    void SpeedButton20Click();
    void SpeedButton21Click();
    void SpeedButton22Click();

  private:
    // The table read or emptied by a file command, cursor on row 1.
    void showTable(const Table& table);
    std::string numberText() const;
    // For the reads on the worker: the grid with the report's modified flag, and the save a Yes
    // to the save-first question runs.
    std::shared_ptr<TableSink> readSink();
    SaveCommand saveCommand();
    // The totals the reads deliver, into the fields.
    void showGeneralTotals(const GeneralTotals& totals);
    void showPluSums(const ShownTotals& sums);
    Outcome saveReport();

    AppContext& m_context;
    ScaleTab m_scale;   // `ComboBox7`, the command row, `ProgressBar4`, `Label68`, `Button18`
    StringGrid* m_grid; // `StringGrid5`
    std::array<QLineEdit*, 12> m_totals{};
    QLineEdit* m_pluNumber;   // `Edit37` "№ PLU"
    QCheckBox* m_printTable;  // `CheckBox17`
    QCheckBox* m_printTotals; // `CheckBox18`
};

} // namespace qm::app
