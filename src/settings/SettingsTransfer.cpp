#include "settings/SettingsTransfer.h"

#include "common/Cp1251.h"
#include "common/Feedback.h"
#include "common/IntText.h"
#include "link/ScaleSession.h"
#include "operation/OperationTexts.h"
#include "operation/ScaleFrame.h"
#include "settings/SettingsTexts.h"
#include "settings/UserSettingsCommands.h"

namespace qm
{

namespace
{

// The settings and the shop name are read 210 ms apart.
constexpr int kReadPauseMs = 210;

OperationResult exchangeFailed(Feedback& feedback, FailureKind kind)
{
    return failed(feedback, Failure::plain(kind, operationtext::kWriteFailed));
}

// One number field: an integer text within [low, high]; otherwise the field's own failure.
OperationResult numberIn(Feedback& feedback, const std::string& text, const char* label, int low, int high,
                         const char* rangeMessage, int& value)
{
    const auto number = intText(text);
    if (!number) {
        std::string message = settingstext::kNotANumber;
        message.replace(message.find("%1"), 2, label);
        return failed(feedback, Failure::plain(FailureKind::BadNumber, message));
    }
    if (rangeMessage && (*number < low || *number > high))
        return failed(feedback, Failure::plain(FailureKind::BadNumber, rangeMessage));
    value = *number;
    return OperationResult::done();
}

// A stage runs when it is asked for and its question is answered Yes.
bool stageConfirmed(Feedback& feedback, bool wanted, const char* question)
{
    return wanted && feedback.ask(question, Buttons::YesNo) == Answer::Yes;
}

OperationResult writeUserStage(ScaleSession& session, int number, const SettingsForm& form)
{
    UserSettings settings;
    if (auto checked = userSettingsFrom(session.feedback(), form, settings); !checked)
        return checked;
    if (auto addressed = addressScale(session, number); !addressed)
        return addressed;
    if (!SendUserSet(session, settings))
        return exchangeFailed(session.feedback(), FailureKind::NoAck);
    return OperationResult::done();
}

OperationResult writeShopStage(ScaleSession& session, int number, const SettingsForm& form)
{
    if (auto addressed = addressScale(session, number); !addressed)
        return addressed;
    if (!SendShop(session, ShopName{form.shop1, form.shop2}))
        return exchangeFailed(session.feedback(), FailureKind::NoAck);
    return OperationResult::done();
}

OperationResult writeClockStage(ScaleSession& session, int number, const SettingsForm& form,
                                ValueSink<ClockReading>& shownClock, const std::function<ClockReading()>& clock)
{
    Feedback& feedback = session.feedback();
    ClockReading reading;
    if (form.currentClock) {
        reading = clock();
        shownClock.deliver(reading);
    } else {
        const auto date = parseScaleDate(form.date);
        if (!date)
            return failed(feedback, Failure::plain(FailureKind::BadNumber, settingstext::kBadDate));
        const auto time = parseScaleTime(form.time);
        if (!time)
            return failed(feedback, Failure::plain(FailureKind::BadNumber, settingstext::kBadTime));
        reading = ClockReading{*date, *time};
    }
    if (auto addressed = addressScale(session, number); !addressed)
        return addressed;
    if (!SendDate(session, reading.date))
        return exchangeFailed(feedback, FailureKind::NoAck);
    if (auto addressed = addressScale(session, number); !addressed)
        return addressed;
    if (!SendTime(session, reading.time))
        return exchangeFailed(feedback, FailureKind::NoAck);
    return OperationResult::done();
}

} // namespace

OperationResult userSettingsFrom(Feedback& feedback, const SettingsForm& form, UserSettings& settings)
{
    using namespace settingstext;
    UserSettings s;
    if (auto r = numberIn(feedback, form.department, kDepartmentLabel, 0, 999, kBadDepartment, s.department); !r)
        return r;
    if (auto r = numberIn(feedback, form.printOffset, kOffsetLabel, 1, 99, kBadOffset, s.printOffset); !r)
        return r;
    if (auto r = numberIn(feedback, form.minWeight, kMinWeightLabel, 0, 6000, kBadMinWeight, s.minWeight); !r)
        return r;
    // The formats are not range-checked: the scale takes their low eight bits.
    if (auto r = numberIn(feedback, form.labelFormat, kLabelFormatLabel, 0, 0, nullptr, s.labelFormat); !r)
        return r;
    if (auto r = numberIn(feedback, form.barcodeFormat, kBarcodeFormatLabel, 0, 0, nullptr, s.barcodeFormat); !r)
        return r;
    s.options = form.options & 0xFF;
    settings = s;
    return OperationResult::done();
}

OperationResult fetchUserSettings(const ScaleLink& link, ValueSink<UserSettings>& settingsSink,
                                  ValueSink<ShopName>& shopSink)
{
    const OpenedScale opened = openScale(link, settingstext::kNoScaleRead);
    if (!opened)
        return opened;
    ScaleSession& session = link.session;
    const int number = opened.target.number;
    if (auto addressed = addressScale(session, number); !addressed)
        return addressed;
    UserSettings settings;
    if (!GetUserSet(session, settings))
        return exchangeFailed(session.feedback(), FailureKind::ReadFailed);
    settingsSink.deliver(settings);

    session.feedback().processEvents();
    session.pause(kReadPauseMs);
    if (auto addressed = addressScale(session, number); !addressed)
        return addressed;
    ShopName shop;
    if (!GetShop(session, shop))
        return exchangeFailed(session.feedback(), FailureKind::ReadFailed);
    shopSink.deliver(shop);
    return OperationResult::done();
}

OperationResult readUserSettings(const ScaleLink& link, ValueSink<UserSettings>& settings, ValueSink<ShopName>& shop)
{
    auto result = fetchUserSettings(link, settings, shop);
    if (result)
        link.session.feedback().message(settingstext::kReadDone);
    return result;
}

OperationResult writeUserSettings(const ScaleLink& link, const SettingsForm& form, ValueSink<ClockReading>& shownClock,
                                  const std::function<ClockReading()>& clock, WriteStages stages)
{
    const OpenedScale opened = openScale(link, settingstext::kNoScaleWrite);
    if (!opened)
        return opened;
    ScaleSession& session = link.session;
    Feedback& feedback = session.feedback();
    const int number = opened.target.number;
    bool changed = false;

    if (stageConfirmed(feedback, stages.user, settingstext::kAskUser)) {
        changed = true;
        if (auto written = writeUserStage(session, number, form); !written)
            return written;
    }
    if (stageConfirmed(feedback, stages.shop, settingstext::kAskShop)) {
        changed = true;
        if (auto written = writeShopStage(session, number, form); !written)
            return written;
    }
    if (stageConfirmed(feedback, stages.clock, settingstext::kAskClock)) {
        changed = true;
        if (auto written = writeClockStage(session, number, form, shownClock, clock); !written)
            return written;
    }
    feedback.message(changed ? settingstext::kChanged : settingstext::kUnchanged);
    return changed ? OperationResult::done() : OperationResult::cancelled();
}

SettingsForm withUserSettings(SettingsForm form, const UserSettings& settings)
{
    form.department = std::to_string(settings.department);
    form.labelFormat = std::to_string(settings.labelFormat);
    form.barcodeFormat = std::to_string(settings.barcodeFormat);
    form.printOffset = std::to_string(settings.printOffset);
    form.minWeight = std::to_string(settings.minWeight);
    form.options = settings.options;
    return form;
}

SettingsForm withDefaults(SettingsForm form, const ClockReading& now)
{
    form.department = "46";
    form.labelFormat = "41";
    form.barcodeFormat = "4";
    form.printOffset = "10";
    form.minWeight = "10";
    form.options = 59; // price change allowed and kept, group code, packing and sell-by dates
    form.shop1 = cp("Спасибо");
    form.shop2 = cp("за покупку !");
    form.date = formatScaleDate(now.date);
    form.time = formatScaleTime(now.time);
    return form;
}

} // namespace qm
