#include "app/TableCommands.h"

#include <optional>
#include <utility>

#include "app/AppContext.h"
#include "app/GridSink.h"
#include "app/GuiFeedback.h"
#include "app/RangeDialog.h"
#include "app/StringGrid.h"
#include "app/UiThread.h"
#include "app/UserDialogs.h"
#include "app/WindowSave.h"
#include "common/RowSort.h"
#include "files/RowEditing.h"
#include "files/RowRange.h"

namespace qm::app
{

namespace
{

struct Cell {
    int row;
    int col;
};

// The window's feedback, except that cursor moves on the command's own table are kept until the
// changed copy of the table is shown: shown earlier they would be undone by the new table.
class CopyFeedback : public GuiFeedback
{
  public:
    CopyFeedback(AppContext& context, TableId table) : GuiFeedback(context), m_table(table) {}

    void moveCursor(TableId table, int row, int col) override
    {
        if (table == m_table)
            m_cursor = Cell{row, col};
        else
            GuiFeedback::moveCursor(table, row, col);
    }
    const std::optional<Cell>& cursor() const { return m_cursor; }

  private:
    TableId m_table;
    std::optional<Cell> m_cursor;
};

// A grid sink that also answers for the table's modified flag, so that a read asks its
// save-first question. Called from the worker: the flag is read and cleared on the window's
// thread.
class FlaggedGridSink : public GridSink
{
  public:
    FlaggedGridSink(AppContext& context, TableModel* model, bool AppState::*flag)
        : GridSink(context, model, [&context, flag] { context.state().*flag = true; }), m_context(context), m_flag(flag)
    {
    }

    bool isModified() const override
    {
        bool value = false;
        AppContext& ctx = m_context;
        callOn(&ctx, [&ctx, &value, flag = m_flag] { value = ctx.state().*flag; });
        return value;
    }
    void clearModified() override
    {
        AppContext& ctx = m_context;
        callOn(&ctx, [&ctx, flag = m_flag] { ctx.state().*flag = false; });
    }

  private:
    AppContext& m_context;
    bool AppState::*m_flag;
};

constexpr int kRowRangeKeyLimit = 4000;

} // namespace

TableCommands::TableCommands(AppContext& context, StringGrid* grid, Setup setup, QObject* parent)
    : QObject(parent), m_context(context), m_grid(grid), m_setup(std::move(setup))
{
}

TableCommands::~TableCommands() = default;

bool TableCommands::modified() const
{
    return m_context.state().*m_setup.modified;
}

void TableCommands::setModified(bool value)
{
    m_context.state().*m_setup.modified = value;
}

bool TableCommands::locked() const
{
    return !m_grid || m_grid->tableModel()->busy();
}

void TableCommands::focusGrid()
{
    if (m_grid)
        m_grid->setFocus();
}

template <class F> auto TableCommands::onCopy(F&& command)
{
    CopyFeedback feedback(m_context, m_setup.table);
    FileCommandContext files = m_context.fileContext(feedback);
    const Cell was{m_grid->currentRow(), m_grid->currentCol()};
    Table table = m_grid->snapshot();
    const Table before = table;
    auto result = command(files, table);
    if (!(table == before))
        m_grid->tableModel()->setTable(std::move(table));
    const Cell at = feedback.cursor().value_or(was);
    m_grid->setCurrentCell(at.row, at.col);
    return result;
}

Outcome TableCommands::replaceList(const ListCommand& command, bool onDoneOnly)
{
    if (locked() || !command)
        return Outcome::Cancelled;
    const Outcome outcome = onCopy([this, &command](FileCommandContext& files, Table& table) {
        return command(files, table, m_context.state().*m_setup.modified);
    });
    // Cancel at the save-first question changes nothing, the cursor included.
    if (outcome == Outcome::Done || (!onDoneOnly && outcome != Outcome::Cancelled))
        m_grid->setCurrentCell(1, 0);
    focusGrid();
    return outcome;
}

Outcome TableCommands::newList()
{
    return replaceList(m_setup.newList, true);
}

Outcome TableCommands::openList()
{
    return replaceList(m_setup.openList, false);
}

Outcome TableCommands::importCsv()
{
    // A refused file leaves the table as it was: the cursor stays where it was too.
    return replaceList(m_setup.importCsv, true);
}

Outcome TableCommands::saveList()
{
    if (!m_grid || !m_setup.saveList)
        return Outcome::Cancelled;
    GuiFeedback feedback(m_context);
    FileCommandContext files = m_context.fileContext(feedback);
    return m_setup.saveList(files, m_grid->snapshot(), m_context.state().*m_setup.modified);
}

Outcome TableCommands::exportCsv()
{
    if (!m_grid)
        return Outcome::Cancelled;
    GuiFeedback feedback(m_context);
    FileCommandContext files = m_context.fileContext(feedback);
    return qm::exportCsv(files, m_grid->snapshot());
}

void TableCommands::editRows(const RowEdit& edit)
{
    if (locked())
        return;
    const int current = m_grid->currentRow();
    if (onCopy([&edit, current](FileCommandContext& files, Table& table) { return edit(files, table, current); }))
        setModified(true);
    focusGrid();
}

void TableCommands::addRow()
{
    editRows([](FileCommandContext&, Table& table, int) { return qm::addRow(table); });
}

void TableCommands::copyRow()
{
    editRows([](FileCommandContext&, Table& table, int current) { return qm::copyRow(table, current); });
}

void TableCommands::insertRow()
{
    editRows([](FileCommandContext&, Table& table, int current) { return qm::insertRow(table, current); });
}

void TableCommands::deleteRow()
{
    editRows([](FileCommandContext&, Table& table, int current) { return qm::deleteRow(table, current); });
}

void TableCommands::sortRows()
{
    const TableId id = m_setup.table;
    editRows([id](FileCommandContext& files, Table& table, int) {
        return sortRowsByNumber(table, id, files.feedback).modified;
    });
}

void TableCommands::renumberRows()
{
    const TableId id = m_setup.table;
    editRows(
        [id](FileCommandContext& files, Table& table, int) { return qm::renumberRows(table, id, files.feedback); });
}

void TableCommands::deleteRowRange()
{
    if (locked() || m_setup.rangeDialogName.isEmpty())
        return;
    if (!m_rangeDialog) {
        RangeDialog::Setup s;
        s.name = m_setup.rangeDialogName;
        s.heading = {QStringLiteral("Введите номера строк, которые"), QStringLiteral("необходимо удалить")};
        s.firstLabel = QStringLiteral("с");
        s.lastLabel = QStringLiteral("по");
        s.keyLimit = kRowRangeKeyLimit;
        s.stayOnTop = m_setup.rangeDialogOnTop;
        s.cancelRestore = RangeDialog::Restore::Normal;
        s.focusAfter = m_grid.data();
        QPointer<TableCommands> self = this;
        const TableId id = m_setup.table;
        // The number of rows is the table's when "Применить" is pressed: it may have changed
        // while the dialog was open.
        s.check = [self, id](const std::string& first, const std::string& last) {
            if (!self || !self->m_grid)
                return RangeCheck::refuse({});
            return checkRowRange(first, last, self->m_grid->tableModel()->table().lastRow(), id);
        };
        s.run = [self, id](int first, int last) {
            if (!self || self->locked())
                return;
            self->onCopy([self, id, first, last](FileCommandContext& files, Table& table) {
                return qm::deleteRowRange(files, table, self->m_context.state().*self->m_setup.modified,
                                          NumberRange{first, last}, id);
            });
        };
        m_rangeDialog = std::make_unique<RangeDialog>(m_context, std::move(s));
    }
    setModified(true);
    m_rangeDialog->showFor(m_grid->window());
}

std::shared_ptr<TableSink> TableCommands::readSink()
{
    return std::make_shared<FlaggedGridSink>(m_context, m_grid ? m_grid->tableModel() : nullptr, m_setup.modified);
}

std::function<bool()> TableCommands::saveCommand()
{
    return saveOnWindow(m_context, this, &TableCommands::saveList);
}

} // namespace qm::app
