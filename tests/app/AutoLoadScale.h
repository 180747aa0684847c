#pragma once
// The one scale the auto-mode tests load: "Весы" on COM1 with the load file "load.pl6" of the
// start directory, and the tab's period check off; the rig that runs one cycle at once.

#include <QCheckBox>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/StringGrid.h"
#include "app/TForm1.h"
#include "app/TableModel.h"
#include "app/tabs/AutoModeTab.h"
#include "app/tabs/ConfigTab.h"
#include "common/Cp1251.h"
#include "support/LoadFiles.h"

namespace apptest
{

inline void configureAutoLoadScale(qm::app::TForm1& form)
{
    qm::Table config = form.configTab()->grid()->tableModel()->table();
    config.setRow(1, {"1", qm::cp("Весы"), "", "1", "COM1", "19200", "load.pl6", "", ""});
    form.configTab()->grid()->tableModel()->setTable(config);
    find<QCheckBox>(&form, "CheckBox19")->setChecked(false);
}

class AutoLoadRig : public ::testing::Test
{
  protected:
    // A load file of `count` products, old enough for the cycle to take it.
    void putLoad(int count)
    {
        writeFile(dir / "load.pl6", qmtest::pl6Count(count));
        std::filesystem::last_write_time(dir / "load.pl6",
                                         std::filesystem::file_time_type::clock::now() - std::chrono::seconds(10));
    }
    // Runs the cycle at once instead of waiting for the period.
    void runCycle(qm::app::TForm1& form)
    {
        qm::app::AutoModeTab* tab = form.autoModeTab();
        QSignalSpy ended(tab, &qm::app::AutoModeTab::cycleFinished);
        tab->Timer1Timer();
        ASSERT_TRUE(waitFor([&] { return ended.count() > 0; }, 20000));
        QCoreApplication::processEvents();
    }

    StartDirectory dir;
    ScriptedDialogs dialogs;
};

} // namespace apptest
