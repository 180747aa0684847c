#pragma once
// The file and row-editing commands of a tab whose grid is kept in files (products, messages,
// configuration), wired once for all of them. The tab keeps its handlers named after its buttons
// and lets each call one command here:
//
//     TableCommands::Setup s;
//     s.table = TableId::Messages;
//     s.modified = &AppState::messagesModified;
//     s.newList = qm::newMessageList;
//     s.openList = qm::openMessageList;
//     s.saveList = qm::saveMessageList;
//     s.importCsv = [](FileCommandContext& f, Table& t, bool& m) { return importMessageCsv(f, t, m, check); };
//     s.rangeDialogName = "Form3";        // the "Удалить диапазон строк таблицы" dialog, if any
//     m_commands = new TableCommands(context, m_grid, s, this);
//     void MessagesTab::SpeedButton47Click() { m_commands->addRow(); }
//
// Every command runs on the user-interface thread and works on a snapshot of the grid: the
// domain function (files/FileCommands.h, RowEditing.h, RowSort.h, NumberRange.h) changes the copy,
// which then replaces the grid's table. The cursor stays where it was unless the command puts
// it elsewhere (new and open: row 1; a sort that fails: the bad row). Boxes and file dialogs go
// through the window's UserDialogs.
//
// While an operation works on the grid's table (TableModel::busy) every command that changes it
// does nothing; its buttons are disabled meanwhile (ToolKind::Edit).
//
// For the reads of a scale operation on the worker thread, readSink() hands rows to the grid and
// reads and clears the table's modified flag, and saveCommand() is the save that a Yes to the
// save-first question runs: both may be called from the worker.

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

#include "app/AppState.h"
#include "files/FileCommands.h"

namespace qm
{
class TableSink;
}

namespace qm::app
{

class AppContext;
class RangeDialog;
class StringGrid;

class TableCommands : public QObject
{
    Q_OBJECT
  public:
    using ListCommand = std::function<Outcome(FileCommandContext&, Table&, bool&)>;
    using SaveListCommand = std::function<Outcome(FileCommandContext&, const Table&, bool&)>;

    struct Setup {
        TableId table = TableId::Products;
        bool AppState::*modified = nullptr; // the table's flag in the shared state
        ListCommand newList;
        ListCommand openList;
        SaveListCommand saveList;
        ListCommand importCsv; // "Импорт из CSV"; export needs nothing of the table's own
        // The row-range delete dialog (`Form2` products, `Form3` messages); empty: none.
        QString rangeDialogName;
        bool rangeDialogOnTop = false;
    };

    TableCommands(AppContext& context, StringGrid* grid, Setup setup, QObject* parent = nullptr);
    ~TableCommands() override;

    // New list, open list, save list. New and open end with the cursor on row 1 and the focus on
    // the grid.
    Outcome newList();
    Outcome openList();
    Outcome saveList();
    // "Экспорт в CSV" and "Импорт из CSV"; import ends as open does, on row 1 of the new table.
    Outcome exportCsv();
    Outcome importCsv();

    // Row editing: each sets the modified flag and focuses the grid.
    void addRow();
    void copyRow();
    void insertRow();
    void deleteRow();
    void sortRows();
    void renumberRows(); // asks first (products and messages)

    // Shows the row-range dialog, minimises the window and sets the flag at once. On
    // "Применить" the range is removed, or the whole table makes way for a new list.
    void deleteRowRange();
    RangeDialog* rangeDialog() const { return m_rangeDialog.get(); }

    // For operations on the worker thread (see above).
    std::shared_ptr<TableSink> readSink();
    std::function<bool()> saveCommand(); // true when the table was saved

    bool modified() const;
    void setModified(bool value);

  private:
    // Runs a domain command on a copy of the table, then shows the copy.
    template <class F> auto onCopy(F&& command);
    // New, open and import: the command replaces the table; the cursor goes to row 1 unless the
    // command was cancelled (or, with `onDoneOnly`, unless it failed too).
    Outcome replaceList(const ListCommand& command, bool onDoneOnly);
    // A row edit on a copy of the table: `edit` gets the cursor's row and says whether it changed
    // the table, which sets the flag; the grid gets the focus back.
    using RowEdit = std::function<bool(FileCommandContext& files, Table& table, int current)>;
    void editRows(const RowEdit& edit);
    void focusGrid();
    // No grid, or its table busy: the commands that change the table do nothing.
    bool locked() const;

    AppContext& m_context;
    QPointer<StringGrid> m_grid;
    Setup m_setup;
    std::unique_ptr<RangeDialog> m_rangeDialog;
};

} // namespace qm::app
