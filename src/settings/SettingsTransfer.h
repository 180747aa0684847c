#pragma once
// The operations of the tab "Настройки": read the user settings and the shop name of the chosen
// scale, and write them and the scale's clock in three stages, each after its own question. They
// find and open the scale through the frame, address it before every command, speak through the
// session's feedback and hand each record they read to its ValueSink as it arrives.

#include <functional>
#include <string>

#include "common/Failure.h"
#include "common/ValueSink.h"
#include "settings/DateTimeText.h"
#include "settings/UserSettingsCodec.h"

namespace qm
{

struct ScaleLink;
class Feedback;

// The tab's fields as texts, as the person left them (shop lines in code page 1251).
struct SettingsForm {
    std::string department;    // `Edit3`
    std::string labelFormat;   // `ComboBox3`
    std::string barcodeFormat; // `ComboBox4`
    std::string printOffset;   // `Edit4`
    std::string minWeight;     // `Edit5`
    int options = 0;           // `CheckBox1`..`CheckBox8`, bit 0 first
    std::string shop1;         // `Edit1`
    std::string shop2;         // `Edit2`
    std::string date;          // `Edit6`, DD.MM.YY
    std::string time;          // `Edit7`, HH:MM:SS
    bool currentClock = true;  // `CheckBox15`: the computer's clock instead of the two fields
};

// The stages a write runs; each asks its question first. The window runs all three; the
// command line only those whose options were given.
struct WriteStages {
    bool user = true;
    bool shop = true;
    bool clock = true;
};

// The settings, a 210 ms pause, then the shop name; "Чтение настроек пользователя закончено."
// at the end. A failure between the two leaves the settings shown.
OperationResult readUserSettings(const ScaleLink& link, ValueSink<UserSettings>& settings, ValueSink<ShopName>& shop);
// The same without the closing message: what a partial write starts from.
OperationResult fetchUserSettings(const ScaleLink& link, ValueSink<UserSettings>& settings, ValueSink<ShopName>& shop);

// The stages in their order; an error in one ends the whole write, and what earlier stages wrote
// stays written. Ends with "Настройки весов изменены" when a stage was confirmed and with
// "Настройки весов не изменены" when none was. With the computer's clock, `shownClock` gets the
// reading written to the scale.
OperationResult writeUserSettings(const ScaleLink& link, const SettingsForm& form, ValueSink<ClockReading>& shownClock,
                                  const std::function<ClockReading()>& clock = clockNow, WriteStages stages = {});

// The number fields of the user-settings stage, checked in the tab's order: a field that holds
// no integer fails naming its label, one outside its range with its own message.
OperationResult userSettingsFrom(Feedback& feedback, const SettingsForm& form, UserSettings& settings);

// The fields of the user-settings stage as a settings record read from the scale gives them; the
// shop lines and the clock stay as they were.
SettingsForm withUserSettings(SettingsForm form, const UserSettings& settings);

// The fields after "По умолчанию": every setting and the shop name at its default, the clock
// fields from `now`; "Ввести текущую дату и время" stays as it was.
SettingsForm withDefaults(SettingsForm form, const ClockReading& now);

} // namespace qm
