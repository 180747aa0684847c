#pragma once
// Tab "Тесты": link tests of the configured scales into the test table `StringGrid6`, the panel
// that finds the number of an unknown scale on a port, and the list of the ports present.

#include <QWidget>
#include <filesystem>
#include <optional>

#include "app/ScaleTab.h"

class QLineEdit;

namespace qm::app
{

class PortsPanel;

class TestsTab : public QWidget
{
    Q_OBJECT
  public:
    explicit TestsTab(AppContext& context, QWidget* parent = nullptr);

    StringGrid* grid() const { return m_grid; }
    TabProgress progress() const { return m_scale.progress(); }
    PortsPanel* ports() const { return m_ports; }

    // Tests the scale chosen in `ComboBox11` into row 1, on the worker thread.
    void SpeedButton80Click();
    // Tests every row of the configuration, with the progress bar and `Button14` to stop.
    void SpeedButton81Click();
    // One empty row, cursor on its first cell.
    void SpeedButton82Click();
    // Finds the number of the scale on the port and speed of `ComboBox12` and `ComboBox13`.
    void Button13Click();
    // "Резервная копия весов…" and "Восстановить из копии…" of the menu "Подключения": the chosen
    // scale into a backup file, and a backup file into the chosen scale (backup/BackupTransfer.h).
    void SpeedButton112Click();
    void SpeedButton113Click();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // Runs a long test with the bar (and `Label62` where the test shows it); `Button14` is
    // live until the test ends.
    void runStoppable(ScaleTab::Work work);
    // The backup file chosen to save or to open; nullopt when the dialog was cancelled.
    std::optional<std::filesystem::path> chooseBackupFile(FileDialogSetup setup, bool forSaving);

    AppContext& m_context;
    // `ComboBox11` and the command row. `ProgressBar3` and `Label62` are hidden when idle; the
    // stop button `Button14` stays in place, disabled.
    ScaleTab m_scale;
    StringGrid* m_grid;    // `StringGrid6`
    ChooserBox* m_port;    // `ComboBox12`
    ChooserBox* m_speed;   // `ComboBox13`
    QLineEdit* m_number;   // `Edit34`
    QPushButton* m_detect; // `Button13`
    QPushButton* m_stop;   // `Button14`
    QProgressBar* m_bar;   // `ProgressBar3`
    QLabel* m_probe;       // `Label62`
    PortsPanel* m_ports;
};

} // namespace qm::app
