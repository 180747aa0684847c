#include "app/tabs/MessagesTab.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/AppContext.h"
#include "app/ChooserBox.h"
#include "app/CompareDialog.h"
#include "app/Controls.h"
#include "app/PrintPreview.h"
#include "app/RangeDialog.h"
#include "app/StringGrid.h"
#include "app/TableCommands.h"
#include "app/UiThread.h"
#include "common/IntText.h"
#include "messages/MessageCheck.h"
#include "messages/MessageRanges.h"
#include "messages/MessageTexts.h"
#include "messages/MessageTransfer.h"

namespace qm::app
{

namespace
{

// After a failed read or delete of one message, from the worker: a wrong "№ MSG" gets the focus.
void focusNumberIfWrong(AppContext& context, const QPointer<QLineEdit>& field, const std::string& text)
{
    const auto n = intText(text);
    if (n && *n >= 1 && *n <= kMaxMessageNumber)
        return;
    postTo(&context, [field] {
        if (field)
            field->setFocus();
    });
}

} // namespace

MessagesTab::MessagesTab(AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_scale(context, this)
{
    m_grid = new StringGrid(QStringLiteral("StringGrid2"), messageLayout(), makeTable(messageLayout()), this);
    m_grid->tableModel()->setOnEdited([&context] { context.state().messagesModified = true; });
    context.addGrid(TableId::Messages, m_grid);

    TableCommands::Setup files;
    files.table = TableId::Messages;
    files.modified = &AppState::messagesModified;
    files.newList = newMessageList;
    files.openList = openMessageList;
    files.saveList = saveMessageList;
    files.importCsv = [](FileCommandContext& f, Table& table, bool& modified) {
        return importMessageCsv(f, table, modified, messageRowFailure);
    };
    files.rangeDialogName = QStringLiteral("Form3");
    m_commands = new TableCommands(context, m_grid, files, this);

    using Row = ToolRow<MessagesTab>;
    constexpr ToolKind scale = ToolKind::Scale;
    constexpr ToolKind edit = ToolKind::Edit;
    m_scale.useTable(m_grid);
    m_scale.addCommands(
        this,
        {
            {"SpeedButton43", "Новый список сообщений", ToolIcon::New, &MessagesTab::SpeedButton43Click, edit},
            {"SpeedButton44", "Открыть список сообщений", ToolIcon::Open, &MessagesTab::SpeedButton44Click, edit},
            {"SpeedButton45", "Сохранить список сообщений", ToolIcon::Save, &MessagesTab::SpeedButton45Click},
            {"SpeedButton46", "Печать списка сообщений", ToolIcon::Print, &MessagesTab::SpeedButton46Click},
            {"SpeedButton102", "Экспорт в CSV", ToolIcon::ExportCsv, &MessagesTab::exportCsv},
            {"SpeedButton103", "Импорт из CSV", ToolIcon::ImportCsv, &MessagesTab::importCsv, edit},
            Row::gap(),
            {"SpeedButton47", "Добавить строку таблицы", ToolIcon::RowAdd, &MessagesTab::SpeedButton47Click, edit},
            {"SpeedButton48", "Копировать строку таблицы", ToolIcon::RowCopy, &MessagesTab::SpeedButton48Click, edit},
            {"SpeedButton49", "Вставить строку в таблицу", ToolIcon::RowInsert, &MessagesTab::SpeedButton49Click, edit},
            {"SpeedButton50", "Удалить строку таблицы", ToolIcon::RowDelete, &MessagesTab::SpeedButton50Click, edit},
            {"SpeedButton51", "Удалить диапазон строк таблицы", ToolIcon::RowsDeleteRange,
             &MessagesTab::SpeedButton51Click, edit},
            {"SpeedButton52", "Сортировать строки таблицы по номеру MSG", ToolIcon::RowSort,
             &MessagesTab::SpeedButton52Click, edit},
            {"SpeedButton78", "Пронумеровать номера MSG по номеру строки", ToolIcon::Renumber,
             &MessagesTab::SpeedButton78Click, edit},
            Row::gap(),
            {"SpeedButton53", "Проверить правильность заполнения таблицы", ToolIcon::Check,
             &MessagesTab::SpeedButton53Click},
            Row::gap(),
            {"SpeedButton54", "Загрузить таблицу сообщений в весы", ToolIcon::SendAll, &MessagesTab::SpeedButton54Click,
             scale},
            {"SpeedButton55", "Загрузить выбранное сообщение в весы", ToolIcon::SendOne,
             &MessagesTab::SpeedButton55Click, scale},
            {"SpeedButton56", "Загрузить диапазон строк в весы", ToolIcon::SendRange, &MessagesTab::SpeedButton56Click,
             scale},
            {"SpeedButton57", "Прочитать из весов таблицу сообщений", ToolIcon::ReadAll,
             &MessagesTab::SpeedButton57Click, scale},
            {"SpeedButton58", "Прочитать из весов выбранное сообщение", ToolIcon::ReadOne,
             &MessagesTab::SpeedButton58Click, scale},
            {"SpeedButton59", "Прочитать из весов выбранный диапазон сообщений", ToolIcon::ReadRange,
             &MessagesTab::SpeedButton59Click, scale},
            {"SpeedButton111", "Сравнить с весами", ToolIcon::Compare, &MessagesTab::compareWithScale, scale},
            {"SpeedButton61", "Удалить из весов выбранное сообщение", ToolIcon::DeleteOne,
             &MessagesTab::SpeedButton61Click, scale},
            {"SpeedButton60", "Удалить из весов таблицу сообщений", ToolIcon::DeleteAll,
             &MessagesTab::SpeedButton60Click, scale},
            {"SpeedButton62", "Удалить из весов диапазон сообщений", ToolIcon::DeleteRange,
             &MessagesTab::SpeedButton62Click, scale},
            Row::gap(),
        });
    m_scale.addFontButton("SpeedButton63", "Выбор шрифта таблицы сообщений", m_grid);
    m_scale.addHelpButton("SpeedButton64");

    ChooserBox* chooser = m_scale.addChooser(10);
    m_msgNumber = makeFilteredEdit(QStringLiteral("Edit36"), QStringLiteral("1"), KeyRule::Digits, this);
    m_msgNumber->setMaximumWidth(60);
    m_checkBeforeWrite =
        makeCheckBox(QStringLiteral("CheckBox21"), QStringLiteral("Протестировать данные перед записью"), true, this);

    QHBoxLayout* progressRow =
        m_scale.addProgressRow(QStringLiteral("ProgressBar2"), QStringLiteral("Label66"), QStringLiteral("Button17"));

    auto* options = new QGridLayout;
    options->addWidget(makeLabel(QStringLiteral("Выбор весов"), this), 0, 0);
    options->addWidget(chooser, 1, 0);
    options->addWidget(makeLabel(QStringLiteral("№ MSG"), this), 0, 1);
    options->addWidget(m_msgNumber, 1, 1);
    options->addWidget(m_checkBeforeWrite, 1, 2);
    options->setColumnStretch(3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_scale.toolbar());
    layout->addLayout(options);
    layout->addWidget(m_grid, 1);
    layout->addLayout(progressRow);

    makeRangeDialogs();
    m_compare = new CompareDialog(QStringLiteral("FormCompareMessages"), m_grid, this);
}

MessagesTab::~MessagesTab() = default;

void MessagesTab::makeRangeDialogs()
{
    RangeDialog::Setup send;
    send.name = QStringLiteral("Form8");
    send.heading =
        QStringList{QStringLiteral("Введите номера строк таблицы MSG"), QStringLiteral("для загрузки весов")};
    send.firstLabel = QStringLiteral("с");
    send.lastLabel = QStringLiteral("по");
    send.keyLimit = kMsgRangeKeyLimit;
    send.check = [grid = QPointer<StringGrid>(m_grid)](const std::string& first, const std::string& last) {
        const int dataRows = grid ? grid->tableModel()->table().rowCount() - 1 : 0;
        return checkRange(messageRange(MessageRangeKind::RowsToSend), first, last, dataRows);
    };
    send.focusAfter = m_grid;
    m_form8 = m_scale.makeRangeDialog(this, std::move(send), &MessagesTab::SendMsgRange);

    RangeDialog::Setup read;
    read.name = QStringLiteral("Form9");
    read.heading = QStringList{QStringLiteral("Введите номера строк MSG"), QStringLiteral("для чтения из весов")};
    read.firstText = QStringLiteral("1");
    read.lastText = QStringLiteral("1000");
    read.keyLimit = kMsgRangeKeyLimit;
    read.check = [](const std::string& first, const std::string& last) {
        return checkRange(messageRange(MessageRangeKind::NumbersToRead), first, last);
    };
    read.focusAfter = m_grid;
    m_form9 = m_scale.makeRangeDialog(this, std::move(read), &MessagesTab::GetMsgRange);

    // Deleting in the scale leaves the focus where it is.
    RangeDialog::Setup erase;
    erase.name = QStringLiteral("Form10");
    erase.heading = QStringList{QStringLiteral("Введите номера сообщений"), QStringLiteral("для удаления")};
    erase.firstText = QStringLiteral("1");
    erase.lastText = QStringLiteral("1000");
    erase.keyLimit = kMsgRangeKeyLimit;
    erase.check = [](const std::string& first, const std::string& last) {
        return checkRange(messageRange(MessageRangeKind::NumbersToDelete), first, last);
    };
    m_form10 = m_scale.makeRangeDialog(this, std::move(erase), &MessagesTab::DeleteMsgRange);
}

void MessagesTab::SpeedButton43Click()
{
    m_commands->newList();
}

void MessagesTab::SpeedButton44Click()
{
    m_commands->openList();
}

void MessagesTab::SpeedButton45Click()
{
    m_commands->saveList();
}

void MessagesTab::SpeedButton46Click()
{
    printTable(m_context, m_grid);
}

void MessagesTab::exportCsv()
{
    m_commands->exportCsv();
}

void MessagesTab::importCsv()
{
    m_commands->importCsv();
}

void MessagesTab::SpeedButton47Click()
{
    m_commands->addRow();
}

void MessagesTab::SpeedButton48Click()
{
    m_commands->copyRow();
}

void MessagesTab::SpeedButton49Click()
{
    m_commands->insertRow();
}

void MessagesTab::SpeedButton50Click()
{
    m_commands->deleteRow();
}

void MessagesTab::SpeedButton51Click()
{
    m_commands->deleteRowRange();
}

void MessagesTab::SpeedButton52Click()
{
    m_commands->sortRows();
}

void MessagesTab::SpeedButton78Click()
{
    m_commands->renumberRows();
}

void MessagesTab::SpeedButton53Click()
{
    // The check shows the bar only: there is nothing to stop.
    GuiFeedback feedback(m_context, {m_scale.progress().bar, nullptr, nullptr});
    checkMessageTable(m_grid->snapshot(), feedback);
    m_grid->setFocus();
}

std::string MessagesTab::numberText() const
{
    return TableModel::toCp1251(m_msgNumber->text(), false).value_or(std::string());
}

void MessagesTab::SpeedButton54Click()
{
    const Table messages = m_grid->snapshot();
    const bool checkFirst = m_checkBeforeWrite->isChecked();
    m_scale.runOnScale([messages, checkFirst](const ScaleLink& link) { sendMessageTable(link, messages, checkFirst); });
}

void MessagesTab::SpeedButton55Click()
{
    const Table messages = m_grid->snapshot();
    const int row = m_grid->currentRow();
    m_scale.runOnScale([messages, row](const ScaleLink& link) { sendMessageRow(link, messages, row); });
}

void MessagesTab::SpeedButton57Click()
{
    m_scale.runOnScale([sink = m_commands->readSink(), save = m_commands->saveCommand()](const ScaleLink& link) {
        readAllMessages(link, *sink, save);
    });
}

void MessagesTab::SpeedButton58Click()
{
    const std::string text = numberText();
    AppContext& ctx = m_context;
    QPointer<QLineEdit> field = m_msgNumber;
    m_scale.runOnScale(
        [&ctx, field, text, sink = m_commands->readSink(), save = m_commands->saveCommand()](const ScaleLink& link) {
            if (readOneMessage(link, text, *sink, save) == TransferOutcome::Failed)
                focusNumberIfWrong(ctx, field, text);
        });
}

void MessagesTab::compareWithScale()
{
    m_compare->compareOnScale(m_scale, &m_context, m_grid->snapshot(), &compareMessages);
}

void MessagesTab::SpeedButton60Click()
{
    m_scale.runOnScale([](const ScaleLink& link) { deleteAllMessages(link); }, TableUse::Aside);
}

void MessagesTab::SpeedButton61Click()
{
    const std::string text = numberText();
    AppContext& ctx = m_context;
    QPointer<QLineEdit> field = m_msgNumber;
    m_scale.runOnScale(
        [&ctx, field, text](const ScaleLink& link) {
            if (deleteOneMessage(link, text) == TransferOutcome::Failed)
                focusNumberIfWrong(ctx, field, text);
        },
        TableUse::Aside);
}

void MessagesTab::SpeedButton56Click()
{
    m_scale.openRangeDialog(
        [](const ScaleLink& link) { return static_cast<bool>(openScale(link, messagetext::kChooseToSend)); },
        m_form8.get());
}

void MessagesTab::SpeedButton59Click()
{
    // The table is touched only when the dialog is applied: cancelling it changes nothing.
    m_scale.openRangeDialog(
        [](const ScaleLink& link) { return static_cast<bool>(openScale(link, messagetext::kChooseToRead)); },
        m_form9.get());
}

void MessagesTab::SpeedButton62Click()
{
    m_scale.openRangeDialog(
        [](const ScaleLink& link) { return static_cast<bool>(openScale(link, messagetext::kChooseToDelete)); },
        m_form10.get(), TableUse::Aside);
}

void MessagesTab::SendMsgRange(int first, int last)
{
    const Table messages = m_grid->snapshot();
    m_scale.runOnScale(
        [messages, first, last](const ScaleLink& link) { sendMessageRange(link, messages, first, last); });
}

void MessagesTab::GetMsgRange(int first, int last)
{
    m_scale.runOnScale([first, last, sink = m_commands->readSink(), save = m_commands->saveCommand()](
                           const ScaleLink& link) { readMessageRange(link, first, last, *sink, save); });
}

void MessagesTab::DeleteMsgRange(int first, int last)
{
    m_scale.runOnScale([first, last](const ScaleLink& link) { deleteMessageRange(link, first, last); },
                       TableUse::Aside);
}

} // namespace qm::app
