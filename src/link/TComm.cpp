#include "link/TComm.h"

#include <QSerialPort>
#include <QSerialPortInfo>
#include <QThread>
#include <chrono>
#include <thread>

#include "link/ByteTrace.h"

#ifndef _WIN32
#include <termios.h>
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
    if (m_device) {
        constexpr int kDrainMs = 500;
        if (m_device->bytesToWrite() > 0)
            m_device->waitForBytesWritten(kDrainMs);
        m_device->close();
        m_device.reset();
        if (m_trace)
            m_trace->note("disconnect");
    }
    m_connected = false;
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
    if (m_connected && m_device) {
        m_device->close();
    }
    // A fresh device object each time, owned by the thread that connects: in the window that
    // is the worker thread on which every exchange runs.
    m_device = std::make_unique<QSerialPort>();
    const std::string path = devicePath();
    m_device->setPortName(QString::fromStdString(path));
    if (m_trace)
        m_trace->note("connect " + path + " " + std::to_string(baudRate(m_baud)));
    if (!m_device->open(QIODevice::ReadWrite)) {
        const int code = static_cast<int>(m_device->error());
        const std::string text = "COM" + std::to_string(static_cast<int>(m_port) + 1) + " (" + path +
                                 "): " + m_device->errorString().toStdString();
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
    m_connected = true;
}

void TComm::SendBytes(const std::uint8_t* data, size_t size)
{
    if (!m_device || !m_device->isOpen()) {
        fail(kErrorNotOpen, "Порт не открыт");
        return;
    }
    if (m_trace)
        m_trace->sent(data, size);
    const auto written = m_device->write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    if (written != static_cast<qint64>(size)) {
        fail(static_cast<int>(m_device->error()), m_device->errorString().toStdString());
        return;
    }
    // Synchronous like the device write it stands for: the bytes reach the device now.
    while (m_device->bytesToWrite() > 0) {
        if (!m_device->waitForBytesWritten(1000)) {
            if (isRealError(m_device->error())) {
                fail(static_cast<int>(m_device->error()), m_device->errorString().toStdString());
                return;
            }
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
    if (!m_device || !m_device->isOpen()) {
        fail(kErrorNotOpen, "Порт не открыт");
        return 0;
    }
    if (m_device->bytesAvailable() == 0) {
        m_device->waitForReadyRead(kGetByteWaitMs);
        if (m_device->error() == QSerialPort::TimeoutError)
            m_device->clearError();
    }
    char c = 0;
    if (m_device->read(&c, 1) != 1) {
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
    if (!m_device || !m_device->isOpen()) {
        fail(kErrorNotOpen, "Порт не открыт");
        return out;
    }
    out.reserve(static_cast<size_t>(n));
    while (static_cast<int>(out.size()) < n) {
        if (m_device->bytesAvailable() == 0) {
            m_device->waitForReadyRead(kGetByteWaitMs);
            if (m_device->error() == QSerialPort::TimeoutError)
                m_device->clearError();
        }
        const QByteArray chunk = m_device->read(n - static_cast<int>(out.size()));
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
    if (!m_device || !m_device->isOpen()) {
        fail(kErrorNotOpen, "Порт не открыт");
        return {};
    }
    count = count < 0 ? 0 : (count > 255 ? 255 : count);
    const QByteArray data = m_device->read(count);
    if (m_trace && !data.isEmpty())
        m_trace->received(reinterpret_cast<const std::uint8_t*>(data.constData()), static_cast<size_t>(data.size()));
    return data.toStdString();
}

void TComm::checkLineErrors()
{
    const auto e = m_device->error();
    if (isRealError(e) && m_pendingError == 0) {
        m_lastErrorText = m_device->errorString().toStdString();
        m_device->clearError();
        SetError(static_cast<int>(e));
    } else if (e != QSerialPort::NoError) {
        m_device->clearError();
    }
}

int TComm::GetIn()
{
    if (!m_device || !m_device->isOpen())
        return 0;
    // A status query: pull what the device holds into the queue without waiting.
    m_device->waitForReadyRead(0);
    checkLineErrors();
    m_status[1] = static_cast<std::uint32_t>(m_device->bytesAvailable());
    return static_cast<int>(m_status[1]);
}

int TComm::GetOut()
{
    if (!m_device || !m_device->isOpen())
        return 0;
    checkLineErrors();
    m_status[2] = static_cast<std::uint32_t>(m_device->bytesToWrite());
    return static_cast<int>(m_status[2]);
}

void TComm::waitForInput(int msecs)
{
    if (msecs <= 0)
        return;
    if (!m_device || !m_device->isOpen()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(msecs));
        return;
    }
    if (!m_device->waitForReadyRead(msecs) && m_device->error() == QSerialPort::TimeoutError)
        m_device->clearError();
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
    if (!m_device || !m_device->isOpen()) {
        fail(kErrorNotOpen, "Порт не открыт");
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
