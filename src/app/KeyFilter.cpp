#include "app/KeyFilter.h"

#include <QKeyEvent>
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
    const char16_t c = event.text().at(0).unicode();
    if (event.text().size() != 1)
        return false;
    switch (rule) {
    case KeyRule::Nothing:
        return false;
    case KeyRule::Digits:
        return (c >= u'0' && c <= u'9') || c == kBackspace;
    case KeyRule::DigitsAndPoint:
        return (c >= u'0' && c <= u'9') || c == kBackspace || c == u'.';
    case KeyRule::DigitsAndColon:
        return (c >= u'0' && c <= u'9') || c == kBackspace || c == u':';
    }
    return false;
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
}

} // namespace qm::app
