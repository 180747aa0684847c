#pragma once
// Key filters of the edit fields: every key that produces a character is let through or
// swallowed by the field's rule; keys that produce none (arrows, Delete, function keys, Tab and
// control combinations such as Ctrl+V) are never filtered. Text that arrives otherwise (Ctrl+V,
// Shift+Insert, the context menu's paste, the X11 selection, a drop) meets the same rule in the
// field's validator (FieldValidator), so a digit field holds digits however it was filled.

#include <QObject>

#include "app/CellValidator.h"

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
// One character of text (Backspace is a key, never text): whether the rule lets it in.
bool characterAllowed(KeyRule rule, char16_t c);

// The field's guard for text the user puts in by any route: the characters the rule refuses are
// dropped and the rest goes in ("12a3" pasted into a digit field gives "123"); a field that takes
// no character refuses the change whole. Only the user's changes are filtered: a text the program
// sets (a value read from a scale, a line of the settings file) is shown as it is, since changing
// it there would show something the scale or the file never held. Code page 1251 is checked as in
// every field (CellValidator).
class FieldValidator : public CellValidator
{
    Q_OBJECT
  public:
    FieldValidator(KeyRule rule, QObject* parent) : CellValidator(parent), m_rule(rule) {}
    State validate(QString& input, int& pos) const override;

  private:
    KeyRule m_rule;
};

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

// Installs a filter owned by the widget; a line edit gets the rule's FieldValidator too.
void installKeyFilter(QWidget* widget, KeyRule rule);

} // namespace qm::app
