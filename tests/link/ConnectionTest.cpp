#include <gtest/gtest.h>

#include "link/PortMap.h"
#include "link/ScaleSession.h"
#include "link/TComm.h"
#include "support/ScriptedFeedback.h"

namespace
{
// Every COM name points at a device that does not exist, so Connection fails after it has
// set Port and Baud, which is what these tests look at.
qm::PortMap nowhere()
{
    qm::PortMap map;
    for (int i = 1; i <= 16; ++i)
        map.set(i, "/nonexistent/tty" + std::to_string(i));
    return map;
}
} // namespace

TEST(Connection, PortTextInAnyLetterCase)
{
    qm::TComm comm(nowhere());
    qmtest::ScriptedFeedback fb;
    qm::ScaleSession s(comm, fb);
    for (const char* text : {"com3", "Com3", "cOM3", "COm3"}) {
        comm.setPort(qm::tPort::COM1);
        EXPECT_FALSE(s.Connection(text, "9600"));
        EXPECT_EQ(comm.port(), qm::tPort::COM3) << text;
    }
    s.Connection("COM16", "9600");
    EXPECT_EQ(comm.port(), qm::tPort::COM16);
}

TEST(Connection, PortNumberReadLikeTheCheckReadsIt)
{
    // "COM03" and "COM 3" pass the configuration check, so they must select COM3 rather than
    // silently keep the previous scale's port.
    qm::TComm comm(nowhere());
    qmtest::ScriptedFeedback fb;
    qm::ScaleSession s(comm, fb);
    for (const char* text : {"COM03", "COM 3"}) {
        comm.setPort(qm::tPort::COM7);
        s.Connection(text, "9600");
        EXPECT_EQ(comm.port(), qm::tPort::COM3) << text;
    }
    for (const char* text : {"COM17", "COM0", "LPT3", "COM"}) {
        comm.setPort(qm::tPort::COM7);
        s.Connection(text, "9600");
        EXPECT_EQ(comm.port(), qm::tPort::COM7) << text;
    }
}

TEST(Connection, SpeedTextSelectsOnlyTheFourSpeeds)
{
    qm::TComm comm(nowhere());
    qmtest::ScriptedFeedback fb;
    qm::ScaleSession s(comm, fb);
    const std::pair<const char*, qm::TBaud> known[] = {{"2400", qm::TBaud::b2400},    {"4800", qm::TBaud::b4800},
                                                       {"9600", qm::TBaud::b9600},    {"19200", qm::TBaud::b19200},
                                                       {" 19200", qm::TBaud::b19200}, {"$4B00", qm::TBaud::b19200}};
    for (const auto& [text, baud] : known) {
        comm.setBaud(qm::TBaud::b110);
        s.Connection("COM1", text);
        EXPECT_EQ(comm.baud(), baud) << text;
    }
    for (const char* text : {"14400", "1200", "", "fast", "9600 "}) {
        comm.setBaud(qm::TBaud::b4800);
        s.Connection("COM1", text);
        EXPECT_EQ(comm.baud(), qm::TBaud::b4800) << text;
    }
}

TEST(TComm, BaudCodesInTheirFixedOrder)
{
    EXPECT_EQ(qm::baudRate(static_cast<qm::TBaud>(6)), 19200);
    EXPECT_EQ(qm::baudRate(static_cast<qm::TBaud>(7)), 14400);
    EXPECT_EQ(qm::baudRate(qm::TBaud::b110), 110);
    EXPECT_EQ(qm::baudRate(qm::TBaud::b256000), 256000);
}

TEST(TComm, FailedConnectRaisesAndKeepsTheFlag)
{
    qm::TComm comm(nowhere());
    EXPECT_THROW(comm.Connect(), qm::PortError);
    EXPECT_FALSE(comm.connected());
    EXPECT_FALSE(comm.lastErrorText().empty());
}

TEST(PortMap, ReadsEntriesAndFallsBack)
{
    const auto map = qm::PortMap::parse("COM3=/dev/ttyUSB0\r\n# note\ncom12 = /tmp/x y\nCOM17=/dev/bad\nbad\n");
    EXPECT_EQ(map.device(3), "/dev/ttyUSB0");
    EXPECT_EQ(map.device(12), "/tmp/x y");
    EXPECT_EQ(map.device(1), "/dev/ttyS0");
    EXPECT_EQ(map.device(16), "/dev/ttyS15");
}
