// The scale choosers and their apply-configuration command, and the key filters of the fields.

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "AppTestSupport.h"
#include "WindowRig.h"
#include "app/ChooserBox.h"
#include "app/KeyFilter.h"
#include "app/StringGrid.h"
#include "app/TForm1.h"
#include "app/tabs/ConfigTab.h"

using namespace qm::app;
using apptest::find;

namespace
{

const char* const kChoosers[] = {"ComboBox1", "ComboBox2", "ComboBox5",  "ComboBox6",
                                 "ComboBox7", "ComboBox8", "ComboBox10", "ComboBox11"};

class Choosers : public apptest::WindowRig
{
  protected:
    void setNames(const std::vector<std::string>& names)
    {
        qm::Table config = form.configTab()->grid()->tableModel()->table();
        config.setRowCount(static_cast<int>(names.size()) + 1);
        for (size_t i = 0; i < names.size(); ++i)
            config.setCell(static_cast<int>(i) + 1, 1, names[i]);
        form.configTab()->grid()->tableModel()->setTable(config);
    }
    QStringList entries(const char* name)
    {
        QStringList list;
        auto* box = find<ChooserBox>(&form, name);
        for (int i = 0; i < box->count(); ++i)
            list << box->itemText(i);
        return list;
    }
};

TEST_F(Choosers, StartWithTheOneEmptyRowOfTheTable)
{
    for (const char* name : kChoosers) {
        EXPECT_EQ(entries(name), QStringList{""}) << name;
        EXPECT_EQ(find<ChooserBox>(&form, name)->text(), "") << name;
    }
}

TEST_F(Choosers, TabChangeRefillsEveryChooserInTheFixedOrder)
{
    setNames({"\xC2\xE5\xF1\xFB 1", "", "\xC2\xE5\xF1\xFB 1", "B"}); // "Весы 1", "", "Весы 1", "B"
    std::vector<QString> filled;
    for (const char* name : kChoosers) {
        auto* box = find<ChooserBox>(&form, name);
        QObject::connect(box->model(), &QAbstractItemModel::rowsInserted, box,
                         [&filled, box] { filled.push_back(box->objectName()); });
    }
    form.pageControl()->setCurrentIndex(5);

    const QStringList expected{"Весы 1", "", "Весы 1", "B"};
    for (const char* name : kChoosers)
        EXPECT_EQ(entries(name), expected) << name;
    // Row by row, each row's name goes to the eight choosers in the order 1, 2, 5, 6, 7, 8, 10, 11.
    ASSERT_EQ(filled.size(), 4u * 8u);
    for (size_t i = 0; i < filled.size(); ++i)
        EXPECT_EQ(filled[i], kChoosers[i % 8]) << i;
}

TEST_F(Choosers, KeepTheirTextWhenTheNameLeavesTheTable)
{
    setNames({"A", "B"});
    form.configTab()->SpeedButton85Click();
    auto* box = find<ChooserBox>(&form, "ComboBox8");
    box->setText("A");
    QTest::keyClick(box, Qt::Key_Down); // the user picks "B"
    EXPECT_EQ(box->text(), "B");

    setNames({"A", "C"});
    form.configTab()->SpeedButton85Click();
    EXPECT_EQ(box->text(), "B");
    EXPECT_EQ(entries("ComboBox8"), (QStringList{"A", "C"}));
    EXPECT_EQ(box->currentIndex(), -1);
    EXPECT_EQ(ScaleChoosers::nameOf(*box), "B");

    setNames({"B"});
    form.configTab()->SpeedButton85Click();
    EXPECT_EQ(box->currentIndex(), 0) << "the list selection follows the text again";
}

TEST_F(Choosers, RefuseTypedKeysButPickWithArrows)
{
    setNames({"A", "B", "C"});
    form.configTab()->SpeedButton85Click();
    auto* box = find<ChooserBox>(&form, "ComboBox11");
    box->setText("A");
    QTest::keyClick(box, Qt::Key_C);
    QTest::keyClick(box, Qt::Key_Backspace);
    apptest::typeText(box, "В");
    EXPECT_EQ(box->text(), "A");
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(box->text(), "B");
}

TEST_F(Choosers, FieldsFilterTheirKeys)
{
    auto* period = find<QLineEdit>(&form, "Edit33");
    period->setText("6");
    period->setCursorPosition(1);
    QTest::keyClicks(period, "a0-");
    EXPECT_EQ(period->text(), "60");
    QTest::keyClick(period, Qt::Key_Backspace);
    EXPECT_EQ(period->text(), "6");

    // The clock fields take keys only while the computer's clock is not used.
    find<QCheckBox>(&form, "CheckBox15")->setChecked(false);
    auto* date = find<QLineEdit>(&form, "Edit6");
    date->clear();
    QTest::keyClicks(date, "01.07:02");
    EXPECT_EQ(date->text(), "01.0702");
    auto* time = find<QLineEdit>(&form, "Edit7");
    time->clear();
    QTest::keyClicks(time, "13:11.59");
    EXPECT_EQ(time->text(), "13:1159");

    auto* number = find<QLineEdit>(&form, "Edit34");
    number->setCursorPosition(static_cast<int>(number->text().size()));
    QTest::keyClicks(number, "42");
    QTest::keyClick(number, Qt::Key_Backspace);
    EXPECT_EQ(number->text(), "не определен");

    for (const char* name : {"Edit3", "Edit4", "Edit5", "Edit35", "Edit36", "Edit37"}) {
        auto* edit = find<QLineEdit>(&form, name);
        ASSERT_NE(edit, nullptr) << name;
        edit->clear();
        QTest::keyClicks(edit, "1x2 ");
        EXPECT_EQ(edit->text(), "12") << name;
    }
}

// Text that arrives without keys meets the rule of the keys: Ctrl+V, the context menu's paste and
// a drop each leave what typing "1.2a:3" after the "7" would.
TEST_F(Choosers, PastedAndDroppedTextIsFilteredAsTyped)
{
    find<QCheckBox>(&form, "CheckBox15")->setChecked(false); // the clock fields take input
    const std::pair<const char*, const char*> fields[] = {
        {"Edit3", "7123"},  {"Edit4", "7123"},  {"Edit5", "7123"},  {"Edit33", "7123"}, {"Edit35", "7123"},
        {"Edit36", "7123"}, {"Edit37", "7123"}, {"Edit6", "71.23"}, {"Edit7", "712:3"}, {"Edit34", "7"}};
    const std::pair<const char*, std::function<void(QLineEdit*)>> routes[] = {
        {"Ctrl+V", // as the keyboard sends it, with the control character 0x16
         [](QLineEdit* e) {
             QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QString(QChar(0x16)));
             QCoreApplication::sendEvent(e, &press);
         }},
        {"context menu",
         [](QLineEdit* e) {
             std::unique_ptr<QMenu> menu(e->createStandardContextMenu());
             const QString key = '\t' + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
             for (QAction* a : menu->actions())
                 if (a->text().endsWith(key))
                     a->trigger();
         }},
        {"drop", [](QLineEdit* e) {
             QMimeData data;
             data.setText(QGuiApplication::clipboard()->text());
             QDragEnterEvent enter(QPoint(e->width() - 2, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
             QDropEvent drop(QPointF(e->width() - 2, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
             QCoreApplication::sendEvent(e, &enter);
             QCoreApplication::sendEvent(e, &drop);
         }}};
    QGuiApplication::clipboard()->setText(QStringLiteral("1.2a:3"));
    for (const auto& [field, expected] : fields) {
        for (const auto& [route, put] : routes) {
            auto* edit = find<QLineEdit>(&form, field);
            edit->setText(QStringLiteral("7"));
            put(edit);
            EXPECT_EQ(edit->text(), QString::fromUtf8(expected)) << field << " by " << route;
        }
    }
    // What the program shows is not filtered: a clock read from a scale with a nibble over 9.
    find<QLineEdit>(&form, "Edit6")->setText(QStringLiteral("3?.12.24"));
    EXPECT_EQ(find<QLineEdit>(&form, "Edit6")->text(), "3?.12.24");
}

TEST(KeyFilter, OnlyCharacterKeysAreFiltered)
{
    const QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    const QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7F)));
    const QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QString(QChar(0x16)));
    const QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, QString(QChar(0x08)));
    for (const QKeyEvent* e : {&left, &del, &paste})
        EXPECT_TRUE(keyAllowed(KeyRule::Nothing, *e));
    EXPECT_FALSE(keyAllowed(KeyRule::Nothing, backspace));
    EXPECT_TRUE(keyAllowed(KeyRule::Digits, backspace));
}

} // namespace

// Each chooser shows again at the next start the scale it showed at close; a name that is no
// longer a scale of the configuration is not brought back.
TEST_F(Choosers, EachRemembersItsScaleAcrossARestart)
{
    find<QCheckBox>(&form, "CheckBox16")->setChecked(true); // the configuration is kept
    setNames({"A", "B", "C"});
    form.configTab()->SpeedButton85Click();
    const QString chosen[] = {"B", "C", "A", "", "C", "B", "A", "C"};
    for (size_t i = 0; i < std::size(kChoosers); ++i)
        find<ChooserBox>(&form, kChoosers[i])->setText(chosen[i]);
    ASSERT_TRUE(form.FormCloseQuery());
    {
        TForm1 again(&dialogs);
        for (size_t i = 0; i < std::size(kChoosers); ++i)
            EXPECT_EQ(find<ChooserBox>(&again, kChoosers[i])->text(), chosen[i]) << kChoosers[i];
        find<QCheckBox>(&again, "CheckBox16")->setChecked(false); // the next start has no scales
        ASSERT_TRUE(again.FormCloseQuery());
    }
    TForm1 third(&dialogs);
    EXPECT_EQ(find<ChooserBox>(&third, "ComboBox7")->text(), "") << "no such scale any more";
}
