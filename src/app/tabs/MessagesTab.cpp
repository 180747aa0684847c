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
#include "app/StringGrid.h"

namespace qm::app
{

MessagesTab::MessagesTab(AppContext& context, QWidget* parent) : QWidget(parent), m_context(context)
{
    m_grid = new StringGrid(QStringLiteral("StringGrid2"), messageLayout(), makeTable(messageLayout()), this);
    m_grid->tableModel()->setOnEdited([&context] { context.state().messagesModified = true; });
    context.addGrid(TableId::Messages, m_grid);

    m_toolbar = new QHBoxLayout;
    m_toolbar->setSpacing(2);
    m_toolbar->addWidget(makeFontButton(QStringLiteral("SpeedButton63"),
                                        QStringLiteral("Выбор шрифта таблицы сообщений"), m_grid, context, this));
    m_toolbar->addStretch(1);

    m_chooser = new ChooserBox(QStringLiteral("ComboBox10"), this);
    context.choosers().add(10, m_chooser);
    m_msgNumber = makeFilteredEdit(QStringLiteral("Edit36"), QStringLiteral("1"), KeyRule::Digits, this);
    m_msgNumber->setMaximumWidth(60);
    m_checkBeforeWrite =
        makeCheckBox(QStringLiteral("CheckBox21"), QStringLiteral("Протестировать данные перед записью"), true, this);

    m_progressBar = makeProgressBar(QStringLiteral("ProgressBar2"), this);
    m_counter = makeLabel(QStringLiteral("0"), this, QStringLiteral("Label66"));
    m_counter->hide();
    m_stop = makeButton(QStringLiteral("Button17"), QStringLiteral("Остановить"), QStringLiteral("Остановить процесс"),
                        this);
    m_stop->hide();
    connect(m_stop, &QPushButton::clicked, this, &MessagesTab::Button17Click);

    auto* options = new QGridLayout;
    options->addWidget(makeLabel(QStringLiteral("Выбор весов"), this), 0, 0);
    options->addWidget(m_chooser, 1, 0);
    options->addWidget(makeLabel(QStringLiteral("№ MSG"), this), 0, 1);
    options->addWidget(m_msgNumber, 1, 1);
    options->addWidget(m_checkBeforeWrite, 1, 2);
    options->setColumnStretch(3, 1);

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

void MessagesTab::Button17Click()
{
    m_context.state().stop.store(true);
}

TabProgress MessagesTab::progress() const
{
    return {m_progressBar, m_counter, m_stop};
}

} // namespace qm::app
