// The tabs "Настройки", "Состояние весов" and "Установки VORTA" in the window, offscreen, on an
// emulated scale: their buttons run on the worker and fill the fields from the scale's answers.

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "StateBuilder.h"
#include "StateFile.h"
#include "WindowRig.h"
#include "app/ChooserBox.h"
#include "app/ScaleRunner.h"
#include "app/StringGrid.h"
#include "app/TForm1.h"
#include "app/tabs/ConfigTab.h"
#include "app/tabs/StatusTab.h"
#include "common/Cp1251.h"
#include "operation/OperationTexts.h"
#include "settings/SettingsTexts.h"
#include "support/EmuProcess.h"

using namespace qm::app;
using apptest::find;

namespace
{

class ScaleSettingsTabs : public apptest::WindowRig
{
  protected:
    // The emulated scale as "Весы" on COM1, chosen on the three tabs.
    void connect(const emu::ScaleState& state)
    {
        qmtest::EmuOptions options;
        options.stateJson = emu::stateToJson(state);
        scale = std::make_unique<qmtest::EmuProcess>(options);
        scale->writePortsCfg(dir.path().string(), 1);
        qm::Table config = form.configTab()->grid()->tableModel()->table();
        config.setRow(1, {"1", qm::cp("Весы"), "", "1", "COM1", "9600"});
        form.configTab()->grid()->tableModel()->setTable(config);
        form.configTab()->SpeedButton85Click();
        for (const char* chooser : {"ComboBox2", "ComboBox5", "ComboBox6"})
            find<ChooserBox>(&form, chooser)->setText(QStringLiteral("Весы"));
    }
    QString text(const char* edit) { return find<QLineEdit>(&form, edit)->text(); }
    void type(const char* edit, const QString& value) { find<QLineEdit>(&form, edit)->setText(value); }

    std::unique_ptr<qmtest::EmuProcess> scale;
};

} // namespace

TEST_F(ScaleSettingsTabs, SettingsReadThenWrittenBack)
{
    emu::ScaleState state;
    state.user.department = 305;
    state.user.labelFormat = 57; // not one of the list's items: shown all the same
    state.user.options = 0x81;
    state.shop1 = emu::scaleName("Ёжик");
    connect(state);
    clickAndWait("Button3");
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{qm::settingstext::kReadDone});
    EXPECT_EQ(text("Edit3"), "305");
    EXPECT_EQ(find<ChooserBox>(&form, "ComboBox3")->text(), "57");
    EXPECT_TRUE(find<QCheckBox>(&form, "CheckBox1")->isChecked());
    EXPECT_FALSE(find<QCheckBox>(&form, "CheckBox2")->isChecked());
    EXPECT_TRUE(find<QCheckBox>(&form, "CheckBox8")->isChecked());
    EXPECT_EQ(text("Edit1"), QStringLiteral("Ёжик")) << "shown without the scale's padding";

    // Typed at the end of the text read, and past the 28 characters a line holds.
    for (const QChar c : QStringLiteral(" и сын"))
        apptest::typeText(find<QLineEdit>(&form, "Edit1"), c);
    for (int i = 0; i < 35; ++i)
        apptest::typeText(find<QLineEdit>(&form, "Edit2"), QStringLiteral("Я"));
    EXPECT_EQ(text("Edit2"), QString(28, QChar(u'Я')));
    type("Edit3", "7");
    find<QCheckBox>(&form, "CheckBox15")->setChecked(false);
    EXPECT_TRUE(find<QLineEdit>(&form, "Edit6")->isEnabled());
    type("Edit6", "01.07.02");
    type("Edit7", "13:11:59");
    dialogs.answers = {qm::Answer::Yes, qm::Answer::Yes, qm::Answer::Yes};
    clickAndWait("Button4");
    EXPECT_EQ(dialogs.messages.back(), qm::settingstext::kChanged);
    const emu::ScaleState held = scale->state();
    EXPECT_EQ(held.shop1, emu::scaleName("Ёжик и сын"));
    EXPECT_EQ(held.shop2, emu::scaleName(QString(28, QChar(u'Я')).toStdString()));
    EXPECT_EQ(held.user.department, 7);
    EXPECT_EQ(held.user.labelFormat, 57);
    EXPECT_EQ(held.user.options, 0x81);
    EXPECT_EQ(held.date, (emu::ClockFields{1, 7, 2}));
    EXPECT_EQ(held.time, (emu::ClockFields{13, 11, 59}));
}

TEST_F(ScaleSettingsTabs, DefaultsAndTheClockBox)
{
    auto* clock = find<QCheckBox>(&form, "CheckBox15");
    clock->setChecked(true);
    EXPECT_FALSE(find<QLineEdit>(&form, "Edit6")->isEnabled());
    EXPECT_FALSE(find<QLineEdit>(&form, "Edit7")->isEnabled());
    type("Edit3", "999");
    dialogs.answers = {qm::Answer::No};
    QTest::mouseClick(find<QWidget>(&form, "Button8"), Qt::LeftButton);
    EXPECT_EQ(text("Edit3"), "999");
    dialogs.answers = {qm::Answer::Yes};
    QTest::mouseClick(find<QWidget>(&form, "Button8"), Qt::LeftButton);
    EXPECT_EQ(text("Edit3"), "46");
    EXPECT_EQ(find<ChooserBox>(&form, "ComboBox3")->text(), "41");
    EXPECT_EQ(text("Edit2"), QStringLiteral("за покупку !"));
    EXPECT_FALSE(find<QCheckBox>(&form, "CheckBox3")->isChecked());
    EXPECT_TRUE(find<QCheckBox>(&form, "CheckBox6")->isChecked());
    EXPECT_EQ(text("Edit6").size(), 8);
    EXPECT_TRUE(clock->isChecked());
}

TEST_F(ScaleSettingsTabs, StatusShownAndTheKeyLoopStops)
{
    emu::ScaleState state;
    state.status.flags = 0x41;
    state.status.weight = -1000;
    state.status.product = 12;
    state.priceKeys[0] = 4000;
    connect(state);
    StringGrid* grid = form.statusTab()->grid();
    QTest::mouseClick(find<QWidget>(&form, "Button5"), Qt::LeftButton);
    // The window handles events while the keys are read; the stop button ends the loop.
    ASSERT_TRUE(apptest::waitFor(
        [&] { return text("Edit8") == "-1000" && grid->tableModel()->table().cell(1, 1) == "4000"; }, 10000));
    QTest::mouseClick(find<QWidget>(&form, "KeysStopButton"), Qt::LeftButton);
    ASSERT_TRUE(form.context().runner().waitIdle(10000));
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{qm::operationtext::kStopped});
    EXPECT_EQ(grid->tableModel()->table().cell(54, 1), ""); // not read: a read key shows its cell, "0" too
    EXPECT_TRUE(find<QCheckBox>(&form, "CheckBox9")->isChecked());
    EXPECT_TRUE(find<QCheckBox>(&form, "CheckBox13")->isChecked());
    EXPECT_FALSE(find<QCheckBox>(&form, "CheckBox11")->isChecked());
    EXPECT_EQ(text("Edit11"), "12");

    QTest::mouseClick(find<QWidget>(&form, "Button12"), Qt::LeftButton);
    EXPECT_EQ(grid->tableModel()->table().cell(54, 1), "54");
    QTest::mouseClick(find<QWidget>(&form, "Button15"), Qt::LeftButton);
    EXPECT_EQ(grid->tableModel()->table().cell(54, 1), "");
    EXPECT_EQ(grid->tableModel()->table().cell(54, 0), "54");
}

TEST_F(ScaleSettingsTabs, FactorySettingsAndAnUnknownPointCode)
{
    emu::ScaleState state;
    state.factory.capacity = 30000;
    state.factory.weightPoint = 7;
    state.factory.pricePoint = 3;
    connect(state);
    clickAndWait("Button7");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(text("Edit12"), "30000");
    EXPECT_EQ(text("Edit13"), "0"); // code 7 leaves the field as it was
    EXPECT_EQ(text("Edit14"), "0,00");
    EXPECT_TRUE(find<QCheckBox>(&form, "CheckBox14")->isChecked());
    EXPECT_EQ(text("Edit20"), "6000");
}
