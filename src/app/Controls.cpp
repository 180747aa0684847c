#include "app/Controls.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

#include "app/AppContext.h"
#include "app/CellValidator.h"
#include "app/StringGrid.h"
#include "app/UserDialogs.h"

namespace qm::app
{

QToolButton* makeToolButton(const QString& name, const QString& hint, ToolIcon icon, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    const QSize pictureSize(20, 20);
    const QIcon picture = toolIcon(icon);
    // Without the SVG plugins the icon is not null, it just draws nothing.
    if (picture.pixmap(pictureSize).isNull())
        button->setText(toolIconGlyph(icon));
    else
        button->setIcon(picture);
    button->setIconSize(pictureSize);
    button->setAutoRaise(true);
    button->setMinimumSize(26, 26);
    return button;
}

QPushButton* makeButton(const QString& name, const QString& caption, const QString& hint, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    if (!hint.isEmpty())
        button->setToolTip(hint);
    return button;
}

QCheckBox* makeCheckBox(const QString& name, const QString& caption, bool checked, QWidget* parent)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setChecked(checked);
    return box;
}

QLineEdit* makeEdit(const QString& name, const QString& text, QWidget* parent)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    // Field texts go to files and scales in code page 1251: a foreign character is refused.
    edit->setValidator(new CellValidator(edit));
    return edit;
}

QLineEdit* makeFilteredEdit(const QString& name, const QString& text, KeyRule rule, QWidget* parent)
{
    QLineEdit* edit = makeEdit(name, text, parent);
    installKeyFilter(edit, rule);
    return edit;
}

QLineEdit* makeShowField(const QString& name, QWidget* parent)
{
    QLineEdit* edit = makeEdit(name, QStringLiteral("0"), parent);
    edit->setReadOnly(true);
    return edit;
}

QLabel* makeLabel(const QString& text, QWidget* parent, const QString& name)
{
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

QProgressBar* makeProgressBar(const QString& name, QWidget* parent)
{
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(name);
    bar->setTextVisible(false);
    bar->hide();
    return bar;
}

QToolButton* makeFontButton(const QString& name, const QString& hint, StringGrid* grid, AppContext& context,
                            QWidget* parent)
{
    QToolButton* button = makeToolButton(name, hint, ToolIcon::Font, parent);
    QObject::connect(button, &QToolButton::clicked, grid, [grid, &context] {
        if (const auto font = context.dialogs().chooseFont(context.lastFont())) {
            context.lastFont() = *font;
            grid->setFont(*font);
        }
    });
    return button;
}

ProgressControls makeProgressControls(const QString& barName, const QString& counterName, const QString& stopName,
                                      QWidget* parent)
{
    ProgressControls c{};
    c.bar = makeProgressBar(barName, parent);
    c.counter = makeLabel(QStringLiteral("0"), parent, counterName);
    c.counter->hide();
    c.stop = makeButton(stopName, QStringLiteral("Остановить"), QStringLiteral("Остановить процесс"), parent);
    c.stop->hide();
    c.row = new QHBoxLayout;
    c.row->addWidget(c.bar, 1);
    c.row->addWidget(c.counter);
    c.row->addWidget(c.stop);
    return c;
}

} // namespace qm::app
