// Writing and reading the logo against the emulated scale over a pseudo-terminal: the bytes the
// scale got, the logo it holds, the answers that fail, the save-first question of a read, and the
// slow lines on which the 513 bytes take two seconds.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "LogoScaleBytes.h"
#include "StateBuilder.h"
#include "config/ConfigTable.h"
#include "logo/LogoCodec.h"
#include "logo/LogoTransfer.h"
#include "support/ScaleRig.h"

using qm::LogoPicture;
using qm::TransferOutcome;
using qmtest::ScaleRig;

using logotest::scaleBytes;

namespace
{

constexpr int kScale = 7;
const char* const kSaveFirst = "Рисунок логотипа был изменен. Сохранить изменения?";

qmtest::EmuOptions scaleOptions(std::vector<std::string> faults = {}, std::string stateJson = {}, int baud = 0)
{
    qmtest::EmuOptions o;
    o.number = kScale;
    o.faults = std::move(faults);
    o.stateJson = std::move(stateJson);
    o.baud = baud;
    return o;
}

// A diagonal and a frame: a different byte in many places.
LogoPicture sample()
{
    LogoPicture p;
    for (int i = 0; i < 64; ++i) {
        p.setDot(i, i, true);
        p.setDot(i, 0, true);
        p.setDot(0, i, true);
    }
    return p;
}

std::string stateWith(const LogoPicture& picture)
{
    return emu::StateBuilder(kScale).logo(scaleBytes(picture)).json();
}

// What the editor holds: a picture and its modified flag, which a logo read sets.
struct Editor : qm::ValueSink<LogoPicture> {
    LogoPicture picture;
    bool modified = false;
    void deliver(const LogoPicture& read) override
    {
        picture = read;
        modified = true;
    }
    bool isModified() const override { return modified; }
};

} // namespace

TEST(LogoSendEmu, TheScaleGetsItsNumberTheCommandAndTheLogo)
{
    ScaleRig rig(scaleOptions());
    EXPECT_EQ(qm::sendLogo(rig.link, sample()), TransferOutcome::Done);
    EXPECT_EQ(rig.fb.messages, std::vector<std::string>{"Данные переданы."});
    qm::Bytes expected{kScale};
    const qm::Bytes command = qm::encodeSendLogo(sample());
    expected.insert(expected.end(), command.begin(), command.end());
    EXPECT_EQ(rig.scale.received(), expected);
    EXPECT_EQ(rig.scale.state().logo, scaleBytes(sample()));
}

TEST(LogoSendEmu, AnAllBlackLogoIs512BytesFF)
{
    ScaleRig rig(scaleOptions());
    LogoPicture black;
    black.fill();
    EXPECT_EQ(qm::sendLogo(rig.link, black), TransferOutcome::Done);
    emu::LogoBytes all;
    all.fill(0xFF);
    EXPECT_EQ(rig.scale.state().logo, all);
}

TEST(LogoSendEmu, AnythingButOneAckByteIsAWriteError)
{
    for (const char* fault : {"extra=1@0x8C", "nak@0x8C", "silent@0x8C", "garble@0x8C"}) {
        ScaleRig rig(scaleOptions({fault}));
        const auto result = qm::sendLogo(rig.link, sample());
        EXPECT_EQ(result, TransferOutcome::Failed) << fault;
        EXPECT_EQ(rig.fb.messages, std::vector<std::string>{"Ошибка записи. Повторите еще раз"}) << fault;
        ASSERT_TRUE(result.failure);
        EXPECT_EQ(result.failure->kind, qm::FailureKind::NoAck);
    }
}

TEST(LogoSendEmu, TheFrameComesFirst)
{
    ScaleRig rig(scaleOptions());
    qm::ScaleLink link{rig.session, rig.config, qm::cp("Нет таких")};
    EXPECT_EQ(qm::sendLogo(link, sample()), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.messages,
              std::vector<std::string>{"Для записи логотипа выберите весы из списка (или заполните конфигурацию.)."});
    qm::ScaleLink readLink{rig.session, rig.config, qm::cp("Нет таких")};
    Editor editor;
    EXPECT_EQ(qm::readLogo(readLink, editor, {}), TransferOutcome::Failed);
    EXPECT_EQ(rig.fb.lastMessage(), "Для чтения логотипа выберите весы из списка (или заполните конфигурацию.).");
    EXPECT_TRUE(rig.scale.received().empty());
}

TEST(LogoReadEmu, TheScalesLogoReplacesTheDrawingAndSetsTheFlag)
{
    ScaleRig rig(scaleOptions({}, stateWith(sample())));
    Editor editor;
    EXPECT_EQ(qm::readLogo(rig.link, editor, {}), TransferOutcome::Done);
    EXPECT_EQ(editor.picture, sample());
    EXPECT_TRUE(editor.modified) << "a later new or open offers to save it";
    EXPECT_EQ(rig.fb.messages, std::vector<std::string>{"Логотип прочитан."});
    EXPECT_EQ(rig.scale.received(), (qm::Bytes{kScale, 0x97}));
}

TEST(LogoReadEmu, AnAnswerOneByteShortOrLongChangesNothing)
{
    for (const char* fault : {"truncate=512@0x97", "extra=1@0x97"}) {
        ScaleRig rig(scaleOptions({fault}, stateWith(sample())));
        Editor editor;
        editor.picture.setDot(5, 5, true);
        const LogoPicture before = editor.picture;
        EXPECT_EQ(qm::readLogo(rig.link, editor, {}), TransferOutcome::Failed) << fault;
        EXPECT_EQ(rig.fb.messages, std::vector<std::string>{"Ошибка передачи. Попытайтесь еще раз."}) << fault;
        EXPECT_EQ(editor.picture, before) << fault;
        EXPECT_FALSE(editor.modified) << fault;
    }
}

TEST(LogoReadEmu, AModifiedDrawingIsOfferedForSavingFirst)
{
    ScaleRig rig(scaleOptions({}, stateWith(sample())));
    Editor editor;
    editor.modified = true;
    editor.picture.setDot(1, 1, true);
    const LogoPicture drawing = editor.picture;

    // Cancel: nothing is sent and the drawing stays.
    rig.fb.answers = {qm::Answer::Cancel};
    EXPECT_EQ(qm::readLogo(rig.link, editor, {}), TransferOutcome::Cancelled);
    EXPECT_EQ(rig.fb.questions, std::vector<std::string>{kSaveFirst});
    EXPECT_EQ(editor.picture, drawing);
    EXPECT_TRUE(editor.modified);
    EXPECT_TRUE(rig.scale.received().empty());

    // Yes with a save that did not happen acts as Cancel.
    int saves = 0;
    rig.fb.answers = {qm::Answer::Yes};
    EXPECT_EQ(qm::readLogo(rig.link, editor,
                           [&] {
                               ++saves;
                               return false;
                           }),
              TransferOutcome::Cancelled);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(editor.picture, drawing);

    // Yes with the save done: the read goes on.
    rig.fb.answers = {qm::Answer::Yes};
    EXPECT_EQ(qm::readLogo(rig.link, editor,
                           [&] {
                               editor.modified = false;
                               return true;
                           }),
              TransferOutcome::Done);
    EXPECT_EQ(editor.picture, sample());
    EXPECT_TRUE(editor.modified);
}

TEST(LogoReadEmu, NoGoesOnAndAFailedReadKeepsTheFlag)
{
    ScaleRig rig(scaleOptions({"silent@0x97"}, stateWith(sample())));
    Editor editor;
    editor.modified = true;
    rig.fb.answers = {qm::Answer::No};
    EXPECT_EQ(qm::readLogo(rig.link, editor, {}), TransferOutcome::Failed);
    EXPECT_EQ(editor.picture, LogoPicture());
    EXPECT_TRUE(editor.modified) << "the unsaved drawing is still there and still unsaved";
}

// At 2400 and 4800 baud the 513 bytes of the write and of the read's answer take 2.1 s and 1.07 s
// on the line: both windows allow for it.
class LogoSlowLine : public ::testing::TestWithParam<int>
{
};

TEST_P(LogoSlowLine, WriteAndReadSucceed)
{
    const int baud = GetParam();
    ScaleRig rig(scaleOptions({}, {}, baud));
    rig.config.setCell(1, qm::cfgcol::Speed, std::to_string(baud));
    using Clock = std::chrono::steady_clock;

    auto start = Clock::now();
    EXPECT_EQ(qm::sendLogo(rig.link, sample()), TransferOutcome::Done);
    const auto writeMs = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    EXPECT_EQ(rig.scale.state().logo, scaleBytes(sample()));

    Editor editor;
    start = Clock::now();
    EXPECT_EQ(qm::readLogo(rig.link, editor, {}), TransferOutcome::Done);
    const auto readMs = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    EXPECT_EQ(editor.picture, sample());
    EXPECT_EQ(rig.fb.messages, (std::vector<std::string>{"Данные переданы.", "Логотип прочитан."}));
    // The line time itself: 513 bytes of 10 bits.
    EXPECT_GE(writeMs, 513 * 10 * 1000 / baud);
    EXPECT_GE(readMs, 513 * 10 * 1000 / baud);
    std::printf("logo at %d baud: write %lld ms, read %lld ms\n", baud, static_cast<long long>(writeMs),
                static_cast<long long>(readMs));
}

TEST_P(LogoSlowLine, ASilentScaleStillFailsAfterTheLineTimeAndTheWindow)
{
    const int baud = GetParam();
    ScaleRig rig(scaleOptions({"silent@0x97"}, stateWith(sample()), baud));
    rig.config.setCell(1, qm::cfgcol::Speed, std::to_string(baud));
    Editor editor;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(qm::readLogo(rig.link, editor, {}), TransferOutcome::Failed);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(ms, 1000 + 513 * 10 * 1000 / baud);
}

INSTANTIATE_TEST_SUITE_P(Speeds, LogoSlowLine, ::testing::Values(2400, 4800));
