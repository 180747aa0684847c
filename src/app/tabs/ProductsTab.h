#pragma once
// Tab "Товары": the product table `StringGrid1` and its commands: file and row editing (through
// TableCommands), the check, and the eleven transfers with the scale chosen in `ComboBox8`.
// Transfers run on the runner's worker thread with snapshots of the tables; rows read come back
// through a grid sink. The three range transfers run their frame first, then show their
// "Ввод параметров" dialog (`Form4` send rows, `Form5` read, `Form6` delete); "Применить" runs
// the range operation, which goes through the whole frame again.

#include <QWidget>
#include <memory>

#include "app/ScaleTab.h"
#include "products/ProductTransfer.h"

class QCheckBox;
class QLineEdit;

namespace qm
{
enum class ProductRangeKind; // products/ProductRanges.h
}

namespace qm::app
{

class CompareDialog;
class TableCommands;

class ProductsTab : public QWidget
{
    Q_OBJECT
  public:
    explicit ProductsTab(AppContext& context, QWidget* parent = nullptr);
    ~ProductsTab() override;

    StringGrid* grid() const { return m_grid; }
    TabProgress progress() const { return m_scale.progress(); }
    // `ComboBox9`: the logo of rows read from a .plu file, also those of auto mode's loads.
    ChooserBox* logoChooser() const { return m_logoChooser; }
    TableCommands* commands() const { return m_commands; }

    // The range dialogs: `Form2` rows to delete from the table, `Form4` rows to send, `Form5`
    // PLU numbers to read, `Form6` PLU numbers to delete in the scale.
    RangeDialog* rowDeleteDialog() const;
    RangeDialog* sendRangeDialog() const { return m_sendRange.get(); }
    RangeDialog* readRangeDialog() const { return m_readRange.get(); }
    RangeDialog* deleteRangeDialog() const { return m_deleteRange.get(); }

    // New, open and save the product list.
    void SpeedButton8Click();
    void SpeedButton9Click();
    void SpeedButton10Click();
    // Print preview of the table.
    void SpeedButton24Click();
    // "Экспорт в CSV", "Импорт из CSV".
    void exportCsv();
    void importCsv();
    // Row editing: add, copy, insert, delete, sort, delete a range, renumber.
    void SpeedButton25Click();
    void SpeedButton26Click();
    void SpeedButton27Click();
    void SpeedButton28Click();
    void SpeedButton29Click();
    void SpeedButton30Click();
    void SpeedButton77Click();
    // Check of the whole table (on this thread, no scale involved).
    void SpeedButton36Click();
    // Send the table, the current row, a range of rows.
    void SpeedButton31Click();
    void SpeedButton32Click();
    void SpeedButton33Click();
    // Read all, the PLU of `Edit35`, a range.
    void SpeedButton34Click();
    void SpeedButton35Click();
    void SpeedButton37Click();
    // "Сравнить с весами": the scale's cells against the table, the differences in `compareDialog`.
    void compareWithScale();
    CompareDialog* compareDialog() const { return m_compare; }
    // Delete all, the PLU of `Edit35`, a range.
    void SpeedButton38Click();
    void SpeedButton39Click();
    void SpeedButton40Click();
    // Cancel the virtual range in the scale.
    void SpeedButton89Click();

    // The continuations of the range dialogs.
    void SendPluRange(int first, int last);
    void GetPluRange(int first, int last);
    void DeletePluRange(int first, int last);

  private:
    // The frame alone; when it passes, `dialog` is shown and the window minimised.
    void openRangeDialog(const char* noScaleMessage, RangeDialog* dialog);
    std::unique_ptr<RangeDialog> makeRangeDialog(const QString& name, const QStringList& heading, ProductRangeKind kind,
                                                 void (ProductsTab::*run)(int, int));
    std::string pluText() const;

    AppContext& m_context;
    ScaleTab m_scale;   // `ComboBox8`, the command row, `ProgressBar1`, `Label65`, `Button16`
    StringGrid* m_grid; // `StringGrid1`
    TableCommands* m_commands;
    QLineEdit* m_pluNumber;        // `Edit35`, "№ PLU"
    ChooserBox* m_logoChooser;     // `ComboBox9`, logo of rows read from a .plu file
    QCheckBox* m_checkBeforeWrite; // `CheckBox20`
    QCheckBox* m_virtualSync;      // `CheckBox22`
    std::unique_ptr<RangeDialog> m_sendRange;
    std::unique_ptr<RangeDialog> m_readRange;
    std::unique_ptr<RangeDialog> m_deleteRange;
    CompareDialog* m_compare;
};

} // namespace qm::app
