#include "app/KeyFilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace qm::app
{

namespace
{
constexpr char16_t kBackspace = 0x08;
}

bool producesCharacter(const QKeyEvent& event)
{
    const QString text = event.text();
    if (text.isEmpty())
        return false;
    const char16_t c = text.at(0).unicode();
    return c == kBackspace || (c >= 0x20 && c != 0x7F);
}

bool keyAllowed(KeyRule rule, const QKeyEvent& event)
{
    if (!producesCharacter(event))
        return true;
    if (event.text().size() != 1)
        return false;
    const char16_t c = event.text().at(0).unicode();
    return c == kBackspace ? rule != KeyRule::Nothing : characterAllowed(rule, c);
}

bool characterAllowed(KeyRule rule, char16_t c)
{
    const bool digit = c >= u'0' && c <= u'9';
    switch (rule) {
    case KeyRule::Nothing:
        return false;
    case KeyRule::Digits:
        return digit;
    case KeyRule::DigitsAndPoint:
        return digit || c == u'.';
    case KeyRule::DigitsAndColon:
        return digit || c == u':';
    }
    return false;
}

QValidator::State FieldValidator::validate(QString& input, int& pos) const
{
    // QLineEdit resets its modified state before it validates a text the program sets, and has
    // it set while it validates an edit of the user's.
    const auto* edit = qobject_cast<const QLineEdit*>(parent());
    if (edit && edit->isModified()) {
        if (m_rule == KeyRule::Nothing)
            return Invalid;
        QString kept;
        int keptPos = 0;
        for (int i = 0; i < input.size(); ++i) {
            if (!characterAllowed(m_rule, input.at(i).unicode()))
                continue;
            kept += input.at(i);
            if (i < pos)
                ++keptPos;
        }
        input = kept;
        pos = keptPos;
    }
    return CellValidator::validate(input, pos);
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && !keyAllowed(m_rule, *static_cast<QKeyEvent*>(event)))
        return true;
    return QObject::eventFilter(watched, event);
}

void installKeyFilter(QWidget* widget, KeyRule rule)
{
    widget->installEventFilter(new KeyFilter(rule, widget));
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        const QValidator* plain = edit->validator(); // the code page guard, which the new one holds
        edit->setValidator(new FieldValidator(rule, edit));
        if (plain && plain->parent() == edit)
            delete plain;
    }
}

} // namespace qm::app
