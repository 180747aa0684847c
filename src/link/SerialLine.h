#pragma once
// What the scale session needs of a serial line: port and speed, connect and close, the count of
// waiting bytes, reads, writes and a blocking wait for input. TComm is the real one over the
// operating system's serial device or a TCP connection to a converter at the scale; tests of the
// layers above may use a line of their own.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace qm
{

// Rates by code; the order is fixed: code 6 is 19200 and code 7 is 14400.
enum class TBaud {
    b110,
    b300,
    b1200,
    b2400,
    b4800,
    b9600,
    b19200,
    b14400,
    b38400,
    b56000,
    b57600,
    b115200,
    b128000,
    b256000
};
enum class tPort {
    COM1,
    COM2,
    COM3,
    COM4,
    COM5,
    COM6,
    COM7,
    COM8,
    COM9,
    COM10,
    COM11,
    COM12,
    COM13,
    COM14,
    COM15,
    COM16
};

int baudRate(TBaud baud);

// Codes beyond QSerialPort's own error numbers.
enum PortErrorCode : int {
    kErrorNoByte = 1001,         // GetByte found no byte within the wait for one
    kErrorUnsupported = 1002,    // a line function this platform does not offer
    kErrorNotOpen = 1003,        // an exchange on a port that is not open
    kErrorNoConnection = 1004,   // a network port whose connection did not open
    kErrorConnectionLost = 1005, // a network port whose connection the other end closed
};

class PortError : public std::runtime_error
{
  public:
    PortError(int code, const std::string& what) : std::runtime_error(what), m_code(code) {}
    int code() const { return m_code; }

  private:
    int m_code;
};

class SerialLine
{
  public:
    virtual ~SerialLine() = default;

    virtual TBaud baud() const = 0;
    virtual void setBaud(TBaud b) = 0;
    virtual tPort port() const = 0;
    virtual void setPort(tPort p) = 0;

    // Opens and configures the port (closing one open before); a failure is a PortError.
    virtual void Connect() = 0;
    // Closes the port once what is queued has gone to the line.
    virtual void Disconnect() = 0;
    // Added to every reply window: the round trip of a network between the program and the
    // scale's serial port. 0 on a serial line.
    virtual int replyAllowanceMs() const { return 0; }

    virtual int GetIn() = 0;
    virtual std::uint8_t GetByte() = 0;
    // n bytes in one read, as n GetByte calls would give them.
    virtual std::vector<std::uint8_t> GetBytes(int n) = 0;
    virtual void SendBytes(const std::uint8_t* data, size_t size) = 0;
    // Blocks until new input arrives or msecs pass.
    virtual void waitForInput(int msecs) = 0;
    // A line of text in the byte trace, if the line keeps one (a read asked again).
    virtual void note(const std::string& /*text*/) {}
};

} // namespace qm
