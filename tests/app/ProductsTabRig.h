#pragma once
// The window with a fresh start directory and scripted boxes, for the tests of the tab
// "Товары": the product grid, the buttons by component name, and a scale "Весы" on COM1.

#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "WindowRig.h"
#include "app/ChooserBox.h"
#include "app/ScaleRunner.h"
#include "app/StringGrid.h"
#include "app/TForm1.h"
#include "app/tabs/ConfigTab.h"
#include "app/tabs/ProductsTab.h"
#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "support/EmuProcess.h"

namespace apptest
{

class ProductsTabRig : public WindowRig
{
  protected:
    qm::app::ProductsTab* tab() { return form.productsTab(); }
    qm::app::StringGrid* grid() { return tab()->grid(); }
    const qm::Table& products() { return grid()->tableModel()->table(); }
    bool& modified() { return form.context().state().productsModified; }

    // Rows of {PLU, name 1, price}; the other number cells hold valid values.
    void setProducts(const std::vector<std::vector<std::string>>& rows)
    {
        qm::Table t = qm::makeTable(qm::productLayout());
        t.setRowCount(static_cast<int>(rows.size()) + 1);
        for (size_t i = 0; i < rows.size(); ++i)
            t.setRow(static_cast<int>(i) + 1,
                     {rows[i][0], qm::cp(rows[i][1]), "", rows[i][2], "30", "0", "0", "0", "0", "0", ""});
        grid()->tableModel()->setTable(t);
    }
    // Column 0 of every data row.
    std::vector<std::string> pluColumn()
    {
        std::vector<std::string> out;
        for (int r = 1; r < products().rowCount(); ++r)
            out.push_back(products().cell(r, 0));
        return out;
    }

    // The configuration names the scale "Весы" with the number on COM1, which ports.cfg maps
    // to the emulated scale.
    void connect(const qmtest::EmuProcess& scale, int number = 1)
    {
        scale.writePortsCfg(dir.path().string(), 1);
        qm::Table config = form.configTab()->grid()->tableModel()->table();
        config.setRow(1, {"1", qm::cp("Весы"), "", std::to_string(number), "COM1", "9600"});
        form.configTab()->grid()->tableModel()->setTable(config);
        form.configTab()->SpeedButton85Click();
        find<qm::app::ChooserBox>(&form, "ComboBox8")->setText(QStringLiteral("Весы"));
    }
};

} // namespace apptest
