#include "app/tabs/ConfigTab.h"

#include <QCheckBox>
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

ConfigTab::ConfigTab(AppContext& context, QWidget* parent) : QWidget(parent), m_context(context), m_scale(context, this)
{
    m_grid = new StringGrid(QStringLiteral("StringGrid4"), configLayout(), makeTable(configLayout()), this);
    m_grid->tableModel()->setOnEdited([&context] { context.state().configModified = true; });
    context.addGrid(TableId::Config, m_grid);

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

    using Row = ToolRow<ConfigTab>;
    constexpr ToolKind edit = ToolKind::Edit;
    m_scale.useTable(m_grid);
    m_scale.addCommands(
        this,
        {
            {"SpeedButton65", "Новая таблица конфигурации", ToolIcon::New, &ConfigTab::SpeedButton65Click, edit},
            {"SpeedButton66", "Открыть таблицу конфигурации", ToolIcon::Open, &ConfigTab::SpeedButton66Click, edit},
            {"SpeedButton67", "Сохранить таблицу конфигурации", ToolIcon::Save, &ConfigTab::SpeedButton67Click},
            {"SpeedButton68", "Печать таблицы конфигурации", ToolIcon::Print, &ConfigTab::SpeedButton68Click},
            {"SpeedButton104", "Экспорт в CSV", ToolIcon::ExportCsv, &ConfigTab::exportCsv},
            {"SpeedButton105", "Импорт из CSV", ToolIcon::ImportCsv, &ConfigTab::importCsv, edit},
            Row::gap(),
            {"SpeedButton69", "Добавить строку таблицы", ToolIcon::RowAdd, &ConfigTab::SpeedButton69Click, edit},
            {"SpeedButton70", "Копировать строку таблицы", ToolIcon::RowCopy, &ConfigTab::SpeedButton70Click, edit},
            {"SpeedButton71", "Вставить строку таблицы", ToolIcon::RowInsert, &ConfigTab::SpeedButton71Click, edit},
            {"SpeedButton72", "Удалить строку таблицы", ToolIcon::RowDelete, &ConfigTab::SpeedButton72Click, edit},
            {"SpeedButton73", "Сортировать строки таблицы по номеру п/п", ToolIcon::RowSort,
             &ConfigTab::SpeedButton73Click, edit},
            Row::gap(),
            {"SpeedButton74", "Проверка правильности заполнения таблицы конфигурации", ToolIcon::Check,
             &ConfigTab::SpeedButton74Click},
            {"SpeedButton85", "Применить изменения конфигурации", ToolIcon::ApplyConfig,
             &ConfigTab::SpeedButton85Click},
            {"SpeedButton86", "Обзор файлов товаров и сообщений", ToolIcon::Browse, &ConfigTab::SpeedButton86Click},
        });
    m_scale.addFontButton("SpeedButton75", "Выбор шрифта таблицы", m_grid);
    m_scale.addHelpButton("SpeedButton76");

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_scale.toolbar());
    layout->addWidget(m_grid, 1);
    layout->addWidget(makeCheckBox(QStringLiteral("CheckBox16"),
                                   QStringLiteral("Сохранять текущую конфигурацию при выходе из программы"), true,
                                   this));
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
