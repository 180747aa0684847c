#pragma once
// The one scale the auto-mode tests load: "Весы" on COM1 with the load file "load.pl6" of the
// start directory, and the tab's period check off.

#include <QCheckBox>

#include "AppTestSupport.h"
#include "app/StringGrid.h"
#include "app/TForm1.h"
#include "app/TableModel.h"
#include "app/tabs/ConfigTab.h"
#include "common/Cp1251.h"

namespace apptest
{

inline void configureAutoLoadScale(qm::app::TForm1& form)
{
    qm::Table config = form.configTab()->grid()->tableModel()->table();
    config.setRow(1, {"1", qm::cp("Весы"), "", "1", "COM1", "19200", "load.pl6", "", ""});
    form.configTab()->grid()->tableModel()->setTable(config);
    find<QCheckBox>(&form, "CheckBox19")->setChecked(false);
}

} // namespace apptest
