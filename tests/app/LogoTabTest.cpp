// The tab "Логотип" offscreen: toggling dots with the mouse, the file commands with the
// save-first question, the conversion with the threshold, the logo question at close, and the
// logo transfer with an emulated scale on COM1.
#include <QImage>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <memory>

#include "AppTestSupport.h"
#include "StateBuilder.h"
#include "app/ChooserBox.h"
#include "app/LogoImage.h"
#include "app/ScaleRunner.h"
#include "app/StringGrid.h"
#include "app/TForm1.h"
#include "app/tabs/ConfigTab.h"
#include "app/tabs/LogoTab.h"
#include "common/Cp1251.h"
#include "logo/LogoCodec.h"
#include "logo/LogoScaleBytes.h"
#include "support/EmuProcess.h"

using namespace qm::app;
using apptest::find;
namespace fs = std::filesystem;

using logotest::scaleBytes;

namespace
{

constexpr int kScale = 5;
const char* const kSaveFirst = "Рисунок логотипа был изменен. Сохранить изменения?";
const char* const kCloseLogo = "Программа будет закрыта.\r\nТекущий логотип был изменен.\r\nСохранить изменения?";

qm::LogoPicture sample()
{
    qm::LogoPicture p;
    for (int i = 0; i < 64; i += 3)
        p.setDot(i, 63 - i, true);
    return p;
}

class LogoTabTest : public ::testing::Test
{
  protected:
    LogoTabTest() : form(std::make_unique<TForm1>(&dialogs)) {}

    // The scale on COM1, configured as "Весы 1" and chosen on the tab.
    void connectScale(const std::string& stateJson = {}, std::vector<std::string> faults = {})
    {
        qmtest::EmuOptions options;
        options.number = kScale;
        options.stateJson = stateJson;
        options.faults = std::move(faults);
        emu = std::make_unique<qmtest::EmuProcess>(options);
        emu->writePortsCfg(dir.path().string(), 1);
        form = std::make_unique<TForm1>(&dialogs);
        qm::Table config = form->configTab()->grid()->tableModel()->table();
        config.setRow(1, {"1", qm::cp("Весы 1"), "", std::to_string(kScale), "COM1", "9600"});
        form->configTab()->grid()->tableModel()->setTable(config);
        form->configTab()->SpeedButton85Click();
        find<ChooserBox>(form.get(), "ComboBox1")->setText("Весы 1");
    }

    LogoTab* tab() { return form->logoTab(); }
    LogoImage* field() { return find<LogoImage>(form.get(), "Image1"); }
    LogoImage* preview() { return find<LogoImage>(form.get(), "Image2"); }
    bool& modified() { return form->context().state().logoModified; }
    void click(const char* name)
    {
        QTest::mouseClick(find<QToolButton>(form.get(), name), Qt::LeftButton);
        ASSERT_TRUE(form->context().runner().waitIdle(20000));
        QCoreApplication::processEvents();
    }
    void clickButton(const char* name)
    {
        QTest::mouseClick(find<QPushButton>(form.get(), name), Qt::LeftButton);
        ASSERT_TRUE(form->context().runner().waitIdle(20000));
        QCoreApplication::processEvents();
    }

    apptest::StartDirectory dir;
    apptest::ScriptedDialogs dialogs;
    std::unique_ptr<qmtest::EmuProcess> emu;
    std::unique_ptr<TForm1> form;
};

} // namespace

TEST_F(LogoTabTest, ClickingASquareTwiceRestoresIt)
{
    ASSERT_EQ(field()->size(), QSize(320, 320));
    ASSERT_EQ(preview()->size(), QSize(64, 64));
    QTest::mouseClick(field(), Qt::LeftButton, {}, QPoint(7, 12));
    EXPECT_TRUE(tab()->picture().dot(1, 2)) << "pointer (7, 12) is dot (1, 2)";
    EXPECT_EQ(tab()->picture().setCount(), 1);
    EXPECT_EQ(field()->pixel(5, 10), qRgb(0, 0, 0));
    EXPECT_EQ(field()->pixel(9, 14), qRgb(0, 0, 0));
    EXPECT_EQ(field()->pixel(10, 14), qRgb(255, 255, 255));
    EXPECT_TRUE(preview()->picture().dot(1, 2));
    EXPECT_TRUE(modified());

    // Any button, the same square: back to white.
    QTest::mouseClick(field(), Qt::RightButton, {}, QPoint(9, 10));
    EXPECT_EQ(tab()->picture(), qm::LogoPicture());
    EXPECT_EQ(preview()->picture(), qm::LogoPicture());

    QTest::mouseClick(field(), Qt::LeftButton, {}, QPoint(319, 319));
    EXPECT_TRUE(tab()->picture().dot(63, 63));
}

TEST_F(LogoTabTest, AReleaseOutsideTheFieldChangesNothing)
{
    for (const QPoint outside : {QPoint(400, 10), QPoint(10, 320), QPoint(-3, 5), QPoint(5, -1)}) {
        QTest::mousePress(field(), Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(field(), Qt::LeftButton, {}, outside);
        EXPECT_EQ(tab()->picture(), qm::LogoPicture()) << outside.x() << "," << outside.y();
    }
    EXPECT_FALSE(modified());
}

TEST_F(LogoTabTest, NewAsksFirstAndCancelKeepsTheDrawing)
{
    QTest::mouseClick(field(), Qt::LeftButton, {}, QPoint(50, 50));
    dialogs.answers = {qm::Answer::Cancel};
    click("SpeedButton1");
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{kSaveFirst});
    EXPECT_TRUE(tab()->picture().dot(10, 10));
    EXPECT_TRUE(modified());

    dialogs.answers = {qm::Answer::No};
    click("SpeedButton1");
    EXPECT_EQ(tab()->picture(), qm::LogoPicture());
    EXPECT_EQ(preview()->picture(), qm::LogoPicture());
    EXPECT_FALSE(modified());
}

TEST_F(LogoTabTest, SaveAndOpenGoThroughTheLogoDialogs)
{
    tab()->setPicture(sample());
    dialogs.files.push_back(qm::ChosenFile{dir / "s.qmi", 1});
    click("SpeedButton3");
    EXPECT_EQ(apptest::readFile(dir / "s.qmi"), qm::logoFileBytes(sample()));

    tab()->setPicture(qm::LogoPicture());
    dialogs.files.push_back(qm::ChosenFile{dir / "s.qmi", 1});
    click("SpeedButton2");
    EXPECT_EQ(tab()->picture(), sample());
    EXPECT_EQ(field()->picture(), sample());
    EXPECT_EQ(dialogs.shownNames(), (std::vector<std::string>{"QmiSaveDialog", "QmiOpenDialog"}));
    EXPECT_FALSE(modified());
}

TEST_F(LogoTabTest, ConvertUsesTheTrackBarAndAFailedLoadChangesNothing)
{
    QImage image(80, 30, QImage::Format_RGB32);
    image.fill(QColor(140, 140, 140));
    ASSERT_TRUE(image.save(QString::fromStdString((dir / "grey.png").string()), "PNG"));
    find<QSlider>(form.get(), "TrackBar1")->setValue(140);
    dialogs.files.push_back(qm::ChosenFile{dir / "grey.png", 1});
    click("SpeedButton4");
    EXPECT_EQ(tab()->picture().setCount(), 64 * 30);
    EXPECT_TRUE(modified());
    EXPECT_EQ(dialogs.shownNames(), std::vector<std::string>{"PictureOpenDialog"});

    apptest::writeFile(dir / "broken.png", "not a picture");
    dialogs.answers = {qm::Answer::No};
    dialogs.files.push_back(qm::ChosenFile{dir / "broken.png", 1});
    click("SpeedButton4");
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(tab()->picture().setCount(), 64 * 30);
    EXPECT_TRUE(modified());
}

TEST_F(LogoTabTest, CloseAsksAboutTheLogoAndKeepsItUnlessSaved)
{
    tab()->setPicture(sample());
    modified() = true;
    // Yes with the dialog cancelled: the window stays, the drawing is still unsaved.
    dialogs.answers = {qm::Answer::Yes};
    EXPECT_FALSE(form->close());
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{kCloseLogo});
    EXPECT_TRUE(modified());

    dialogs.answers = {qm::Answer::Yes};
    dialogs.files.push_back(qm::ChosenFile{dir / "at-close.qmi", 1});
    EXPECT_TRUE(form->close());
    EXPECT_EQ(apptest::readFile(dir / "at-close.qmi"), qm::logoFileBytes(sample()));
    EXPECT_FALSE(modified());
}

TEST_F(LogoTabTest, WriteAndReadWithTheChosenScale)
{
    connectScale(emu::StateBuilder(kScale).logo(scaleBytes(sample())).json());
    clickButton("Button2");
    EXPECT_EQ(tab()->picture(), sample());
    EXPECT_EQ(field()->picture(), sample());
    EXPECT_TRUE(modified());
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Логотип прочитан."});

    // A modified drawing: the read asks first, and Cancel leaves it.
    QTest::mouseClick(field(), Qt::LeftButton, {}, QPoint(2, 2));
    const qm::LogoPicture drawn = tab()->picture();
    dialogs.answers = {qm::Answer::Cancel};
    click("SpeedButton6");
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{kSaveFirst});
    EXPECT_EQ(tab()->picture(), drawn);

    dialogs.messages.clear();
    click("SpeedButton5");
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Данные переданы."});
    EXPECT_EQ(emu->state().logo, scaleBytes(drawn));
}
