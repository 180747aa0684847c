#include "app/tabs/ProductsTab.h"

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
#include "app/FileTitle.h"
#include "app/PrintPreview.h"
#include "app/RangeDialog.h"
#include "app/StringGrid.h"
#include "app/TableCommands.h"
#include "common/TableSink.h"
#include "files/FileCommands.h"
#include "products/PluCheck.h"
#include "products/ProductRanges.h"
#include "products/ProductTexts.h"

namespace qm::app
{

namespace
{

constexpr int kRangeKeyLimit = 4000;

TableCommands::Setup productCommands(ChooserBox* logoChooser, QWidget* tab)
{
    TableCommands::Setup s;
    s.table = TableId::Products;
    s.modified = &AppState::productsModified;
    // The window's title names the file the list came from or went to; a new list has none.
    s.newList = [tab](FileCommandContext& files, Table& table, bool& modified) {
        const Outcome outcome = newProductList(files, table, modified);
        if (outcome == Outcome::Done)
            tab->window()->setWindowTitle(titleWithFile(std::nullopt));
        return outcome;
    };
    // Rows read from a .plu file get the logo chosen at the moment of opening.
    s.openList = [logoChooser, tab](FileCommandContext& files, Table& table, bool& modified) {
        return openNamingFile(files, tab->window(), [&](FileCommandContext& watched) {
            return openProductList(watched, table, modified, logoChooser->currentIndex());
        });
    };
    s.saveList = [tab](FileCommandContext& files, const Table& table, bool& modified) {
        return saveNamingFile(files, tab->window(),
                              [&](FileCommandContext& watched) { return saveProductList(watched, table, modified); });
    };
    s.importCsv = [](FileCommandContext& files, Table& table, bool& modified) {
        return importProductCsv(files, table, modified, productRowFailure);
    };
    s.rangeDialogName = QStringLiteral("Form2");
    s.rangeDialogOnTop = true;
    return s;
}

} // namespace

ProductsTab::ProductsTab(AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_scale(context, this)
{
    m_grid = new StringGrid(QStringLiteral("StringGrid1"), productLayout(), makeTable(productLayout()), this);
    m_grid->tableModel()->setOnEdited([&context] { context.state().productsModified = true; });
    context.addGrid(TableId::Products, m_grid);

    ChooserBox* chooser = m_scale.addChooser(8);
    m_pluNumber = makeFilteredEdit(QStringLiteral("Edit35"), QStringLiteral("1"), KeyRule::Digits, this);
    m_pluNumber->setMaximumWidth(60);
    m_logoChooser = new ChooserBox(QStringLiteral("ComboBox9"), this);
    m_logoChooser->addItems(
        {QStringLiteral("Отсутствует"), QStringLiteral("Ростест"), QStringLiteral("Индивидуальный")});
    m_logoChooser->selectIndex(0);
    m_checkBeforeWrite =
        makeCheckBox(QStringLiteral("CheckBox20"), QStringLiteral("Протестировать данные перед записью"), true, this);
    m_virtualSync = makeCheckBox(QStringLiteral("CheckBox22"), QStringLiteral("Использовать виртуальную синхронизацию"),
                                 false, this);

    m_commands = new TableCommands(context, m_grid, productCommands(m_logoChooser, this), this);

    using Row = ToolRow<ProductsTab>;
    constexpr ToolKind scale = ToolKind::Scale;
    constexpr ToolKind edit = ToolKind::Edit;
    m_scale.useTable(m_grid);
    m_scale.addCommands(
        this,
        {
            {"SpeedButton8", "Создать новый список товаров", ToolIcon::New, &ProductsTab::SpeedButton8Click, edit},
            {"SpeedButton9", "Открыть список товаров", ToolIcon::Open, &ProductsTab::SpeedButton9Click, edit},
            {"SpeedButton10", "Сохранить список товаров", ToolIcon::Save, &ProductsTab::SpeedButton10Click},
            {"SpeedButton24", "Печать таблицы товаров", ToolIcon::Print, &ProductsTab::SpeedButton24Click},
            {"SpeedButton100", "Экспорт в CSV", ToolIcon::ExportCsv, &ProductsTab::exportCsv},
            {"SpeedButton101", "Импорт из CSV", ToolIcon::ImportCsv, &ProductsTab::importCsv, edit},
            Row::gap(),
            {"SpeedButton25", "Добавить строку таблицы", ToolIcon::RowAdd, &ProductsTab::SpeedButton25Click, edit},
            {"SpeedButton26", "Копировать строку таблицы", ToolIcon::RowCopy, &ProductsTab::SpeedButton26Click, edit},
            {"SpeedButton27", "Вставить строку таблицы", ToolIcon::RowInsert, &ProductsTab::SpeedButton27Click, edit},
            {"SpeedButton28", "Удалить строку таблицы", ToolIcon::RowDelete, &ProductsTab::SpeedButton28Click, edit},
            {"SpeedButton29", "Сортировать строки таблицы по номеру PLU", ToolIcon::RowSort,
             &ProductsTab::SpeedButton29Click, edit},
            {"SpeedButton30", "Удалить диапазон строк таблицы", ToolIcon::RowsDeleteRange,
             &ProductsTab::SpeedButton30Click, edit},
            {"SpeedButton77", "Пронумеровать номера PLU по номеру строки", ToolIcon::Renumber,
             &ProductsTab::SpeedButton77Click, edit},
            {"SpeedButton36", "Проверить правильность заполнения таблицы", ToolIcon::Check,
             &ProductsTab::SpeedButton36Click},
            Row::gap(),
            {"SpeedButton31", "Загрузить таблицу товаров в весы", ToolIcon::SendAll, &ProductsTab::SpeedButton31Click,
             scale},
            {"SpeedButton32", "Загрузить активную строку таблицы в весы", ToolIcon::SendOne,
             &ProductsTab::SpeedButton32Click, scale},
            {"SpeedButton33", "Загрузить диапазон строк в весы", ToolIcon::SendRange, &ProductsTab::SpeedButton33Click,
             scale},
            {"SpeedButton34", "Прочитать из весов таблицу товаров", ToolIcon::ReadAll, &ProductsTab::SpeedButton34Click,
             scale},
            {"SpeedButton35", "Прочитать из весов выбранный товар", ToolIcon::ReadOne, &ProductsTab::SpeedButton35Click,
             scale},
            {"SpeedButton37", "Прочитать из весов выбранный диапазон товаров", ToolIcon::ReadRange,
             &ProductsTab::SpeedButton37Click, scale},
            {"SpeedButton110", "Сравнить с весами", ToolIcon::Compare, &ProductsTab::compareWithScale, scale},
            {"SpeedButton38", "Удалить из весов таблицу товаров", ToolIcon::DeleteAll, &ProductsTab::SpeedButton38Click,
             scale},
            {"SpeedButton39", "Удалить из весов выбранный товар", ToolIcon::DeleteOne, &ProductsTab::SpeedButton39Click,
             scale},
            {"SpeedButton40", "Удалить из весов диапазон товаров", ToolIcon::DeleteRange,
             &ProductsTab::SpeedButton40Click, scale},
            {"SpeedButton89", "Отмена границ виртуального диапазона на выбранных весах", ToolIcon::CancelRange,
             &ProductsTab::SpeedButton89Click, scale},
            Row::gap(),
        });
    m_scale.addFontButton("SpeedButton42", "Выбор шрифта таблицы товаров", m_grid);
    // The help buttons: the help viewer is wired by the window's help command.
    m_scale.addHelpButton("SpeedButton41");

    QHBoxLayout* progressRow =
        m_scale.addProgressRow(QStringLiteral("ProgressBar1"), QStringLiteral("Label65"), QStringLiteral("Button16"));

    auto* options = new QGridLayout;
    options->addWidget(makeLabel(QStringLiteral("Выбор весов"), this), 0, 0);
    options->addWidget(chooser, 1, 0);
    options->addWidget(makeLabel(QStringLiteral("№ PLU"), this), 0, 1);
    options->addWidget(m_pluNumber, 1, 1);
    options->addWidget(makeLabel(QStringLiteral("Выбор логотипа"), this), 0, 2);
    options->addWidget(m_logoChooser, 1, 2);
    options->addWidget(m_checkBeforeWrite, 0, 3);
    options->addWidget(m_virtualSync, 1, 3);
    options->addWidget(makeToolButton(QStringLiteral("SpeedButton88"), QStringLiteral("Помощь"), ToolIcon::Help, this),
                       1, 4);
    options->setColumnStretch(5, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_scale.toolbar());
    layout->addLayout(options);
    layout->addWidget(m_grid, 1);
    layout->addLayout(progressRow);

    m_sendRange = makeRangeDialog(QStringLiteral("Form4"), {QStringLiteral("Введите номера строк таблицы")},
                                  ProductRangeKind::RowsToSend, &ProductsTab::SendPluRange);
    m_readRange = makeRangeDialog(QStringLiteral("Form5"), {QStringLiteral("Введите номера строк таблицы")},
                                  ProductRangeKind::PluToRead, &ProductsTab::GetPluRange);
    m_deleteRange = makeRangeDialog(QStringLiteral("Form6"),
                                    {QStringLiteral("Введите номера ячеек PLU"), QStringLiteral("для удаления")},
                                    ProductRangeKind::PluToDelete, &ProductsTab::DeletePluRange);
    m_compare = new CompareDialog(QStringLiteral("FormCompareProducts"), m_grid, this);
}

ProductsTab::~ProductsTab() = default;

std::unique_ptr<RangeDialog> ProductsTab::makeRangeDialog(const QString& name, const QStringList& heading,
                                                          ProductRangeKind kind, void (ProductsTab::*run)(int, int))
{
    RangeDialog::Setup s;
    s.name = name;
    s.heading = heading;
    s.firstLabel = QStringLiteral("с");
    s.lastLabel = QStringLiteral("по");
    s.keyLimit = kRangeKeyLimit;
    s.focusAfter = m_grid;
    s.check = [grid = QPointer<StringGrid>(m_grid), kind](const std::string& first, const std::string& last) {
        // The rows to send are counted when "Применить" is pressed: the table may have changed.
        const int dataRows = grid ? grid->tableModel()->table().lastRow() : 0;
        return checkRange(productRange(kind), first, last, dataRows);
    };
    return m_scale.makeRangeDialog(this, std::move(s), run);
}

RangeDialog* ProductsTab::rowDeleteDialog() const
{
    return m_commands->rangeDialog();
}

std::string ProductsTab::pluText() const
{
    return TableModel::toCp1251(m_pluNumber->text(), false).value_or(std::string());
}

void ProductsTab::openRangeDialog(const char* noScaleMessage, RangeDialog* dialog)
{
    m_scale.openRangeDialog(
        [noScaleMessage](const ScaleLink& link) { return static_cast<bool>(openScale(link, noScaleMessage)); }, dialog);
}

// --- files and row editing ---

void ProductsTab::SpeedButton8Click()
{
    m_commands->newList();
}

void ProductsTab::SpeedButton9Click()
{
    m_commands->openList();
}

void ProductsTab::SpeedButton24Click()
{
    printTable(m_context, m_grid);
}

void ProductsTab::SpeedButton10Click()
{
    m_commands->saveList();
}

void ProductsTab::exportCsv()
{
    m_commands->exportCsv();
}

void ProductsTab::importCsv()
{
    m_commands->importCsv();
}

void ProductsTab::SpeedButton25Click()
{
    m_commands->addRow();
}

void ProductsTab::SpeedButton26Click()
{
    m_commands->copyRow();
}

void ProductsTab::SpeedButton27Click()
{
    m_commands->insertRow();
}

void ProductsTab::SpeedButton28Click()
{
    m_commands->deleteRow();
}

void ProductsTab::SpeedButton29Click()
{
    m_commands->sortRows();
}

void ProductsTab::SpeedButton30Click()
{
    m_commands->deleteRowRange();
}

void ProductsTab::SpeedButton77Click()
{
    m_commands->renumberRows();
}

void ProductsTab::SpeedButton36Click()
{
    // The check shows the progress bar only: it runs on this thread, so there is nothing to stop.
    TabProgress progress = m_scale.progress();
    progress.stop = nullptr;
    GuiFeedback feedback(m_context, progress);
    checkProductTable(m_grid->snapshot(), feedback);
}

// --- transfers ---

void ProductsTab::SpeedButton31Click()
{
    const Table products = m_grid->snapshot();
    SendTableOptions options;
    options.checkFirst = m_checkBeforeWrite->isChecked();
    options.virtualSync = m_virtualSync->isChecked();
    // Virtual synchronisation sorts the table first; the window's table takes the sorted rows.
    std::shared_ptr<TableSink> sorted = m_commands->readSink();
    m_scale.runOnScale([products, options, sorted](const ScaleLink& link) {
        sendProductTable(link, products, options, sorted.get());
    });
}

void ProductsTab::SpeedButton32Click()
{
    const Table products = m_grid->snapshot();
    const int row = m_grid->currentRow();
    m_scale.runOnScale([products, row](const ScaleLink& link) { sendProductRow(link, products, row); });
}

void ProductsTab::SpeedButton33Click()
{
    openRangeDialog(producttext::kChooseToSendTable, m_sendRange.get());
}

void ProductsTab::SendPluRange(int first, int last)
{
    const Table products = m_grid->snapshot();
    m_scale.runOnScale(
        [products, first, last](const ScaleLink& link) { sendProductRange(link, products, first, last); });
}

void ProductsTab::SpeedButton34Click()
{
    m_grid->setFocus();
    std::shared_ptr<TableSink> sink = m_commands->readSink();
    auto save = m_commands->saveCommand();
    m_scale.runOnScale([sink, save](const ScaleLink& link) { readAllProducts(link, *sink, save); });
}

void ProductsTab::SpeedButton35Click()
{
    m_grid->setFocus();
    std::shared_ptr<TableSink> sink = m_commands->readSink();
    auto save = m_commands->saveCommand();
    m_scale.runOnScale(
        [sink, save, plu = pluText()](const ScaleLink& link) { readOneProduct(link, plu, *sink, save); });
}

void ProductsTab::SpeedButton37Click()
{
    openRangeDialog(producttext::kChooseToReadRange, m_readRange.get());
}

void ProductsTab::GetPluRange(int first, int last)
{
    std::shared_ptr<TableSink> sink = m_commands->readSink();
    auto save = m_commands->saveCommand();
    m_scale.runOnScale(
        [sink, save, first, last](const ScaleLink& link) { readProductRange(link, first, last, *sink, save); });
}

void ProductsTab::compareWithScale()
{
    m_compare->compareOnScale(m_scale, &m_context, m_grid->snapshot(), &compareProducts);
}

void ProductsTab::SpeedButton38Click()
{
    m_scale.runOnScale([](const ScaleLink& link) { deleteAllProducts(link); }, TableUse::Aside);
}

void ProductsTab::SpeedButton39Click()
{
    m_scale.runOnScale([plu = pluText()](const ScaleLink& link) { deleteOneProduct(link, plu); }, TableUse::Aside);
}

void ProductsTab::SpeedButton40Click()
{
    openRangeDialog(producttext::kChooseToDelete, m_deleteRange.get());
}

void ProductsTab::DeletePluRange(int first, int last)
{
    m_scale.runOnScale([first, last](const ScaleLink& link) { deleteProductRange(link, first, last); },
                       TableUse::Aside);
}

void ProductsTab::SpeedButton89Click()
{
    m_scale.runOnScale([](const ScaleLink& link) { cancelVirtualRange(link); }, TableUse::Aside);
}

} // namespace qm::app
