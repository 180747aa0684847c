#include "app/tabs/StatusTab.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/AppContext.h"
#include "app/ChooserBox.h"
#include "app/Controls.h"
#include "app/FieldSink.h"
#include "app/GridSink.h"
#include "app/StringGrid.h"
#include "settings/PriceKeyCodec.h"
#include "settings/StatusTransfer.h"

namespace qm::app
{

StatusTab::StatusTab(AppContext& context, QWidget* parent) : QWidget(parent), m_scale(context, this)
{
    m_grid = new StringGrid(QStringLiteral("StringGrid3"), priceKeyLayout(), makePriceKeyTable(), this);
    context.addGrid(TableId::PriceKeys, m_grid);
    m_scale.useTable(m_grid);
    ChooserBox* chooser = m_scale.addChooser(5);
    m_scale.addButtons(
        this, {
                  {"Button5", "Прочитать", nullptr, &StatusTab::Button5Click, ToolKind::Scale},
                  {"Button6", "Изменить", nullptr, &StatusTab::Button6Click, ToolKind::Scale},
                  {"Button12", "По умолчанию", "Выставить клавиши цен по умолчанию", &StatusTab::Button12Click,
                   ToolKind::Edit},
                  {"Button15", "Обнулить", "Обнулить таблицу клавиш цен", &StatusTab::Button15Click, ToolKind::Edit},
              });

    const char* const flagCaptions[] = {"Перегрузка", "Выбор тары", "Нулевой вес", "Двухдиапазонный режим",
                                        "Вес стабильный"};
    auto* state = new QVBoxLayout;
    for (std::size_t i = 0; i < m_flags.size(); ++i) {
        m_flags[i] =
            makeCheckBox(QStringLiteral("CheckBox%1").arg(9 + i), QString::fromUtf8(flagCaptions[i]), false, this);
        m_flags[i]->setEnabled(false); // they show the scale's state
        state->addWidget(m_flags[i]);
    }
    m_weight = makeShowField(QStringLiteral("Edit8"), this);
    m_price = makeShowField(QStringLiteral("Edit10"), this);
    m_total = makeShowField(QStringLiteral("Edit9"), this);
    m_product = makeShowField(QStringLiteral("Edit11"), this);
    auto* values = new QFormLayout;
    values->addRow(makeLabel(QStringLiteral("Вес, гр."), this), m_weight);
    values->addRow(makeLabel(QStringLiteral("Цена, коп."), this), m_price);
    values->addRow(makeLabel(QStringLiteral("Стоимость, коп."), this), m_total);
    values->addRow(makeLabel(QStringLiteral("Номер выбранного товара"), this), m_product);

    auto* left = new QVBoxLayout;
    left->addWidget(makeLabel(QStringLiteral("Выбор весов"), this));
    left->addWidget(chooser);
    left->addLayout(state);
    left->addLayout(values);
    left->addStretch(1);

    auto* keys = new QVBoxLayout;
    keys->addWidget(makeLabel(QStringLiteral("Таблица клавиш цен"), this));
    keys->addWidget(m_grid, 1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(keys, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_scale.toolbar());
    layout->addLayout(m_scale.addProgressRow(QStringLiteral("KeysProgressBar"), QStringLiteral("KeysCounter"),
                                             QStringLiteral("KeysStopButton")));
    layout->addLayout(columns, 1);
}

void StatusTab::showStatus(const ScaleStatus& s)
{
    const bool flags[] = {s.overload, s.tareSet, s.zeroWeight, s.dualRange, s.stable};
    for (std::size_t i = 0; i < m_flags.size(); ++i)
        m_flags[i]->setChecked(flags[i]);
    m_weight->setText(QString::number(s.weight));
    m_price->setText(QString::number(s.price));
    m_total->setText(QString::number(s.total));
    m_product->setText(QString::number(s.product));
}

void StatusTab::Button5Click()
{
    auto status = fieldSink(m_scale.context(), this, &StatusTab::showStatus);
    auto keys = std::make_shared<GridSink>(m_scale.context(), m_grid->tableModel());
    m_scale.runOnScale([status, keys](const ScaleLink& link) { readStatusAndKeys(link, *status, *keys); });
}

void StatusTab::Button6Click()
{
    const Table keys = m_grid->snapshot();
    std::vector<std::string> cells;
    for (int key = 1; key <= kPriceKeys; ++key)
        cells.push_back(keys.cell(key, 1));
    m_scale.runOnScale([cells](const ScaleLink& link) { writePriceKeys(link, cells); });
}

template <class F> void StatusTab::fillCells(F cellOf)
{
    if (m_grid->tableModel()->busy())
        return;
    for (int key = 1; key <= kPriceKeys; ++key)
        m_grid->tableModel()->setCell(key, 1, cellOf(key));
}

void StatusTab::Button12Click()
{
    const std::vector<std::string> cells = defaultPriceKeys();
    fillCells([&cells](int key) { return cells[key - 1]; });
}

void StatusTab::Button15Click()
{
    fillCells([](int) { return std::string(); });
}

} // namespace qm::app
