// The window's size, position and state from one run to the next: the geometry in the user's
// configuration directory, the state on line 7 of the settings file.

#include <QScreen>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/TForm1.h"

using namespace qm::app;

namespace
{

QRect screenRoom()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

class WindowGeometry : public ::testing::Test
{
  protected:
    // Line 7 of the settings file after the window closed in `state`.
    std::string windowLineAfterClosing(Qt::WindowStates state, bool autoMode)
    {
        TForm1 form(&dialogs);
        form.context().state().autoMode = autoMode;
        form.setWindowState(state);
        EXPECT_TRUE(form.FormCloseQuery());
        return apptest::fileLines(dir / "qm1_6.cfg").at(6);
    }

    apptest::StartDirectory dir;
    apptest::ScriptedDialogs dialogs;
};

TEST_F(WindowGeometry, TheSizeAndPlaceLeftAtCloseComeBackAtTheNextStart)
{
    const QRect left(screenRoom().topLeft() + QPoint(30, 40), QSize(640, 480));
    {
        TForm1 form(&dialogs);
        form.setGeometry(left);
        ASSERT_TRUE(form.FormCloseQuery());
    }
    TForm1 again(&dialogs);
    EXPECT_EQ(again.geometry(), left);
    EXPECT_EQ(apptest::fileLines(dir / "qm1_6.cfg").at(6), "wsNormal") << "the settings file is unchanged";
}

TEST_F(WindowGeometry, AMaximisedWindowKeepsItsNormalGeometry)
{
    QRect left;
    {
        TForm1 form(&dialogs);
        left = QRect(screenRoom().topLeft() + QPoint(10, 20), form.minimumSizeHint().expandedTo(QSize(600, 450)));
        form.setGeometry(left);
        form.show();
        form.showMaximized();
        QApplication::processEvents();
        ASSERT_TRUE(form.FormCloseQuery());
    }
    TForm1 again(&dialogs);
    EXPECT_TRUE(again.isMaximized());
    EXPECT_EQ(again.normalGeometry().size(), left.size());
}

TEST_F(WindowGeometry, APlaceNoLongerOnAnyScreenGivesTheFirstStartPlace)
{
    {
        TForm1 form(&dialogs);
        form.setGeometry(QRect(screenRoom().bottomRight() + QPoint(500, 500), QSize(640, 480)));
        ASSERT_TRUE(form.FormCloseQuery());
    }
    TForm1 again(&dialogs);
    EXPECT_TRUE(screenRoom().contains(again.geometry().center()));
    EXPECT_EQ(again.size(), QSize(1024, 700).boundedTo(screenRoom().size()));
}

TEST_F(WindowGeometry, WindowStateLineTellsTheRealState)
{
    // Minimised from maximised, Qt keeps both flags: the window is minimised.
    EXPECT_EQ(windowLineAfterClosing(Qt::WindowMinimized | Qt::WindowMaximized, true), "wsMinimized");
    EXPECT_EQ(windowLineAfterClosing(Qt::WindowMinimized, true), "wsMinimized");
    EXPECT_EQ(windowLineAfterClosing(Qt::WindowMaximized, true), "wsMaximized");
    // Minimised by hand outside auto mode is stored as normal, whatever it was minimised from.
    EXPECT_EQ(windowLineAfterClosing(Qt::WindowMinimized | Qt::WindowMaximized, false), "wsNormal");
    EXPECT_EQ(windowLineAfterClosing(Qt::WindowMinimized, false), "wsNormal");
}

} // namespace
