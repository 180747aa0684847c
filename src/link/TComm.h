#pragma once
// The serial port component: a thin synchronous layer over the operating system's serial
// device (through QSerialPort). No thread and no time-outs of its own; callers wait for answers
// themselves (ScaleSession's reply window) and read only what GetIn reports as waiting.
//
// A COM name that "ports.cfg" maps to "tcp://HOST:PORT" is a converter at the scale: Connect
// opens a TCP connection (QTcpSocket) instead, within 3 s, and every exchange goes over it alike.
// The speed is the converter's own then; the row's speed still sizes the reply windows, and the
// port's network allowance is added to each. A connection the other end closes is a port error,
// as a serial adapter pulled out. A Connect to the network port already connected keeps the
// connection, so the loads of an auto-load cycle on one port share one.
//
// Failures go to SetError: the code is kept as the pending error and OnComError is raised.
// Without a handler attached, the failure surfaces as a PortError thrown at the caller.

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "link/PortList.h"
#include "link/PortMap.h"
#include "link/SerialLine.h"

class QIODevice;
class QSerialPort;
class QTcpSocket;

namespace qm
{

class ByteTrace;

class TComm : public SerialLine
{
  public:
    explicit TComm(PortMap ports = {});
    ~TComm() override;
    TComm(const TComm&) = delete;
    TComm& operator=(const TComm&) = delete;

    // Properties, with the component's defaults.
    TBaud baud() const override { return m_baud; }
    void setBaud(TBaud b) override { m_baud = b; }
    tPort port() const override { return m_port; }
    void setPort(tPort p) override { m_port = p; }
    tStopBits stopBits() const { return m_stopBits; }
    void setStopBits(tStopBits s) { m_stopBits = s; }
    tParitet parity() const { return m_parity; }
    void setParity(tParitet p) { m_parity = p; }
    int dataBits() const { return m_dataBits; }
    void setDataBits(int bits) { m_dataBits = bits < 4 ? 4 : (bits > 8 ? 8 : bits); }
    tFlowControl flowControl() const { return m_flow; }
    void setFlowControl(tFlowControl f) { m_flow = f; }
    char xon() const { return m_xon; }
    void setXon(char c) { m_xon = c; }
    char xoff() const { return m_xoff; }
    void setXoff(char c) { m_xoff = c; }
    int InQue() { return GetIn(); }
    int OutQue() { return GetOut(); }

    std::function<void(TComm& sender, int code)> OnComError;

    void setPortMap(PortMap ports) { m_ports = std::move(ports); }
    const PortMap& portMap() const { return m_ports; }
    void setTrace(ByteTrace* trace) { m_trace = trace; }
    bool connected() const { return m_connected; }
    // Asked while a network connection is being opened: a stop that comes then ends the wait.
    void setStopCheck(std::function<bool()> stopped) { m_stopCheck = std::move(stopped); }
    int replyAllowanceMs() const override { return m_socket ? m_allowanceMs : 0; }
    // The text of the last failure, for the box that shows a PortError.
    const std::string& lastErrorText() const { return m_lastErrorText; }

    // Closes the device open from an earlier Connect, then opens and configures the port.
    // A Connect that fails closes whatever it opened and leaves the connected flag as it was.
    void Connect() override;
    // Hands what is still queued to the line, then closes the device, so that other programs
    // (the command line, the unattended load) can open the port between operations.
    void Disconnect() override;
    void SendByte(std::uint8_t byte);
    // Several bytes handed to the device in one write (a command and its record).
    void SendBytes(const std::uint8_t* data, size_t size) override;
    std::uint8_t GetByte() override;
    // n bytes in one read, as n GetByte calls would give them (a record after its reply window).
    std::vector<std::uint8_t> GetBytes(int n) override;
    void SendString(const std::string& text); // at most 255 characters
    std::string GetString(int count);         // at most 255 bytes, what is waiting
    int GetIn() override;
    int GetOut();
    int GetError();
    void SetError(int code);
    // The low 16 bits of the line's flag word, bit 15 first, "0"/"1" each.
    std::string GetFlags();
    void SetEvent(int mask);
    bool GetEvent(int& mask);
    void SetEscCode(int code);

    // Blocks until new input arrives or msecs pass: the wait behind every reply window.
    void waitForInput(int msecs) override;
    void note(const std::string& text) override;
    // Blocks until the bytes written are handed to the device.
    void flushOutput();

    // Runs the jobs at the same time, each on a thread of its own on which a serial port may
    // live, and returns when all have ended: the ports of an automatic load cycle.
    static void runTogether(std::vector<std::function<void()>>& jobs);

    // The device path COMn maps to under the current port map.
    std::string devicePath() const;

  private:
    void fail(int code, const std::string& text);
    void checkLineErrors();
    void connectNetwork(const std::string& device);
    void closeDevices();
    bool isOpen() const;
    // A wait for input that found none is no fault of the line.
    void waitForRead(int msecs);
    // The fault the open device reports now, code and text; code 0 when none.
    std::pair<int, std::string> lineFault() const;
    std::string portLabel(const std::string& device) const;

    PortMap m_ports;
    std::unique_ptr<QSerialPort> m_device;
    std::unique_ptr<QTcpSocket> m_socket;
    QIODevice* m_io = nullptr;  // whichever of the two is open
    std::string m_socketDevice; // the "tcp://" text m_socket was opened for
    int m_allowanceMs = 0;
    std::function<bool()> m_stopCheck;
    ByteTrace* m_trace = nullptr;
    TBaud m_baud = TBaud::b9600;
    tStopBits m_stopBits = tStopBits::s10;
    tParitet m_parity = tParitet::Zero;
    int m_dataBits = 8;
    tFlowControl m_flow = tFlowControl::Hardware;
    tPort m_port = tPort::COM1;
    char m_xon = 17;
    char m_xoff = 19;
    bool m_connected = false;
    int m_pendingError = 0;
    int m_eventMask = 0;
    // Queue status as the component reports it: line state bits, input count, output count.
    std::uint32_t m_status[3] = {0, 0, 0};
    std::string m_lastErrorText;
};

// The serial devices the operating system reports now (QSerialPortInfo), for portEntries().
std::vector<SystemPort> systemSerialPorts();

} // namespace qm
