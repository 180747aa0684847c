#pragma once
// Tab "Сообщения": the message table `StringGrid2` and its commands: the check, the nine
// transfers with the scale chosen in `ComboBox10`, the file and row editing commands and the
// four range dialogs. Scale work runs on the runner's worker thread with snapshots of the
// tables; rows read come back through a GridSink.

#include <QWidget>
#include <memory>
#include <string>

#include "app/ScaleTab.h"

class QCheckBox;
class QLineEdit;

namespace qm::app
{

class CompareDialog;
class TableCommands;

class MessagesTab : public QWidget
{
    Q_OBJECT
  public:
    explicit MessagesTab(AppContext& context, QWidget* parent = nullptr);
    ~MessagesTab() override;

    StringGrid* grid() const { return m_grid; }
    TabProgress progress() const { return m_scale.progress(); }

    // New, open and save of the message list (.msg).
    void SpeedButton43Click();
    void SpeedButton44Click();
    void SpeedButton45Click();
    // Print preview of the list.
    void SpeedButton46Click();
    // "Экспорт в CSV", "Импорт из CSV".
    void exportCsv();
    void importCsv();
    // Row editing: add, copy, insert, delete a row, delete a range of rows (`TForm3`), sort by
    // number, renumber by row.
    void SpeedButton47Click();
    void SpeedButton48Click();
    void SpeedButton49Click();
    void SpeedButton50Click();
    void SpeedButton51Click();
    void SpeedButton52Click();
    void SpeedButton78Click();
    // Check of the whole table (on this thread, no scale involved).
    void SpeedButton53Click();
    // Write the whole table, the selected row, a range of rows.
    void SpeedButton54Click();
    void SpeedButton55Click();
    void SpeedButton56Click();
    // Read all messages, the one of "№ MSG", a range of numbers.
    void SpeedButton57Click();
    void SpeedButton58Click();
    void SpeedButton59Click();
    // "Сравнить с весами": the scale's messages against the table, the differences in
    // `compareDialog`.
    void compareWithScale();
    CompareDialog* compareDialog() const { return m_compare; }
    // Delete all messages, the one of "№ MSG", a range of numbers.
    void SpeedButton60Click();
    void SpeedButton61Click();
    void SpeedButton62Click();

    // The continuations of the transfer range dialogs: each runs the whole frame again.
    void SendMsgRange(int first, int last);
    void GetMsgRange(int first, int last);
    void DeleteMsgRange(int first, int last);

    TableCommands* commands() const { return m_commands; }
    // The range dialogs "Ввод параметров" of the tab (the rows to delete, `TForm3`, is
    // commands()->rangeDialog()): rows to send (`TForm8`), numbers to
    // read (`TForm9`) and to delete in the scale (`TForm10`).
    RangeDialog* form8() const { return m_form8.get(); }
    RangeDialog* form9() const { return m_form9.get(); }
    RangeDialog* form10() const { return m_form10.get(); }

  private:
    std::string numberText() const;
    void makeRangeDialogs();

    AppContext& m_context;
    ScaleTab m_scale;   // `ComboBox10`, the command row, `ProgressBar2`, `Label66`, `Button17`
    StringGrid* m_grid; // `StringGrid2`
    TableCommands* m_commands;
    QLineEdit* m_msgNumber;        // `Edit36`, "№ MSG"
    QCheckBox* m_checkBeforeWrite; // `CheckBox21`
    std::unique_ptr<RangeDialog> m_form8;
    std::unique_ptr<RangeDialog> m_form9;
    std::unique_ptr<RangeDialog> m_form10;
    CompareDialog* m_compare;
};

} // namespace qm::app
