#pragma once
// Tab "Сообщения": the message table `StringGrid2` and its commands, laid out as the product tab.

#include <QWidget>

#include "app/GuiFeedback.h"

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace qm::app
{

class AppContext;
class ChooserBox;
class StringGrid;

class MessagesTab : public QWidget
{
    Q_OBJECT
  public:
    explicit MessagesTab(AppContext& context, QWidget* parent = nullptr);

    StringGrid* grid() const { return m_grid; }
    // The command buttons' row; it ends with a stretch, so insert before the last item:
    // toolbar()->insertWidget(toolbar()->count() - 1, button).
    QHBoxLayout* toolbar() const { return m_toolbar; }
    TabProgress progress() const;

    void Button17Click();

  private:
    AppContext& m_context;
    StringGrid* m_grid; // `StringGrid2`
    QHBoxLayout* m_toolbar;
    ChooserBox* m_chooser;         // `ComboBox10`
    QLineEdit* m_msgNumber;        // `Edit36`, "№ MSG"
    QCheckBox* m_checkBeforeWrite; // `CheckBox21`
    QProgressBar* m_progressBar;   // `ProgressBar2`
    QLabel* m_counter;             // `Label66`
    QPushButton* m_stop;           // `Button17`
};

} // namespace qm::app
