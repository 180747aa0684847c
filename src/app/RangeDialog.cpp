#include "app/RangeDialog.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/AppContext.h"
#include "app/KeyFilter.h"
#include "app/UserDialogs.h"
#include "files/RowRange.h"

namespace qm::app
{

namespace
{

// The fields' key rule, applied to the text as it stands before the key changes it.
class RangeKeyFilter : public QObject
{
  public:
    RangeKeyFilter(int limit, QLineEdit* field) : QObject(field), m_limit(limit), m_field(field) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (!producesCharacter(key))
            return false;
        const QString text = key.text();
        // Anything but one plain ASCII character is no digit: it stands for a refused key.
        const char c = text.size() == 1 && text.at(0).unicode() < 0x80 ? static_cast<char>(text.at(0).unicode()) : 'x';
        return !rangeKeyAccepted(m_field->text().toStdString(), c, m_limit);
    }

  private:
    int m_limit;
    QLineEdit* m_field;
};

QLineEdit* makeField(const QString& name, const QString& text, int limit, QWidget* parent)
{
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(name);
    field->setMaximumWidth(80);
    field->installEventFilter(new RangeKeyFilter(limit, field));
    // Pasted or dropped text: its digits only, as typed.
    field->setValidator(new FieldValidator(KeyRule::Digits, field));
    return field;
}

} // namespace

RangeDialog::RangeDialog(AppContext& context, Setup setup)
    : QDialog(nullptr), m_context(context), m_setup(std::move(setup))
{
    setObjectName(m_setup.name);
    setWindowTitle(QStringLiteral("Ввод параметров"));
    setModal(false);
    // The main window's close ends the program even while a dialog is on screen.
    setAttribute(Qt::WA_QuitOnClose, false);
    if (m_setup.stayOnTop)
        setWindowFlag(Qt::WindowStaysOnTopHint, true);

    auto* layout = new QVBoxLayout(this);
    int labelNumber = 1;
    for (const QString& line : m_setup.heading) {
        auto* label = new QLabel(line, this);
        label->setObjectName(QStringLiteral("Label%1").arg(labelNumber++));
        layout->addWidget(label);
    }

    m_first = makeField(QStringLiteral("Edit1"), m_setup.firstText, m_setup.keyLimit, this);
    m_last = makeField(QStringLiteral("Edit2"), m_setup.lastText, m_setup.keyLimit, this);
    auto* fields = new QGridLayout;
    if (!m_setup.firstLabel.isEmpty())
        fields->addWidget(new QLabel(m_setup.firstLabel, this), 0, 0);
    fields->addWidget(m_first, 0, 1);
    if (!m_setup.lastLabel.isEmpty())
        fields->addWidget(new QLabel(m_setup.lastLabel, this), 0, 2);
    fields->addWidget(m_last, 0, 3);
    fields->setColumnStretch(4, 1);
    layout->addLayout(fields);

    m_apply = new QPushButton(QStringLiteral("Применить"), this);
    m_apply->setObjectName(QStringLiteral("Button1"));
    m_apply->setAutoDefault(false);
    m_cancel = new QPushButton(QStringLiteral("Отмена"), this);
    m_cancel->setObjectName(QStringLiteral("Button2"));
    m_cancel->setAutoDefault(false);
    connect(m_apply, &QPushButton::clicked, this, &RangeDialog::Button1Click);
    connect(m_cancel, &QPushButton::clicked, this, &RangeDialog::Button2Click);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_apply);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
}

void RangeDialog::showFor(QWidget* mainWindow)
{
    m_main = mainWindow;
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    activateWindow();
    if (m_main)
        m_main->showMinimized();
}

void RangeDialog::restoreMain(Restore how)
{
    if (!m_main)
        return;
    if (how == Restore::Normal)
        m_main->showNormal();
    else
        m_main->showMaximized();
}

void RangeDialog::Button1Click()
{
    if (!m_setup.check)
        return;
    const RangeCheck verdict = m_setup.check(m_first->text().toStdString(), m_last->text().toStdString());
    if (!verdict.range) {
        m_context.dialogs().message(verdict.message);
        return;
    }
    m_firstValue = verdict.range->first;
    m_lastValue = verdict.range->last;
    hide();
    restoreMain(Restore::Maximised);
    QCoreApplication::processEvents();
    if (m_setup.run)
        m_setup.run(m_firstValue, m_lastValue);
    if (m_setup.focusAfter)
        m_setup.focusAfter->setFocus();
}

void RangeDialog::Button2Click()
{
    hide();
    restoreMain(m_setup.cancelRestore);
}

void RangeDialog::reject()
{
    // Closing the window or Escape: the main window comes back maximised.
    hide();
    restoreMain(Restore::Maximised);
}

} // namespace qm::app
