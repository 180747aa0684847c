#pragma once
// Tab "Товары": the product table `StringGrid1` and its commands. The command buttons go on the
// toolbar row; a scale command registers itself with the runner so that it is disabled while
// another operation runs.

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

class ProductsTab : public QWidget
{
    Q_OBJECT
  public:
    explicit ProductsTab(AppContext& context, QWidget* parent = nullptr);

    StringGrid* grid() const { return m_grid; }
    // The command buttons' row; it ends with a stretch, so insert before the last item:
    // toolbar()->insertWidget(toolbar()->count() - 1, button).
    QHBoxLayout* toolbar() const { return m_toolbar; }
    TabProgress progress() const;

    void Button16Click();

  private:
    AppContext& m_context;
    StringGrid* m_grid; // `StringGrid1`
    QHBoxLayout* m_toolbar;
    ChooserBox* m_chooser;         // `ComboBox8`, the scale
    QLineEdit* m_pluNumber;        // `Edit35`, "№ PLU"
    ChooserBox* m_logoChooser;     // `ComboBox9`, logo of rows read from a .plu file
    QCheckBox* m_checkBeforeWrite; // `CheckBox20`
    QCheckBox* m_virtualSync;      // `CheckBox22`
    QProgressBar* m_progressBar;   // `ProgressBar1`
    QLabel* m_counter;             // `Label65`
    QPushButton* m_stop;           // `Button16`
};

} // namespace qm::app
