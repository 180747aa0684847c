#pragma once
// The window over a fresh start directory and boxes answered from a script: the fixture of the
// window tests; a button is clicked by its component name.

#include <QTest>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/ScaleRunner.h"
#include "app/TForm1.h"

namespace apptest
{

class WindowRig : public ::testing::Test
{
  protected:
    void click(const char* name)
    {
        QWidget* w = find<QWidget>(&form, name);
        ASSERT_NE(w, nullptr) << name;
        QTest::mouseClick(w, Qt::LeftButton);
    }
    // Clicks and waits until the scale operation it started has ended.
    void clickAndWait(const char* name)
    {
        click(name);
        ASSERT_TRUE(form.context().runner().waitIdle(30000)) << name;
    }

    StartDirectory dir;
    ScriptedDialogs dialogs;
    qm::app::TForm1 form{&dialogs};
};

} // namespace apptest
