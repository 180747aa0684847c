#pragma once
// Tab "Конфигурация": the configuration table `StringGrid4`, the list of scales every other tab
// picks its scale from, with its check and apply commands.

#include <QWidget>

#include "app/ScaleTab.h"

namespace qm::app
{

class TableCommands;

class ConfigTab : public QWidget
{
    Q_OBJECT
  public:
    explicit ConfigTab(AppContext& context, QWidget* parent = nullptr);

    StringGrid* grid() const { return m_grid; }

    // New, open and save of the configuration table (.cfl). Opening does not apply it.
    void SpeedButton65Click();
    void SpeedButton66Click();
    void SpeedButton67Click();
    // Print preview of the table.
    void SpeedButton68Click();
    // "Экспорт в CSV", "Импорт из CSV". An imported table is not applied either.
    void exportCsv();
    void importCsv();
    // Row editing: add, copy, insert, delete a row, sort by the number in column 0.
    void SpeedButton69Click();
    void SpeedButton70Click();
    void SpeedButton71Click();
    void SpeedButton72Click();
    void SpeedButton73Click();
    // Checks every scale row; the first wrong one gets its message and the cursor.
    void SpeedButton74Click();
    // Refills the eight scale choosers from column 1; each keeps the text it shows.
    void SpeedButton85Click();
    // A product or message file for the current scale row (columns 6 and 7).
    void SpeedButton86Click();

  private:
    AppContext& m_context;
    ScaleTab m_scale;
    StringGrid* m_grid; // `StringGrid4`
    TableCommands* m_commands = nullptr;
};

} // namespace qm::app
