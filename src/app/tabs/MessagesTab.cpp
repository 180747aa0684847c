#include "app/tabs/MessagesTab.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/AppContext.h"
#include "app/ChooserBox.h"
#include "app/Controls.h"
#include "app/RangeDialog.h"
#include "app/ScaleRunner.h"
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

MessagesTab::MessagesTab(AppContext& context, QWidget* parent) : QWidget(parent), m_context(context)
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
    files.rangeDialogName = QStringLiteral("Form3");
    m_commands = new TableCommands(context, m_grid, files, this);

    m_toolbar = new QHBoxLayout;
    m_toolbar->setSpacing(2);
    m_toolbar->addStretch(1);
    addCommand("SpeedButton43", QStringLiteral("Новый список сообщений"), ToolIcon::New,
               &MessagesTab::SpeedButton43Click, false);
    addCommand("SpeedButton44", QStringLiteral("Открыть список сообщений"), ToolIcon::Open,
               &MessagesTab::SpeedButton44Click, false);
    addCommand("SpeedButton45", QStringLiteral("Сохранить список сообщений"), ToolIcon::Save,
               &MessagesTab::SpeedButton45Click, false);
    m_toolbar->insertSpacing(m_toolbar->count() - 1, 8);
    addCommand("SpeedButton47", QStringLiteral("Добавить строку таблицы"), ToolIcon::RowAdd,
               &MessagesTab::SpeedButton47Click, false);
    addCommand("SpeedButton48", QStringLiteral("Копировать строку таблицы"), ToolIcon::RowCopy,
               &MessagesTab::SpeedButton48Click, false);
    addCommand("SpeedButton49", QStringLiteral("Вставить строку в таблицу"), ToolIcon::RowInsert,
               &MessagesTab::SpeedButton49Click, false);
    addCommand("SpeedButton50", QStringLiteral("Удалить строку таблицы"), ToolIcon::RowDelete,
               &MessagesTab::SpeedButton50Click, false);
    addCommand("SpeedButton51", QStringLiteral("Удалить диапазон строк таблицы"), ToolIcon::RowsDeleteRange,
               &MessagesTab::SpeedButton51Click, false);
    addCommand("SpeedButton52", QStringLiteral("Сортировать строки таблицы по номеру MSG"), ToolIcon::RowSort,
               &MessagesTab::SpeedButton52Click, false);
    addCommand("SpeedButton78", QStringLiteral("Пронумеровать номера MSG по номеру строки"), ToolIcon::Renumber,
               &MessagesTab::SpeedButton78Click, false);
    m_toolbar->insertSpacing(m_toolbar->count() - 1, 8);
    addCommand("SpeedButton53", QStringLiteral("Проверить правильность заполнения таблицы"), ToolIcon::Check,
               &MessagesTab::SpeedButton53Click, false);
    m_toolbar->insertSpacing(m_toolbar->count() - 1, 8);
    addCommand("SpeedButton54", QStringLiteral("Загрузить таблицу сообщений в весы"), ToolIcon::SendAll,
               &MessagesTab::SpeedButton54Click, true);
    addCommand("SpeedButton55", QStringLiteral("Загрузить выбранное сообщение в весы"), ToolIcon::SendOne,
               &MessagesTab::SpeedButton55Click, true);
    addCommand("SpeedButton56", QStringLiteral("Загрузить диапазон строк в весы"), ToolIcon::SendRange,
               &MessagesTab::SpeedButton56Click, true);
    addCommand("SpeedButton57", QStringLiteral("Прочитать из весов таблицу сообщений"), ToolIcon::ReadAll,
               &MessagesTab::SpeedButton57Click, true);
    addCommand("SpeedButton58", QStringLiteral("Прочитать из весов выбранное сообщение"), ToolIcon::ReadOne,
               &MessagesTab::SpeedButton58Click, true);
    addCommand("SpeedButton59", QStringLiteral("Прочитать из весов выбранный диапазон сообщений"), ToolIcon::ReadRange,
               &MessagesTab::SpeedButton59Click, true);
    addCommand("SpeedButton61", QStringLiteral("Удалить из весов выбранное сообщение"), ToolIcon::DeleteOne,
               &MessagesTab::SpeedButton61Click, true);
    addCommand("SpeedButton60", QStringLiteral("Удалить из весов таблицу сообщений"), ToolIcon::DeleteAll,
               &MessagesTab::SpeedButton60Click, true);
    addCommand("SpeedButton62", QStringLiteral("Удалить из весов диапазон сообщений"), ToolIcon::DeleteRange,
               &MessagesTab::SpeedButton62Click, true);
    m_toolbar->insertSpacing(m_toolbar->count() - 1, 8);
    m_toolbar->insertWidget(m_toolbar->count() - 1,
                            makeFontButton(QStringLiteral("SpeedButton63"),
                                           QStringLiteral("Выбор шрифта таблицы сообщений"), m_grid, context, this));

    m_chooser = new ChooserBox(QStringLiteral("ComboBox10"), this);
    context.choosers().add(10, m_chooser);
    m_msgNumber = makeFilteredEdit(QStringLiteral("Edit36"), QStringLiteral("1"), KeyRule::Digits, this);
    m_msgNumber->setMaximumWidth(60);
    m_checkBeforeWrite =
        makeCheckBox(QStringLiteral("CheckBox21"), QStringLiteral("Протестировать данные перед записью"), true, this);

    const ProgressControls progress = makeProgressControls(QStringLiteral("ProgressBar2"), QStringLiteral("Label66"),
                                                           QStringLiteral("Button17"), this);
    m_progressBar = progress.bar;
    m_counter = progress.counter;
    m_stop = progress.stop;
    connect(m_stop, &QPushButton::clicked, this, &MessagesTab::Button17Click);

    auto* options = new QGridLayout;
    options->addWidget(makeLabel(QStringLiteral("Выбор весов"), this), 0, 0);
    options->addWidget(m_chooser, 1, 0);
    options->addWidget(makeLabel(QStringLiteral("№ MSG"), this), 0, 1);
    options->addWidget(m_msgNumber, 1, 1);
    options->addWidget(m_checkBeforeWrite, 1, 2);
    options->setColumnStretch(3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_toolbar);
    layout->addLayout(options);
    layout->addWidget(m_grid, 1);
    layout->addLayout(progress.row);

    makeRangeDialogs();
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
    send.check = [grid = m_grid](const std::string& first, const std::string& last) {
        return checkRange(messageRange(MessageRangeKind::RowsToSend), first, last,
                          grid->tableModel()->table().rowCount() - 1);
    };
    send.run = [this](int first, int last) { SendMsgRange(first, last); };
    send.focusAfter = m_grid;
    m_form8 = std::make_unique<RangeDialog>(m_context, send);

    RangeDialog::Setup read;
    read.name = QStringLiteral("Form9");
    read.heading = QStringList{QStringLiteral("Введите номера строк MSG"), QStringLiteral("для чтения из весов")};
    read.firstText = QStringLiteral("1");
    read.lastText = QStringLiteral("1000");
    read.keyLimit = kMsgRangeKeyLimit;
    read.check = [](const std::string& first, const std::string& last) {
        return checkRange(messageRange(MessageRangeKind::NumbersToRead), first, last);
    };
    read.run = [this](int first, int last) { GetMsgRange(first, last); };
    read.focusAfter = m_grid;
    m_form9 = std::make_unique<RangeDialog>(m_context, read);

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
    erase.run = [this](int first, int last) { DeleteMsgRange(first, last); };
    m_form10 = std::make_unique<RangeDialog>(m_context, erase);

    // "Применить" starts a scale operation: not while another one runs.
    for (RangeDialog* dialog : {m_form8.get(), m_form9.get(), m_form10.get()})
        m_context.runner().addScaleCommand(dialog->applyButton());
}

void MessagesTab::showFromWorker(RangeDialog* dialog)
{
    // Queued to the context, which goes before the tab does: `this` is still there when it runs.
    postTo(&m_context, [this, dialog] { dialog->showFor(window()); });
}

QToolButton* MessagesTab::addCommand(const char* name, const QString& hint, ToolIcon icon,
                                     void (MessagesTab::*handler)(), bool scaleCommand)
{
    QToolButton* button = makeToolButton(QString::fromLatin1(name), hint, icon, this);
    connect(button, &QToolButton::clicked, this, handler);
    if (scaleCommand)
        m_context.runner().addScaleCommand(button);
    m_toolbar->insertWidget(m_toolbar->count() - 1, button);
    return button;
}

void MessagesTab::Button17Click()
{
    m_context.state().stop.store(true);
}

TabProgress MessagesTab::progress() const
{
    return {m_progressBar, m_counter, m_stop};
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
    GuiFeedback feedback(m_context, {m_progressBar, nullptr, nullptr});
    checkMessageTable(m_grid->snapshot(), feedback);
    m_grid->setFocus();
}

void MessagesTab::runOnScale(Work work)
{
    const Table config = m_context.grid(TableId::Config)->snapshot();
    const std::string name = ScaleChoosers::nameOf(*m_chooser);
    m_context.runner().run(progress(), [config, name, work = std::move(work)](ScaleSession& session, Feedback&) {
        work(ScaleLink{session, config, name});
    });
}

std::string MessagesTab::numberText() const
{
    return TableModel::toCp1251(m_msgNumber->text(), false).value_or(std::string());
}

void MessagesTab::SpeedButton54Click()
{
    const Table messages = m_grid->snapshot();
    const bool checkFirst = m_checkBeforeWrite->isChecked();
    runOnScale([messages, checkFirst](const ScaleLink& link) { sendMessageTable(link, messages, checkFirst); });
}

void MessagesTab::SpeedButton55Click()
{
    const Table messages = m_grid->snapshot();
    const int row = m_grid->currentRow();
    runOnScale([messages, row](const ScaleLink& link) { sendMessageRow(link, messages, row); });
}

void MessagesTab::SpeedButton57Click()
{
    runOnScale([sink = m_commands->readSink(), save = m_commands->saveCommand()](const ScaleLink& link) {
        readAllMessages(link, *sink, save);
    });
}

void MessagesTab::SpeedButton58Click()
{
    const std::string text = numberText();
    AppContext& ctx = m_context;
    QPointer<QLineEdit> field = m_msgNumber;
    runOnScale(
        [&ctx, field, text, sink = m_commands->readSink(), save = m_commands->saveCommand()](const ScaleLink& link) {
            if (readOneMessage(link, text, *sink, save) == TransferOutcome::Failed)
                focusNumberIfWrong(ctx, field, text);
        });
}

void MessagesTab::SpeedButton60Click()
{
    runOnScale([](const ScaleLink& link) { deleteAllMessages(link); });
}

void MessagesTab::SpeedButton61Click()
{
    const std::string text = numberText();
    AppContext& ctx = m_context;
    QPointer<QLineEdit> field = m_msgNumber;
    runOnScale([&ctx, field, text](const ScaleLink& link) {
        if (deleteOneMessage(link, text) == TransferOutcome::Failed)
            focusNumberIfWrong(ctx, field, text);
    });
}

void MessagesTab::SpeedButton56Click()
{
    runOnScale([this](const ScaleLink& link) {
        if (openScale(link, messagetext::kChooseToSend))
            showFromWorker(m_form8.get());
    });
}

void MessagesTab::SpeedButton59Click()
{
    // The table is touched only when the dialog is applied: cancelling it changes nothing.
    runOnScale([this](const ScaleLink& link) {
        if (openScale(link, messagetext::kChooseToRead))
            showFromWorker(m_form9.get());
    });
}

void MessagesTab::SpeedButton62Click()
{
    runOnScale([this](const ScaleLink& link) {
        if (openScale(link, messagetext::kChooseToDelete))
            showFromWorker(m_form10.get());
    });
}

void MessagesTab::SendMsgRange(int first, int last)
{
    const Table messages = m_grid->snapshot();
    runOnScale([messages, first, last](const ScaleLink& link) { sendMessageRange(link, messages, first, last); });
}

void MessagesTab::GetMsgRange(int first, int last)
{
    runOnScale([first, last, sink = m_commands->readSink(), save = m_commands->saveCommand()](const ScaleLink& link) {
        readMessageRange(link, first, last, *sink, save);
    });
}

void MessagesTab::DeleteMsgRange(int first, int last)
{
    runOnScale([first, last](const ScaleLink& link) { deleteMessageRange(link, first, last); });
}

} // namespace qm::app
