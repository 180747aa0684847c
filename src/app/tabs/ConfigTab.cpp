#include "app/tabs/ConfigTab.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/AppContext.h"
#include "app/Controls.h"
#include "app/GuiFeedback.h"
#include "app/PrintPreview.h"
#include "app/StringGrid.h"
#include "app/TableCommands.h"
#include "app/UserDialogs.h"
#include "config/ConfigTable.h"
#include "files/FileCommands.h"

namespace qm::app
{

ConfigTab::ConfigTab(AppContext& context, QWidget* parent) : QWidget(parent), m_context(context)
{
    m_grid = new StringGrid(QStringLiteral("StringGrid4"), configLayout(), makeTable(configLayout()), this);
    m_grid->tableModel()->setOnEdited([&context] { context.state().configModified = true; });
    context.addGrid(TableId::Config, m_grid);

    QToolButton* check =
        makeToolButton(QStringLiteral("SpeedButton74"),
                       QStringLiteral("Проверка правильности заполнения таблицы конфигурации"), ToolIcon::Check, this);
    connect(check, &QToolButton::clicked, this, &ConfigTab::SpeedButton74Click);
    QToolButton* apply =
        makeToolButton(QStringLiteral("SpeedButton85"), QStringLiteral("Применить изменения конфигурации"),
                       ToolIcon::ApplyConfig, this);
    connect(apply, &QToolButton::clicked, this, &ConfigTab::SpeedButton85Click);

    m_toolbar = new QHBoxLayout;
    m_toolbar->setSpacing(2);
    addTableCommands();
    m_toolbar->addWidget(check);
    m_toolbar->addWidget(apply);
    QToolButton* pickFile = makeToolButton(QStringLiteral("SpeedButton86"),
                                           QStringLiteral("Обзор файлов товаров и сообщений"), ToolIcon::Browse, this);
    connect(pickFile, &QToolButton::clicked, this, &ConfigTab::SpeedButton86Click);
    m_toolbar->addWidget(pickFile);
    m_toolbar->addWidget(
        makeFontButton(QStringLiteral("SpeedButton75"), QStringLiteral("Выбор шрифта таблицы"), m_grid, context, this));
    m_toolbar->addWidget(makeToolButton(QStringLiteral("SpeedButton76"), QStringLiteral("Помощь"), ToolIcon::Help, this));
    m_toolbar->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_toolbar);
    layout->addWidget(m_grid, 1);
    layout->addWidget(makeCheckBox(QStringLiteral("CheckBox16"),
                                   QStringLiteral("Сохранять текущую конфигурацию при выходе из программы"), true,
                                   this));
}

void ConfigTab::addTableCommands()
{
    // Opening a file does not apply it: the choosers keep their lists until SpeedButton85.
    TableCommands::Setup files;
    files.table = TableId::Config;
    files.modified = &AppState::configModified;
    files.newList = newConfigTable;
    files.openList = openConfigTable;
    files.saveList = saveConfigTable;
    files.importCsv = [](FileCommandContext& f, Table& table, bool& modified) {
        return importConfigCsv(f, table, modified, configRowFailure);
    };
    m_commands = new TableCommands(m_context, m_grid, files, this);

    const struct {
        const char* name;
        QString hint;
        ToolIcon icon;
        void (ConfigTab::*handler)();
    } buttons[] = {
        {"SpeedButton65", QStringLiteral("Новая таблица конфигурации"), ToolIcon::New, &ConfigTab::SpeedButton65Click},
        {"SpeedButton66", QStringLiteral("Открыть таблицу конфигурации"), ToolIcon::Open,
         &ConfigTab::SpeedButton66Click},
        {"SpeedButton67", QStringLiteral("Сохранить таблицу конфигурации"), ToolIcon::Save,
         &ConfigTab::SpeedButton67Click},
        {"SpeedButton68", QStringLiteral("Печать таблицы конфигурации"), ToolIcon::Print,
         &ConfigTab::SpeedButton68Click},
        {"SpeedButton104", QStringLiteral("Экспорт в CSV"), ToolIcon::ExportCsv, &ConfigTab::exportCsv},
        {"SpeedButton105", QStringLiteral("Импорт из CSV"), ToolIcon::ImportCsv, &ConfigTab::importCsv},
        {"SpeedButton69", QStringLiteral("Добавить строку таблицы"), ToolIcon::RowAdd, &ConfigTab::SpeedButton69Click},
        {"SpeedButton70", QStringLiteral("Копировать строку таблицы"), ToolIcon::RowCopy,
         &ConfigTab::SpeedButton70Click},
        {"SpeedButton71", QStringLiteral("Вставить строку таблицы"), ToolIcon::RowInsert,
         &ConfigTab::SpeedButton71Click},
        {"SpeedButton72", QStringLiteral("Удалить строку таблицы"), ToolIcon::RowDelete,
         &ConfigTab::SpeedButton72Click},
        {"SpeedButton73", QStringLiteral("Сортировать строки таблицы по номеру п/п"), ToolIcon::RowSort,
         &ConfigTab::SpeedButton73Click},
    };
    for (const auto& b : buttons) {
        QToolButton* button = makeToolButton(QString::fromLatin1(b.name), b.hint, b.icon, this);
        connect(button, &QToolButton::clicked, this, b.handler);
        m_toolbar->addWidget(button);
        if (&b == &buttons[5]) // the file, CSV and print commands stand apart from the row commands
            m_toolbar->addSpacing(8);
    }
    m_toolbar->addSpacing(8);
}

void ConfigTab::SpeedButton65Click()
{
    m_commands->newList();
}

void ConfigTab::SpeedButton66Click()
{
    m_commands->openList();
}

void ConfigTab::SpeedButton67Click()
{
    m_commands->saveList();
}

void ConfigTab::SpeedButton68Click()
{
    printTable(m_context, m_grid);
}

void ConfigTab::exportCsv()
{
    m_commands->exportCsv();
}

void ConfigTab::importCsv()
{
    m_commands->importCsv();
}

void ConfigTab::SpeedButton69Click()
{
    m_commands->addRow();
}

void ConfigTab::SpeedButton70Click()
{
    m_commands->copyRow();
}

void ConfigTab::SpeedButton71Click()
{
    m_commands->insertRow();
}

void ConfigTab::SpeedButton72Click()
{
    m_commands->deleteRow();
}

void ConfigTab::SpeedButton73Click()
{
    m_commands->sortRows();
}

void ConfigTab::SpeedButton74Click()
{
    GuiFeedback feedback(m_context);
    checkConfigTable(m_grid->snapshot(), feedback);
}

void ConfigTab::SpeedButton85Click()
{
    m_context.choosers().apply(scaleNames(m_grid->snapshot()));
}

void ConfigTab::SpeedButton86Click()
{
    GuiFeedback feedback(m_context);
    FileCommandContext files = m_context.fileContext(feedback);
    const int row = m_grid->currentRow();
    Table config = m_grid->snapshot();
    // Only the two file cells can change; the modified flag stays as it is.
    if (pickScaleFile(files, config, row))
        for (const int col : {cfgcol::ProductFile, cfgcol::MessageFile})
            m_grid->tableModel()->setCell(row, col, config.cell(row, col));
}

} // namespace qm::app
