#pragma once
// The small "Порты" list of the tab "Тесты": which COM names lead to a device now (from
// "ports.cfg" of the start directory and the serial devices the system reports), with the
// device path and, for USB adapters, their maker and product; below them the adapters that no
// COM name leads to yet. It also gives each entry of a port chooser the same line as its hint.
// The list is read again when the tab is shown and on "Обновить". The reading runs on a thread of
// its own: a network port's probe may take a second, the window must not wait for it.

#include <QGroupBox>
#include <optional>
#include <string>
#include <vector>

#include "link/PortList.h"

class QListWidget;
class QThread;

namespace qm::app
{

class AppContext;
class ChooserBox;

class PortsPanel : public QGroupBox
{
    Q_OBJECT
  public:
    PortsPanel(AppContext& context, ChooserBox* portChooser, QWidget* parent = nullptr);
    // Waits for a reading still running (a network probe ends within a second).
    ~PortsPanel() override;

    // Reads the port map and the system's devices again, off the window's thread; the list
    // follows when the reading is done. Asked while one runs, another follows it.
    void refresh();
    // A reading runs or is about to.
    bool reading() const { return m_reader != nullptr || m_readAgain; }
    QListWidget* list() const { return m_list; }

    // The lines of the list: one per present COM name, then one per unnamed adapter.
    static QStringList lines(const std::vector<PortEntry>& entries, const std::vector<SystemPort>& unnamed);
    // The hint of a chooser entry: its device and what is there.
    static QString hint(const PortEntry& entry);

    // What a reading found.
    struct Found {
        std::optional<std::string> mapError;
        std::vector<PortEntry> entries;
        std::vector<SystemPort> unnamed;
    };

  private:
    void showFound(const Found& found);
    // The chooser's own hint follows the port it shows.
    void showChosenHint();

    AppContext& m_context;
    ChooserBox* m_chooser;
    QListWidget* m_list;
    QThread* m_reader = nullptr;
    bool m_readAgain = false;
};

} // namespace qm::app
