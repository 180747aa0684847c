#include "link/TComm.h"

#include <QSerialPort>
#include <QSerialPortInfo>
#include <QTcpSocket>
#include <QThread>
#include <chrono>
#include <thread>

#include "link/ByteTrace.h"
#include "link/NetAddress.h"
#include "link/TcpConnect.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace qm
{

namespace
{

constexpr int kQueueSize = 1600;
// GetByte is called when GetIn shows bytes waiting; when none comes within this time the
// read fails instead of hanging the operation.
constexpr int kGetByteWaitMs = 1000;

bool isRealError(QSerialPort::SerialPortError e)
{
    return e != QSerialPort::NoError && e != QSerialPort::TimeoutError;
}

} // namespace

TComm::TComm(PortMap ports) : m_ports(std::move(ports)) {}

TComm::~TComm() = default;

std::string TComm::devicePath() const
{
    return m_ports.device(static_cast<int>(m_port) + 1);
}

void TComm::fail(int code, const std::string& text)
{
    m_lastErrorText = text;
    m_pendingError = code;
    throw PortError(code, text.empty() ? "Ошибка порта " + std::to_string(code) : text);
}

void TComm::Disconnect()
{
    if (m_io) {
        constexpr int kDrainMs = 500;
        if (m_io->isOpen() && m_io->bytesToWrite() > 0)
            m_io->waitForBytesWritten(kDrainMs);
        closeDevices();
        if (m_trace)
            m_trace->note("disconnect");
    }
    m_connected = false;
}

void TComm::closeDevices()
{
    if (m_io)
        m_io->close();
    m_io = nullptr;
    m_device.reset();
    m_socket.reset();
    m_socketDevice.clear();
}

bool TComm::isOpen() const
{
    return m_io && m_io->isOpen();
}

std::string TComm::portLabel(const std::string& device) const
{
    return "COM" + std::to_string(static_cast<int>(m_port) + 1) + " (" + device + "): ";
}

void TComm::waitForRead(int msecs)
{
    if (!m_io->waitForReadyRead(msecs) && m_device && m_device->error() == QSerialPort::TimeoutError)
        m_device->clearError();
}

std::pair<int, std::string> TComm::lineFault() const
{
    if (m_device && isRealError(m_device->error()))
        return {static_cast<int>(m_device->error()), m_device->errorString().toStdString()};
    // A socket's error stays set after a wait that timed out; only the state tells a closed one.
    if (m_socket && m_socket->state() != QAbstractSocket::ConnectedState)
        return {kErrorConnectionLost, "connection closed: " + m_socket->errorString().toStdString()};
    return {0, {}};
}

void TComm::connectNetwork(const std::string& device)
{
    if (m_socket && m_socketDevice == device && m_socket->state() == QAbstractSocket::ConnectedState) {
        m_pendingError = 0;
        m_connected = true;
        return;
    }
    closeDevices();
    const auto parsed = parseNetAddress(device);
    if (const auto* reason = std::get_if<std::string>(&parsed)) {
        fail(kErrorNoConnection, portLabel(device) + "ports.cfg: " + *reason);
        return;
    }
    const NetAddress& address = std::get<NetAddress>(parsed);
    if (m_trace)
        m_trace->note("connect " + device + " " + std::to_string(baudRate(m_baud)));
    // A stop meant for an earlier operation must not end this one's connect: only one that comes
    // during it counts.
    const bool stoppedBefore = m_stopCheck && m_stopCheck();
    const TcpOpened opened = connectTcp(
        address, kConnectTimeoutMs, [this, stoppedBefore] { return !stoppedBefore && m_stopCheck && m_stopCheck(); });
    auto socket = std::make_unique<QTcpSocket>();
    if (opened.fd < 0 || !socket->setSocketDescriptor(opened.fd)) {
        const std::string reason = opened.fd < 0 ? opened.error : socket->errorString().toStdString();
#ifndef _WIN32
        if (opened.fd >= 0)
            closeTcp(opened.fd);
#endif
        if (m_trace)
            m_trace->note("no connection: " + reason);
        fail(kErrorNoConnection, portLabel(device) + reason);
        return;
    }
    m_socket = std::move(socket);
    m_io = m_socket.get();
    m_socketDevice = device;
    m_allowanceMs = address.allowanceMs;
    m_pendingError = 0;
    m_connected = true;
}

void TComm::Connect()
{
    const std::string path = devicePath();
    if (isNetworkDevice(path)) {
        connectNetwork(path);
        return;
    }
    if (m_connected && m_io)
        m_io->close();
    m_socket.reset();
    m_socketDevice.clear();
    // A fresh device object each time, owned by the thread that connects: in the window that
    // is the worker thread on which every exchange runs.
    m_device = std::make_unique<QSerialPort>();
    m_io = nullptr;
    m_device->setPortName(QString::fromStdString(path));
    if (m_trace)
        m_trace->note("connect " + path + " " + std::to_string(baudRate(m_baud)));
    if (!m_device->open(QIODevice::ReadWrite)) {
        const int code = static_cast<int>(m_device->error());
        const std::string text = portLabel(path) + m_device->errorString().toStdString();
        m_device.reset();
        fail(code, text);
        return;
    }
    m_device->setReadBufferSize(kQueueSize);
    m_pendingError = 0;
    // 8 data bits, no parity, one stop bit; the component's "hardware" flow control only switches
    // XON/XOFF off, the handshake lines stay as they are.
    const bool ok = m_device->setBaudRate(baudRate(m_baud)) && m_device->setDataBits(QSerialPort::Data8) &&
                    m_device->setParity(QSerialPort::NoParity) && m_device->setStopBits(QSerialPort::OneStop) &&
                    m_device->setFlowControl(QSerialPort::NoFlowControl);
    if (!ok) {
        const int code = static_cast<int>(m_device->error());
        const std::string text = path + ": " + m_device->errorString().toStdString();
        m_device->close();
        m_device.reset();
        fail(code, text);
        return;
    }
    m_io = m_device.get();
    m_connected = true;
}

void TComm::SendBytes(const std::uint8_t* data, size_t size)
{
    if (!isOpen()) {
        fail(kErrorNotOpen, "Порт не открыт");
        return;
    }
    if (m_trace)
        m_trace->sent(data, size);
    const auto written = m_io->write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    if (written != static_cast<qint64>(size)) {
        const auto fault = lineFault();
        fail(fault.first ? fault.first : kErrorConnectionLost, m_io->errorString().toStdString());
        return;
    }
    // Synchronous like the device write it stands for: the bytes reach the device now.
    while (m_io->bytesToWrite() > 0) {
        if (!m_io->waitForBytesWritten(1000)) {
            if (const auto fault = lineFault(); fault.first) {
                fail(fault.first, fault.second);
                return;
            }
            if (m_device)
                m_device->clearError();
            break;
        }
    }
}

LineFactory TComm::cycleLines()
{
    LineFactory lines;
    lines.open = [](const PortMap& ports, ByteTrace* trace, const std::function<bool()>& stopped) {
        auto comm = std::make_unique<TComm>(ports);
        comm->setTrace(trace);
        comm->setStopCheck(stopped);
        return std::unique_ptr<SerialLine>(std::move(comm));
    };
    lines.runTogether = &TComm::runTogether;
    return lines;
}

void TComm::runTogether(std::vector<std::function<void()>>& jobs)
{
    // A thread the toolkit started: the port's notifiers need one.
    std::vector<std::unique_ptr<QThread>> threads;
    for (auto& job : jobs) {
        threads.emplace_back(QThread::create(job));
        threads.back()->start();
    }
    for (auto& thread : threads)
        thread->wait();
}

std::uint8_t TComm::GetByte()
{
    if (!isOpen()) {
        fail(kErrorNotOpen, "Порт не открыт");
        return 0;
    }
    if (m_io->bytesAvailable() == 0)
        waitForRead(kGetByteWaitMs);
    char c = 0;
    if (m_io->read(&c, 1) != 1) {
        fail(kErrorNoByte, "Нет байта во входной очереди порта");
        return 0;
    }
    const auto b = static_cast<std::uint8_t>(c);
    if (m_trace)
        m_trace->received(&b, 1);
    return b;
}

std::vector<std::uint8_t> TComm::GetBytes(int n)
{
    std::vector<std::uint8_t> out;
    if (!isOpen()) {
        fail(kErrorNotOpen, "Порт не открыт");
        return out;
    }
    out.reserve(static_cast<size_t>(n));
    while (static_cast<int>(out.size()) < n) {
        if (m_io->bytesAvailable() == 0)
            waitForRead(kGetByteWaitMs);
        const QByteArray chunk = m_io->read(n - static_cast<int>(out.size()));
        if (chunk.isEmpty()) {
            fail(kErrorNoByte, "Нет байта во входной очереди порта");
            return out;
        }
        out.insert(out.end(), chunk.begin(), chunk.end());
    }
    if (m_trace)
        m_trace->received(out.data(), out.size());
    return out;
}

void TComm::checkLineErrors()
{
    const auto [code, text] = lineFault();
    if (m_device && m_device->error() != QSerialPort::NoError)
        m_device->clearError();
    if (code != 0 && m_pendingError == 0)
        fail(code, text);
}

int TComm::GetIn()
{
    if (!isOpen())
        return 0;
    // A status query: pull what the device holds into the queue without waiting.
    m_io->waitForReadyRead(0);
    checkLineErrors();
    return static_cast<int>(m_io->bytesAvailable());
}

void TComm::waitForInput(int msecs)
{
    if (msecs <= 0)
        return;
    if (!isOpen() || (m_socket && m_socket->state() != QAbstractSocket::ConnectedState)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(msecs));
        return;
    }
    waitForRead(msecs);
}

void TComm::note(const std::string& text)
{
    if (m_trace)
        m_trace->note(text);
}

std::vector<SystemPort> systemSerialPorts()
{
    std::vector<SystemPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SystemPort port;
        port.name = info.portName().toStdString();
        port.device = info.systemLocation().toStdString();
        port.description = info.description().trimmed().toStdString();
        port.manufacturer = info.manufacturer().trimmed().toStdString();
        port.usb = info.hasVendorIdentifier();
        ports.push_back(std::move(port));
    }
    return ports;
}

} // namespace qm
