#include "app/tabs/ProductsTab.h"

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
#include "app/StringGrid.h"

namespace qm::app
{

ProductsTab::ProductsTab(AppContext& context, QWidget* parent) : QWidget(parent), m_context(context)
{
    m_grid = new StringGrid(QStringLiteral("StringGrid1"), productLayout(), makeTable(productLayout()), this);
    m_grid->tableModel()->setOnEdited([&context] { context.state().productsModified = true; });
    context.addGrid(TableId::Products, m_grid);

    m_toolbar = new QHBoxLayout;
    m_toolbar->setSpacing(2);
    m_toolbar->addWidget(makeFontButton(QStringLiteral("SpeedButton42"), QStringLiteral("Выбор шрифта таблицы товаров"),
                                        m_grid, context, this));
    m_toolbar->addStretch(1);

    m_chooser = new ChooserBox(QStringLiteral("ComboBox8"), this);
    context.choosers().add(8, m_chooser);
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

    m_progressBar = makeProgressBar(QStringLiteral("ProgressBar1"), this);
    m_counter = makeLabel(QStringLiteral("0"), this, QStringLiteral("Label65"));
    m_counter->hide();
    m_stop = makeButton(QStringLiteral("Button16"), QStringLiteral("Остановить"), QStringLiteral("Остановить процесс"),
                        this);
    m_stop->hide();
    connect(m_stop, &QPushButton::clicked, this, &ProductsTab::Button16Click);

    auto* options = new QGridLayout;
    options->addWidget(makeLabel(QStringLiteral("Выбор весов"), this), 0, 0);
    options->addWidget(m_chooser, 1, 0);
    options->addWidget(makeLabel(QStringLiteral("№ PLU"), this), 0, 1);
    options->addWidget(m_pluNumber, 1, 1);
    options->addWidget(makeLabel(QStringLiteral("Выбор логотипа"), this), 0, 2);
    options->addWidget(m_logoChooser, 1, 2);
    options->addWidget(m_checkBeforeWrite, 0, 3);
    options->addWidget(m_virtualSync, 1, 3);
    options->setColumnStretch(4, 1);

    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(m_progressBar, 1);
    progressRow->addWidget(m_counter);
    progressRow->addWidget(m_stop);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_toolbar);
    layout->addLayout(options);
    layout->addWidget(m_grid, 1);
    layout->addLayout(progressRow);
}

void ProductsTab::Button16Click()
{
    m_context.state().stop.store(true);
}

TabProgress ProductsTab::progress() const
{
    return {m_progressBar, m_counter, m_stop};
}

} // namespace qm::app
