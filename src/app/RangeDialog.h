#pragma once
// The one class behind every "Ввод параметров" dialog: a pair of numbers (first, last) for a
// range operation. Each use is a separate, non-modal window configured by a Setup:
//
//     RangeDialog::Setup s;
//     s.name = "Form4";                                  // objectName, found by tests
//     s.heading = {"Введите номера строк таблицы"};      // lines above the fields
//     s.firstLabel = "с"; s.lastLabel = "по";            // beside the fields (may be empty)
//     s.firstText = "0"; s.lastText = "0";               // initial texts, kept between uses
//     s.keyLimit = 4000;                                 // see the key filter below
//     s.check = [](const std::string& first, const std::string& last) -> RangeCheck {
//         ... the domain's check of the dialog (integer texts, bounds, swap) ...
//     };
//     s.run = [](int first, int last) { ... the continuation: the range operation ... };
//     s.focusAfter = grid;                               // gets the focus after run (optional)
//     s.cancelRestore = RangeDialog::Restore::Maximised; // Normal for the row-deleting dialogs
//     auto* dialog = new RangeDialog(context, s);        // no parent: a window of its own
//     ...
//     dialog->showFor(window());                         // shows it, minimises the main window
//
// Behaviour:
// - Key filter of both fields: digits and Backspace only, and no digit more once a text of
//   three or more characters holds a value above keyLimit. Keys that type no character are let
//   through; pasted text is not filtered, the check sees it.
// - "Применить" (`Button1`) runs `check` with both field texts (UTF-8); a refusal shows its
//   message in a box and the dialog stays open with its texts. Success stores first and last,
//   hides the dialog, maximises the main window, lets pending events be handled, runs `run`,
//   then focuses `focusAfter`.
// - "Отмена" (`Button2`) hides the dialog and restores the main window as `cancelRestore` says;
//   closing the window (or Escape) hides it and maximises the main window.
// The dialog has no parent widget, so that minimising the main window leaves it on screen; it
// does not keep the application running once the main window has closed. Whoever creates it
// deletes it (a std::unique_ptr in the tab).

#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <string>

#include "common/RangeCheck.h"

class QLineEdit;
class QPushButton;

namespace qm::app
{

class AppContext;

// The answer of a dialog's check: the range to use (first <= last), or the message to show.
class RangeDialog : public QDialog
{
    Q_OBJECT
  public:
    enum class Restore { Maximised, Normal };

    struct Setup {
        QString name;
        QStringList heading;
        QString firstLabel;
        QString lastLabel;
        QString firstText = QStringLiteral("0");
        QString lastText = QStringLiteral("0");
        int keyLimit = 4000;
        bool stayOnTop = false;
        Restore cancelRestore = Restore::Maximised;
        std::function<RangeCheck(const std::string& first, const std::string& last)> check;
        std::function<void(int first, int last)> run;
        QPointer<QWidget> focusAfter;
    };

    RangeDialog(AppContext& context, Setup setup);

    // Shows the dialog centred on the screen with the texts of its last use and minimises
    // `mainWindow`, which the dialog restores when it goes.
    void showFor(QWidget* mainWindow);

    QLineEdit* firstField() const { return m_first; }
    QLineEdit* lastField() const { return m_last; }
    QPushButton* applyButton() const { return m_apply; }
    QPushButton* cancelButton() const { return m_cancel; }
    // The pair of the last successful "Применить".
    int first() const { return m_firstValue; }
    int last() const { return m_lastValue; }

    // "Применить" and "Отмена".
    void Button1Click();
    void Button2Click();

  public slots:
    void reject() override;

  private:
    void restoreMain(Restore how);

    AppContext& m_context;
    Setup m_setup;
    QLineEdit* m_first;
    QLineEdit* m_last;
    QPushButton* m_apply;
    QPushButton* m_cancel;
    QPointer<QWidget> m_main;
    int m_firstValue = 0;
    int m_lastValue = 0;
};

} // namespace qm::app
