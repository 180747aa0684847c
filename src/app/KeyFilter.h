#pragma once
// Key filters of the edit fields: every key that produces a character is let through or
// swallowed by the field's rule; keys that produce none (arrows, Delete, function keys, Tab and
// control combinations such as Ctrl+V) are never filtered.

#include <QObject>

class QKeyEvent;
class QWidget;

namespace qm::app
{

enum class KeyRule {
    Digits,         // 0..9 and Backspace
    DigitsAndPoint, // a date: also "."
    DigitsAndColon, // a time: also ":"
    Nothing,        // every character key is swallowed, Backspace too
};

// Printable characters and Backspace.
bool producesCharacter(const QKeyEvent& event);
bool keyAllowed(KeyRule rule, const QKeyEvent& event);

class KeyFilter : public QObject
{
    Q_OBJECT
  public:
    KeyFilter(KeyRule rule, QObject* parent) : QObject(parent), m_rule(rule) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    KeyRule m_rule;
};

// Installs a filter owned by the widget.
void installKeyFilter(QWidget* widget, KeyRule rule);

} // namespace qm::app
