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
// A failure is thrown at the caller as a PortError. A line error stays pending until the next
// Connect: it is reported once, not at every later query of the same connection.

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "link/LineFactory.h"
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

    void setPortMap(PortMap ports) { m_ports = std::move(ports); }
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
    // Several bytes handed to the device in one write (a command and its record).
    void SendBytes(const std::uint8_t* data, size_t size) override;
    std::uint8_t GetByte() override;
    // n bytes in one read, as n GetByte calls would give them (a record after its reply window).
    std::vector<std::uint8_t> GetBytes(int n) override;
    int GetIn() override;

    // Blocks until new input arrives or msecs pass: the wait behind every reply window.
    void waitForInput(int msecs) override;
    void note(const std::string& text) override;

    // Runs the jobs at the same time, each on a thread of its own on which a serial port may
    // live, and returns when all have ended: the ports of an automatic load cycle.
    static void runTogether(std::vector<std::function<void()>>& jobs);
    // The lines of an automatic load cycle: TComms over the cycle's port map, on runTogether.
    static LineFactory cycleLines();

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
    tPort m_port = tPort::COM1;
    bool m_connected = false;
    int m_pendingError = 0; // the line error reported since Connect; 0 when none
    std::string m_lastErrorText;
};

// The serial devices the operating system reports now (QSerialPortInfo), for portEntries().
std::vector<SystemPort> systemSerialPorts();

} // namespace qm
