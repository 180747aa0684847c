#include "app/PortsPanel.h"

#include <QListWidget>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include "app/AppContext.h"
#include "app/ChooserBox.h"
#include "app/Controls.h"
#include "link/TComm.h"
#include "link/TcpConnect.h"

namespace qm::app
{

namespace
{
QString text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

// The port map, the system's devices and the network probes: any thread.
PortsPanel::Found readPorts(const std::string& startDirectory)
{
    const PortMap map = PortMap::load(startDirectory);
    const std::vector<SystemPort> system = systemSerialPorts();
    PortsPanel::Found found;
    found.mapError = map.error();
    // The network ports are tried all at once, for at most a second.
    found.entries = portEntries(map, system, probeNetworkPorts(map));
    found.unnamed = unnamedPorts(map, system);
    return found;
}
} // namespace

PortsPanel::PortsPanel(AppContext& context, ChooserBox* portChooser, QWidget* parent)
    : QGroupBox(QStringLiteral("Порты"), parent), m_context(context), m_chooser(portChooser)
{
    setObjectName(QStringLiteral("PortsPanel"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("PortsList"));
    // A few lines are enough: the table above keeps the room.
    m_list->setMaximumHeight(m_list->fontMetrics().lineSpacing() * 5 + 2 * m_list->frameWidth() + 4);
    m_list->setToolTip(QStringLiteral("COM-имена, за которыми сейчас есть устройство, и сетевые порты (ports.cfg: "
                                      "COMn=устройство или COMn=tcp://адрес:порт)"));
    QPushButton* again = makeButton(QStringLiteral("PortsRefresh"), QStringLiteral("Обновить"),
                                    QStringLiteral("Прочитать список портов заново"), this);
    connect(again, &QPushButton::clicked, this, &PortsPanel::refresh);
    connect(m_chooser, &ChooserBox::textChosen, this, &PortsPanel::showChosenHint);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(again, 0, Qt::AlignLeft);
}

QString PortsPanel::hint(const PortEntry& entry)
{
    QString line = text(entry.name) + QStringLiteral(": ") + text(entry.device);
    if (!entry.present && !entry.network)
        return line + QStringLiteral(", устройства нет");
    if (!entry.description.empty())
        line += QStringLiteral(", ") + text(entry.description);
    return line;
}

QStringList PortsPanel::lines(const std::vector<PortEntry>& entries, const std::vector<SystemPort>& unnamed)
{
    QStringList out;
    for (const PortEntry& entry : listedPorts(entries))
        out << text(entry.name) + QStringLiteral("  ") + text(entry.device) +
                   (entry.description.empty() ? QString() : QStringLiteral("  ") + text(entry.description));
    if (out.isEmpty())
        out << QStringLiteral("Ни одно COM-имя не ведет к устройству");
    for (const SystemPort& port : unnamed) {
        const std::string description = portDescription(port);
        out << text(port.device) + (description.empty() ? QString() : QStringLiteral("  ") + text(description)) +
                   QStringLiteral("  (нет COM-имени: COMn=") + text(port.device) + QStringLiteral(" в ports.cfg)");
    }
    return out;
}

PortsPanel::~PortsPanel()
{
    if (m_reader)
        m_reader->wait();
}

void PortsPanel::refresh()
{
    if (m_reader) {
        m_readAgain = true;
        return;
    }
    m_readAgain = false;
    const std::string directory = m_context.state().startDirectory.string();
    // The result is posted to the panel, which outlives the thread: the destructor waits for it.
    m_reader = QThread::create([this, directory] {
        const Found found = readPorts(directory);
        QMetaObject::invokeMethod(
            this, [this, found] { showFound(found); }, Qt::QueuedConnection);
    });
    m_reader->setParent(this);
    // Queued after the result, so the list is shown before a reading asked meanwhile starts.
    connect(m_reader, &QThread::finished, this, [this] {
        m_reader->deleteLater();
        m_reader = nullptr;
        if (m_readAgain)
            refresh();
    });
    m_reader->start();
}

void PortsPanel::showFound(const Found& found)
{
    m_list->clear();
    if (found.mapError)
        m_list->addItem(QString::fromStdString(*found.mapError).replace(QStringLiteral("\r\n"), QStringLiteral(" ")));
    m_list->addItems(lines(found.entries, found.unnamed));
    for (const PortEntry& entry : found.entries) {
        const int index = m_chooser->findText(text(entry.name));
        if (index >= 0)
            m_chooser->setItemData(index, hint(entry), Qt::ToolTipRole);
    }
    showChosenHint();
}

void PortsPanel::showChosenHint()
{
    const int index = m_chooser->findText(m_chooser->text());
    m_chooser->setToolTip(index >= 0 ? m_chooser->itemData(index, Qt::ToolTipRole).toString() : QString());
}

} // namespace qm::app
