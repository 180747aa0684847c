// Reading and writing the user settings, the shop name and the clock of the emulated scale: the
// three confirmed stages, their checks before anything of the stage is sent, and the state the
// scale holds afterwards.
#include <gtest/gtest.h>

#include "StateBuilder.h"
#include "StatusRig.h"
#include "common/Cp1251.h"
#include "settings/SettingsTexts.h"
#include "settings/SettingsTransfer.h"

using namespace qm;
using qmtest::StatusRig;
using qmtest::withState;

namespace
{

// Every record delivered, in order: the read's settings and shop name, the write's clock.
struct RecordingView : ValueSink<UserSettings>, ValueSink<ShopName>, ValueSink<ClockReading> {
    std::vector<UserSettings> settings;
    std::vector<ShopName> shops;
    std::vector<std::pair<std::string, std::string>> clocks;
    void deliver(const UserSettings& s) override { settings.push_back(s); }
    void deliver(const ShopName& s) override { shops.push_back(s); }
    void deliver(const ClockReading& c) override
    {
        clocks.emplace_back(formatScaleDate(c.date), formatScaleTime(c.time));
    }
};

ClockReading march5()
{
    return ClockReading{ScaleDate{5, 3, 4}, ScaleTime{14, 7, 9}};
}

SettingsForm form()
{
    SettingsForm f;
    f.department = "999";
    f.labelFormat = "58";
    f.barcodeFormat = "8";
    f.printOffset = "1";
    f.minWeight = "6000";
    f.options = 0x85;
    f.shop1 = cp("Ёлки-палки");
    f.shop2 = std::string(40, 'z');
    f.date = "31.12.03";
    f.time = "23:30:00";
    f.currentClock = false;
    return f;
}

void answer(StatusRig& rig, std::initializer_list<Answer> answers)
{
    rig.fb.answers.assign(answers.begin(), answers.end());
}

const std::vector<std::string> kAllQuestions{settingstext::kAskUser, settingstext::kAskShop, settingstext::kAskClock};

} // namespace

TEST(SettingsRead, SettingsThenShopNameThenTheMessage)
{
    emu::ScaleState s;
    s.user.department = 7;
    s.user.options = 0xA5;
    s.shop1 = emu::scaleName("Ёжик");
    StatusRig rig(withState(s));
    RecordingView view;
    ASSERT_TRUE(readUserSettings(rig.link, view, view));
    ASSERT_EQ(view.settings.size(), 1u);
    EXPECT_EQ(view.settings[0].department, 7);
    EXPECT_EQ(view.settings[0].options, 0xA5);
    ASSERT_EQ(view.shops.size(), 1u);
    EXPECT_EQ(view.shops[0].line1, cp("Ёжик") + std::string(24, ' '));
    EXPECT_EQ(rig.fb.messages, std::vector<std::string>{settingstext::kReadDone});
    EXPECT_EQ(rig.scale.received(), (Bytes{0x01, 0x95, 0x01, 0x98}));
}

TEST(SettingsRead, ShortAnswersEndTheReadWhereTheyHappen)
{
    // A short settings answer shows nothing; after a short shop name the settings already shown
    // stay and the shop name is not touched.
    for (const auto& [fault, settingsShown] : {std::pair{"truncate=9@0x95", 0u}, std::pair{"truncate=56@0x98", 1u}}) {
        StatusRig rig(withState(emu::ScaleState{}, {fault}));
        RecordingView view;
        const auto result = readUserSettings(rig.link, view, view);
        ASSERT_FALSE(result) << fault;
        EXPECT_EQ(result.failure->kind, FailureKind::ReadFailed) << fault;
        EXPECT_EQ(view.settings.size(), settingsShown) << fault;
        EXPECT_TRUE(view.shops.empty()) << fault;
    }
}

TEST(SettingsRead, WholeShopNameAt2400Baud)
{
    qmtest::EmuOptions options = withState(emu::ScaleState{});
    options.baud = 2400;
    StatusRig rig(options);
    rig.config.setCell(1, cfgcol::Speed, "2400");
    RecordingView view;
    ASSERT_TRUE(readUserSettings(rig.link, view, view));
    EXPECT_EQ(view.shops.size(), 1u);
}

TEST(SettingsRead, ChooserWithoutScale)
{
    StatusRig rig;
    RecordingView view;
    const auto result = readUserSettings(ScaleLink{rig.session, rig.config, cp("Нет таких")}, view, view);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.failure->kind, FailureKind::NoScale);
    EXPECT_EQ(rig.fb.messages, std::vector<std::string>{settingstext::kNoScaleRead});
}

TEST(SettingsWrite, AllThreeStagesReachTheScale)
{
    StatusRig rig;
    answer(rig, {Answer::Yes, Answer::Yes, Answer::Yes});
    RecordingView view;
    SettingsForm f = form();
    f.currentClock = true;
    ASSERT_TRUE(writeUserSettings(rig.link, f, view, march5));
    EXPECT_EQ(rig.fb.questions, kAllQuestions);
    EXPECT_EQ(rig.fb.messages, std::vector<std::string>{settingstext::kChanged});

    const emu::ScaleState state = rig.scale.state();
    EXPECT_EQ(state.user.department, 999);
    EXPECT_EQ(state.user.labelFormat, 58);
    EXPECT_EQ(state.user.barcodeFormat, 8);
    EXPECT_EQ(state.user.printOffset, 1);
    EXPECT_EQ(state.user.options, 0x85);
    EXPECT_EQ(state.user.minWeight, 6000);
    EXPECT_EQ(state.shop1, emu::scaleName("Ёлки-палки"));
    EXPECT_EQ(state.shop2, std::string(28, 'z'));
    // The computer's clock, shown in the fields as it was written.
    EXPECT_EQ(state.date, (emu::ClockFields{5, 3, 4}));
    EXPECT_EQ(state.time, (emu::ClockFields{14, 7, 9}));
    ASSERT_EQ(view.clocks.size(), 1u);
    EXPECT_EQ(view.clocks[0], (std::pair<std::string, std::string>{"05.03.04", "14:07:09"}));
}

TEST(SettingsWrite, NoToEveryQuestionChangesNothing)
{
    StatusRig rig;
    RecordingView view;
    const auto result = writeUserSettings(rig.link, form(), view, march5);
    EXPECT_EQ(result, TransferOutcome::Cancelled);
    EXPECT_EQ(rig.fb.questions, kAllQuestions);
    EXPECT_EQ(rig.fb.messages, std::vector<std::string>{settingstext::kUnchanged});
    EXPECT_TRUE(rig.scale.received().empty());
}

TEST(SettingsWrite, OnlyTheClockFromTheFields)
{
    StatusRig rig;
    answer(rig, {Answer::No, Answer::No, Answer::Yes});
    RecordingView view;
    ASSERT_TRUE(writeUserSettings(rig.link, form(), view, march5));
    const emu::ScaleState state = rig.scale.state();
    EXPECT_EQ(state.user, emu::UserSettings{});
    EXPECT_EQ(state.date, (emu::ClockFields{31, 12, 3}));
    EXPECT_EQ(state.time, (emu::ClockFields{23, 30, 0}));
    EXPECT_TRUE(view.clocks.empty());
    EXPECT_EQ(rig.scale.received(), (Bytes{0x01, 0x99, 3, 1, 1, 2, 0, 3, 0x01, 0x9A, 2, 3, 3, 0, 0, 0}));
}

TEST(SettingsWrite, FieldChecksStopBeforeTheStageSendsAnything)
{
    struct Case {
        void (*edit)(SettingsForm&);
        std::string message;
    };
    const Case cases[] = {
        {[](SettingsForm& f) { f.department = "1000"; }, settingstext::kBadDepartment},
        {[](SettingsForm& f) { f.department = ""; }, "Поле \"Номер отдела\" должно содержать целое число."},
        {[](SettingsForm& f) { f.printOffset = "0"; }, settingstext::kBadOffset},
        {[](SettingsForm& f) { f.printOffset = "100"; }, settingstext::kBadOffset},
        {[](SettingsForm& f) { f.printOffset = "1 0"; }, "Поле \"Сдвиг печати, мм\" должно содержать целое число."},
        {[](SettingsForm& f) { f.minWeight = "6001"; }, settingstext::kBadMinWeight},
        {[](SettingsForm& f) { f.labelFormat = ""; }, "Поле \"Формат этикетки\" должно содержать целое число."},
    };
    for (const Case& c : cases) {
        StatusRig rig;
        answer(rig, {Answer::Yes, Answer::Yes, Answer::Yes});
        SettingsForm f = form();
        c.edit(f);
        RecordingView view;
        const auto result = writeUserSettings(rig.link, f, view, march5);
        ASSERT_EQ(result, TransferOutcome::Failed) << c.message;
        EXPECT_EQ(result.failure->kind, FailureKind::BadNumber);
        EXPECT_EQ(rig.fb.messages, std::vector<std::string>{cp1251ToUtf8(cp(c.message))});
        // The error ends the whole write: no further question, nothing sent.
        EXPECT_EQ(rig.fb.questions.size(), 1u);
        EXPECT_TRUE(rig.scale.received().empty());
    }
}

TEST(SettingsWrite, ImpossibleDateOrTimeKeepsWhatEarlierStagesWrote)
{
    for (const auto& [date, time, message] : {std::tuple{"31.02.05", "13:11:59", settingstext::kBadDate},
                                              std::tuple{"1.07.02", "13:11:59", settingstext::kBadDate},
                                              std::tuple{"01.07.02", "25:00:00", settingstext::kBadTime}}) {
        StatusRig rig;
        answer(rig, {Answer::Yes, Answer::No, Answer::Yes});
        SettingsForm f = form();
        f.date = date;
        f.time = time;
        RecordingView view;
        EXPECT_FALSE(writeUserSettings(rig.link, f, view, march5));
        EXPECT_EQ(rig.fb.messages, std::vector<std::string>{message});
        const emu::ScaleState state = rig.scale.state();
        EXPECT_EQ(state.user.department, 999);              // the first stage stays written
        EXPECT_EQ(state.date, (emu::ClockFields{1, 1, 0})); // the clock is not touched
    }
}

TEST(SettingsWrite, RefusedShopNameEndsTheWrite)
{
    StatusRig rig(withState(emu::ScaleState{}, {"nak@0x94"}));
    answer(rig, {Answer::Yes, Answer::Yes, Answer::Yes});
    RecordingView view;
    const auto result = writeUserSettings(rig.link, form(), view, march5);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.failure->kind, FailureKind::NoAck);
    EXPECT_EQ(rig.fb.questions.size(), 2u);
    EXPECT_EQ(rig.scale.state().user.department, 999);
}

TEST(SettingsWrite, StagesLeftOutAskNothing)
{
    StatusRig rig;
    answer(rig, {Answer::Yes});
    RecordingView view;
    WriteStages stages;
    stages.user = stages.clock = false;
    ASSERT_TRUE(writeUserSettings(rig.link, form(), view, march5, stages));
    EXPECT_EQ(rig.fb.questions, std::vector<std::string>{settingstext::kAskShop});
    EXPECT_EQ(rig.scale.state().shop2, std::string(28, 'z'));
}

TEST(SettingsDefaults, FieldsAndTheOptionsByte)
{
    SettingsForm f = form();
    f.currentClock = false;
    const SettingsForm d = withDefaults(f, march5());
    EXPECT_EQ(d.department, "46");
    EXPECT_EQ(d.labelFormat, "41");
    EXPECT_EQ(d.barcodeFormat, "4");
    EXPECT_EQ(d.printOffset, "10");
    EXPECT_EQ(d.minWeight, "10");
    EXPECT_EQ(d.options, 1 + 2 + 8 + 16 + 32);
    EXPECT_EQ(d.shop1, cp("Спасибо"));
    EXPECT_EQ(d.shop2, cp("за покупку !"));
    EXPECT_EQ(d.date, "05.03.04");
    EXPECT_EQ(d.time, "14:07:09");
    EXPECT_FALSE(d.currentClock);
}
