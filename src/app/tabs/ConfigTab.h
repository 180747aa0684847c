#pragma once
// Tab "Конфигурация": the configuration table `StringGrid4`, the list of scales every other tab
// picks its scale from, with its check and apply commands.

#include <QWidget>

class QCheckBox;
class QHBoxLayout;

namespace qm::app
{

class AppContext;
class StringGrid;

class ConfigTab : public QWidget
{
    Q_OBJECT
  public:
    explicit ConfigTab(AppContext& context, QWidget* parent = nullptr);

    StringGrid* grid() const { return m_grid; }
    QHBoxLayout* toolbar() const { return m_toolbar; }

    // Checks every scale row; the first wrong one gets its message and the cursor.
    void SpeedButton74Click();
    // Refills the eight scale choosers from column 1; each keeps the text it shows.
    void SpeedButton85Click();

  private:
    AppContext& m_context;
    StringGrid* m_grid; // `StringGrid4`
    QHBoxLayout* m_toolbar;
};

} // namespace qm::app
