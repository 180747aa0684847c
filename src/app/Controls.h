#pragma once
// Small factories for the window's controls: each gets its component name as objectName and
// its hint as tooltip, so tests and the settings file find it by that name.

#include <QString>

#include "app/KeyFilter.h"
#include "app/ToolIcons.h"

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStyle;
class QToolButton;
class QWidget;

namespace qm::app
{

class AppContext;
class StringGrid;

// The picture names the operation; its short text shows only if the picture cannot be loaded.
QToolButton* makeToolButton(const QString& name, const QString& hint, ToolIcon icon, QWidget* parent);
QPushButton* makeButton(const QString& name, const QString& caption, const QString& hint, QWidget* parent);
QCheckBox* makeCheckBox(const QString& name, const QString& caption, bool checked, QWidget* parent);
QLineEdit* makeEdit(const QString& name, const QString& text, QWidget* parent);
QLineEdit* makeFilteredEdit(const QString& name, const QString& text, KeyRule rule, QWidget* parent);
// A read-only field that starts with "0": the totals and state fields.
QLineEdit* makeShowField(const QString& name, QWidget* parent);
QLabel* makeLabel(const QString& text, QWidget* parent, const QString& name = {});
// Hidden until an operation shows it.
QProgressBar* makeProgressBar(const QString& name, QWidget* parent);

// The progress controls of a tab that runs long operations, hidden when idle, in one row: the
// bar, the counter label (caption "0") and the stop button "Остановить".
struct ProgressControls {
    QProgressBar* bar;
    QLabel* counter;
    QPushButton* stop;
    QHBoxLayout* row;
};
ProgressControls makeProgressControls(const QString& barName, const QString& counterName, const QString& stopName,
                                      QWidget* parent);

// A font button of a table: the shared font dialog, starting from the last font chosen; OK
// gives the table that font, Cancel changes nothing.
QToolButton* makeFontButton(const QString& name, const QString& hint, StringGrid* grid, AppContext& context,
                            QWidget* parent);

} // namespace qm::app
