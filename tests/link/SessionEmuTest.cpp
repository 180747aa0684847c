// The scale session against an emulated scale over a real pseudo-terminal.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "StateBuilder.h"
#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "link/ScaleSession.h"
#include "link/TComm.h"
#include "operation/OperationTexts.h"
#include "operation/ScaleFrame.h"
#include "support/ComOne.h"
#include "support/EmuProcess.h"
#include "support/ScriptedFeedback.h"

namespace
{

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

long msSince(Clock::time_point t0)
{
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t0).count());
}

// A session on COM1 pointed at the emulator.
struct Link {
    explicit Link(const qmtest::EmuProcess& emu, const char* speed = "9600")
        : comm(qmtest::comOne(emu.device())), session(comm, fb)
    {
        EXPECT_TRUE(session.Connection("COM1", speed));
    }
    qmtest::ScriptedFeedback fb;
    qm::TComm comm;
    qm::ScaleSession session;
};

} // namespace

TEST(SessionEmu, AddressingAScaleThatAnswers)
{
    qmtest::EmuProcess emu({5});
    Link link(emu);
    EXPECT_TRUE(addressScale(link.session, 5));
    EXPECT_TRUE(link.fb.messages.empty());
    EXPECT_EQ(emu.received(), (Bytes{0x05}));
    EXPECT_EQ(emu.sent(), (Bytes{0x05, 0x80}));
    EXPECT_EQ(link.comm.GetIn(), 0);
}

TEST(SessionEmu, EachAddressingFailureHasItsMessage)
{
    struct Case {
        const char* fault;
        const char* message;
    };
    const Case cases[] = {
        {"silent@addr", qm::operationtext::kNoLink},      {"wrong-number@addr", qm::operationtext::kNoLink},
        {"not-ready@addr", qm::operationtext::kNotReady}, {"not-ready=0xDD@addr", qm::operationtext::kNotReady},
        {"truncate=1@addr", qm::operationtext::kNoLink},
    };
    for (const auto& c : cases) {
        qmtest::EmuProcess emu({7, 0, {c.fault}});
        Link link(emu);
        const auto t0 = Clock::now();
        EXPECT_FALSE(addressScale(link.session, 7)) << c.fault;
        ASSERT_EQ(link.fb.messages.size(), 1u) << c.fault;
        EXPECT_EQ(link.fb.messages[0], c.message) << c.fault;
        if (std::string(c.fault).rfind("silent", 0) == 0) {
            EXPECT_GE(msSince(t0), 200); // the whole window was waited for
        }
    }
}

TEST(SessionEmu, AnotherScaleOnTheLineIsNotAddressed)
{
    qmtest::EmuProcess emu({3});
    Link link(emu);
    EXPECT_FALSE(addressScale(link.session, 4));
    EXPECT_EQ(link.fb.lastMessage(), qm::operationtext::kNoLink);
    EXPECT_TRUE(emu.sent().empty());
}

TEST(SessionEmu, LateAnswerIsDroppedBeforeTheNextAddressing)
{
    qmtest::EmuProcess emu({2, 0, {"delay=300@addr#1"}});
    Link link(emu);
    EXPECT_FALSE(addressScale(link.session, 2)); // the answer comes after the 200 ms window
    link.session.pause(250);
    EXPECT_EQ(link.comm.GetIn(), 2); // the late answer now waits in the queue
    EXPECT_TRUE(addressScale(link.session, 2));
    EXPECT_EQ(link.comm.GetIn(), 0);
    EXPECT_EQ(emu.sent(), (Bytes{0x02, 0x80, 0x02, 0x80}));
}

TEST(SessionEmu, LongAnswerAtSlowSpeedFitsItsWindow)
{
    // 100 record bytes take 417 ms at 2400 baud; the 200 ms window must not cut them off.
    qmtest::EmuProcess emu({1, 2400, {}, "", emu::StateBuilder(1).plu(9, "Хлеб", 3500).json()});
    Link link(emu, "2400");
    ASSERT_TRUE(addressScale(link.session, 1));
    link.session.send(Bytes{0x81, 0x09, 0x00, 0x00, 0x00});
    ASSERT_TRUE(link.session.replyWindow(1, 200));
    link.session.readByte(); // status byte
    const auto t0 = Clock::now();
    ASSERT_TRUE(link.session.replyWindow(100, 200));
    EXPECT_GE(msSince(t0), 380);
    const auto record = link.session.readBytes(100);
    EXPECT_EQ(record[0], 9);
}

TEST(SessionEmu, APortLostMidExchangeIsALineThatNoLongerAnswers)
{
    qmtest::EmuProcess emu({1, 0, {"delay=1500@0x89"}});
    Link link(emu);
    ASSERT_TRUE(addressScale(link.session, 1));
    link.session.send(Bytes{0x89});
    // The pseudo-terminal goes away while the window waits, as a pulled USB adapter does.
    std::thread unplug([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        emu.stop();
    });
    bool answered = true;
    EXPECT_NO_THROW(answered = link.session.replyWindow(16, 1000));
    unplug.join();
    EXPECT_FALSE(answered);
    ASSERT_TRUE(link.session.lineFailure());
    EXPECT_FALSE(link.session.lineFailure()->empty());

    // From now on nothing goes out and nothing comes back, without waiting out a window.
    const auto t0 = Clock::now();
    EXPECT_NO_THROW(link.session.NewQue());
    EXPECT_NO_THROW(link.session.send(Bytes{0x01}));
    EXPECT_FALSE(link.session.replyWindow(2, 200));
    EXPECT_EQ(link.session.waiting(), 0);
    EXPECT_TRUE(link.session.readBytes(link.session.waiting()).empty());
    EXPECT_FALSE(link.session.firstByteWithin(Clock::now(), 200).arrived);
    EXPECT_LT(msSince(t0), 150);
    EXPECT_FALSE(addressScale(link.session, 1));
    EXPECT_EQ(link.fb.lastMessage(), qm::operationtext::kNoLink);

    // The next connection starts afresh.
    qmtest::EmuProcess again({1});
    link.comm.setPortMap(qmtest::comOne(again.device()));
    ASSERT_TRUE(link.session.Connection("COM1", "9600"));
    EXPECT_FALSE(link.session.lineFailure());
    EXPECT_TRUE(addressScale(link.session, 1));
}

TEST(SessionEmu, FrameReportsEachStepWithItsMessage)
{
    qmtest::EmuProcess emu({1});
    qm::Table config = qm::makeTable(qm::configLayout());
    config.setDataRows({{"1", qm::cp("Весы 1"), "", "1", "COM1", "9600", "", "", ""},
                        {"2", qm::cp("Весы 2"), "", "x", "COM1", "9600", "", "", ""},
                        {"3", qm::cp("Весы 3"), "", "1", "COM2", "9600", "", "", ""}});
    qm::PortMap map;
    map.set(1, emu.device());
    map.set(2, "/nonexistent/tty");
    qm::TComm comm(map);
    qmtest::ScriptedFeedback fb;
    qm::ScaleSession session(comm, fb);

    const auto link = [&](const char* name) { return qm::ScaleLink{session, config, qm::cp(name)}; };
    EXPECT_FALSE(qm::openScale(link("Нет таких"), "choose"));
    EXPECT_EQ(fb.lastMessage(), "choose");
    EXPECT_FALSE(qm::openScale(link("Весы 2"), "choose"));
    EXPECT_EQ(fb.lastMessage(), qm::operationtext::kCheckConfig);
    EXPECT_EQ(fb.cursor.back(), (qmtest::Cursor{qm::TableId::Config, 2, 3}));
    EXPECT_FALSE(qm::openScale(link("Весы 3"), "choose"));
    EXPECT_EQ(fb.lastMessage(), qm::operationtext::kPortBusy);
    const auto opened = qm::openScale(link("Весы 1"), "choose");
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened.target.number, 1);
    EXPECT_TRUE(addressScale(session, opened.target.number));
}
