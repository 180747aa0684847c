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
#include <termios.h>
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

QSerialPort::Parity toQt(tParitet p)
{
    switch (p) {
    case tParitet::Zero:
        return QSerialPort::NoParity;
    case tParitet::Odd:
        return QSerialPort::OddParity;
    case tParitet::Even:
        return QSerialPort::EvenParity;
    case tParitet::Binary0:
        return QSerialPort::MarkParity;
    case tParitet::Binary1:
        return QSerialPort::SpaceParity;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits toQt(tStopBits s)
{
    switch (s) {
    case tStopBits::s10:
        return QSerialPort::OneStop;
    case tStopBits::s15:
        return QSerialPort::OneAndHalfStop;
    case tStopBits::s20:
        return QSerialPort::TwoStop;
    }
    return QSerialPort::OneStop;
}

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
    SetError(code);
}

void TComm::SetError(int code)
{
    if (code == 0)
        return;
    m_pendingError = code;
    if (OnComError) {
        OnComError(*this, code);
        return;
    }
    throw PortError(code, m_lastErrorText.empty() ? "Ошибка порта " + std::to_string(code) : m_lastErrorText);
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

int TComm::GetError()
{
    const int e = m_pendingError;
    m_pendingError = 0;
    return e;
}

void TComm::Connect()
{
    m_status[1] = 0;
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
    const bool ok = m_device->setBaudRate(baudRate(m_baud)) &&
                    m_device->setDataBits(static_cast<QSerialPort::DataBits>(m_dataBits < 5 ? 5 : m_dataBits)) &&
                    m_device->setParity(toQt(m_parity)) && m_device->setStopBits(toQt(m_stopBits)) &&
                    // "Hardware" only switches XON/XOFF off; the handshake lines stay as they are.
                    m_device->setFlowControl(m_flow == tFlowControl::XON_XOFF ? QSerialPort::SoftwareControl
                                                                              : QSerialPort::NoFlowControl);
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

void TComm::SendByte(std::uint8_t byte)
{
    SendBytes(&byte, 1);
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

void TComm::SendString(const std::string& text)
{
    const std::string s = text.substr(0, 255);
    SendBytes(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
}

std::string TComm::GetString(int count)
{
    if (!isOpen()) {
        fail(kErrorNotOpen, "Порт не открыт");
        return {};
    }
    count = count < 0 ? 0 : (count > 255 ? 255 : count);
    const QByteArray data = m_io->read(count);
    if (m_trace && !data.isEmpty())
        m_trace->received(reinterpret_cast<const std::uint8_t*>(data.constData()), static_cast<size_t>(data.size()));
    return data.toStdString();
}

void TComm::checkLineErrors()
{
    const auto [code, text] = lineFault();
    if (m_device && m_device->error() != QSerialPort::NoError)
        m_device->clearError();
    if (code != 0 && m_pendingError == 0) {
        m_lastErrorText = text;
        SetError(code);
    }
}

int TComm::GetIn()
{
    if (!isOpen())
        return 0;
    // A status query: pull what the device holds into the queue without waiting.
    m_io->waitForReadyRead(0);
    checkLineErrors();
    m_status[1] = static_cast<std::uint32_t>(m_io->bytesAvailable());
    return static_cast<int>(m_status[1]);
}

int TComm::GetOut()
{
    if (!isOpen())
        return 0;
    checkLineErrors();
    m_status[2] = static_cast<std::uint32_t>(m_io->bytesToWrite());
    return static_cast<int>(m_status[2]);
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

void TComm::flushOutput()
{
    if (m_device && m_device->isOpen())
        m_device->flush();
    else if (m_socket && m_socket->isOpen())
        m_socket->flush();
}

std::string TComm::GetFlags()
{
    std::uint16_t flags = 0;
#ifndef _WIN32
    if (m_device && m_device->isOpen()) {
        termios tio{};
        if (tcgetattr(static_cast<int>(m_device->handle()), &tio) != 0) {
            fail(errno, "tcgetattr");
            return std::string(16, '0');
        }
        flags |= 1u << 0; // the line is always binary here
        if (tio.c_iflag & INPCK)
            flags |= 1u << 1;
        if (tio.c_cflag & CRTSCTS)
            flags |= (1u << 2) | (2u << 12);
        if (tio.c_cflag & HUPCL)
            flags |= 1u << 4; // DTR held while open
        if (tio.c_iflag & IXANY)
            flags |= 1u << 7;
        if (tio.c_iflag & IXON)
            flags |= 1u << 8;
        if (tio.c_iflag & IXOFF)
            flags |= 1u << 9;
        if (tio.c_iflag & IGNBRK)
            flags |= 1u << 11;
    }
#endif
    std::string out(16, '0');
    for (int bit = 15; bit >= 0; --bit)
        out[static_cast<size_t>(15 - bit)] = (flags >> bit) & 1u ? '1' : '0';
    return out;
}

// The operating system offers no event mask for a serial line here; the component keeps the
// mask it was given so that GetEvent reports it faithfully.
void TComm::SetEvent(int mask)
{
    m_eventMask = mask;
}

bool TComm::GetEvent(int& mask)
{
    const bool same = mask >= 0 && mask == m_eventMask;
    mask = m_eventMask;
    return same;
}

void TComm::SetEscCode(int code)
{
    if (!isOpen()) {
        fail(kErrorNotOpen, "Порт не открыт");
        return;
    }
    if (!m_device) {
        fail(kErrorUnsupported, "Функция линии " + std::to_string(code) + " не поддерживается сетевым портом");
        return;
    }
    bool ok = true;
    switch (code) {
    case 3:
        ok = m_device->setRequestToSend(true);
        break;
    case 4:
        ok = m_device->setRequestToSend(false);
        break;
    case 5:
        ok = m_device->setDataTerminalReady(true);
        break;
    case 6:
        ok = m_device->setDataTerminalReady(false);
        break;
    case 8:
        ok = m_device->setBreakEnabled(true);
        break;
    case 9:
        ok = m_device->setBreakEnabled(false);
        break;
    default:
        // Acting as if XON or XOFF arrived (codes 1, 2) has no counterpart on this platform.
        fail(kErrorUnsupported, "Функция линии " + std::to_string(code) + " не поддерживается");
        return;
    }
    if (!ok)
        fail(static_cast<int>(m_device->error()), m_device->errorString().toStdString());
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
