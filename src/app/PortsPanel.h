#pragma once
// The small "Порты" list of the tab "Тесты": which COM names lead to a device now (from
// "ports.cfg" of the start directory and the serial devices the system reports), with the
// device path and, for USB adapters, their maker and product; below them the adapters that no
// COM name leads to yet. It also gives each entry of a port chooser the same line as its hint.
// The list is read again when the tab is shown and on "Обновить".

#include <QGroupBox>
#include <vector>

#include "link/PortList.h"

class QListWidget;

namespace qm::app
{

class AppContext;
class ChooserBox;

class PortsPanel : public QGroupBox
{
    Q_OBJECT
  public:
    PortsPanel(AppContext& context, ChooserBox* portChooser, QWidget* parent = nullptr);

    // Reads the port map and the system's devices again.
    void refresh();
    QListWidget* list() const { return m_list; }

    // The lines of the list: one per present COM name, then one per unnamed adapter.
    static QStringList lines(const std::vector<PortEntry>& entries, const std::vector<SystemPort>& unnamed);
    // The hint of a chooser entry: its device and what is there.
    static QString hint(const PortEntry& entry);

  private:
    // The chooser's own hint follows the port it shows.
    void showChosenHint();

    AppContext& m_context;
    ChooserBox* m_chooser;
    QListWidget* m_list;
};

} // namespace qm::app
