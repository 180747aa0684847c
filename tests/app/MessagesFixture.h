#pragma once
// The window with an emulated scale on COM1 configured as "Весы 1" and chosen on the tab
// "Сообщения": the fixture of the message tab tests.

#include <QCoreApplication>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

#include "AppTestSupport.h"
#include "ScaleText.h"
#include "StateBuilder.h"
#include "app/ChooserBox.h"
#include "app/ScaleRunner.h"
#include "app/StringGrid.h"
#include "app/TForm1.h"
#include "app/tabs/ConfigTab.h"
#include "app/tabs/MessagesTab.h"
#include "common/Cp1251.h"
#include "support/EmuProcess.h"

namespace apptest
{

inline constexpr int kScale = 4;
inline const char* const kSaveFirst =
    "Будет открыт новый список сообщений.\r\nВ таблице  были изменения.\r\nСохранить ?";

// A line as a read puts it into the grid: 50 characters.
inline std::string gridLine(const std::string& utf8)
{
    std::string line = qm::cp(utf8);
    line.resize(50, ' ');
    return line;
}

class MessagesTabTest : public ::testing::Test
{
  protected:
    // The scale, its port in ports.cfg, then the window with one configured scale chosen.
    void start(const std::string& stateJson = {})
    {
        qmtest::EmuOptions options;
        options.number = kScale;
        options.stateJson = stateJson;
        emu = std::make_unique<qmtest::EmuProcess>(options);
        emu->writePortsCfg(dir.path().string(), 1);
        form = std::make_unique<qm::app::TForm1>(&dialogs);
        qm::Table config = form->configTab()->grid()->tableModel()->table();
        config.setRow(1, {"1", qm::cp("Весы 1"), "", std::to_string(kScale), "COM1", "9600"});
        form->configTab()->grid()->tableModel()->setTable(config);
        form->configTab()->SpeedButton85Click();
        find<qm::app::ChooserBox>(form.get(), "ComboBox10")->setText("Весы 1");
    }
    void setRows(const std::vector<std::vector<std::string>>& rows)
    {
        qm::Table t = grid()->tableModel()->table();
        t.setRowCount(static_cast<int>(rows.size()) + 1);
        for (size_t r = 0; r < rows.size(); ++r) {
            qm::Row row(9);
            for (size_t c = 0; c < rows[r].size(); ++c)
                row[c] = qm::cp(rows[r][c]);
            t.setRow(static_cast<int>(r) + 1, row);
        }
        grid()->tableModel()->setTable(t);
    }
    void click(const char* name)
    {
        QTest::mouseClick(find<QToolButton>(form.get(), name), Qt::LeftButton);
        ASSERT_TRUE(form->context().runner().waitIdle(20000));
        QCoreApplication::processEvents();
    }
    qm::app::StringGrid* grid() { return form->messagesTab()->grid(); }
    const qm::Table& table() { return grid()->tableModel()->table(); }
    qm::Row row(const std::string& number, const std::vector<std::string>& lines)
    {
        qm::Row r{number};
        for (size_t l = 0; l < 8; ++l)
            r.push_back(gridLine(l < lines.size() ? lines[l] : ""));
        return r;
    }
    // The scale's line as UTF-8 without the blanks that fill it.
    std::string scaleLine(std::uint32_t number, size_t line)
    {
        std::string text = emu::scaleToUtf8(emu->state().messages.at(number)[line]);
        return text.substr(0, text.find_last_not_of(' ') + 1);
    }
    bool& modified() { return form->context().state().messagesModified; }

    StartDirectory dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<qmtest::EmuProcess> emu;
    std::unique_ptr<qm::app::TForm1> form;
};

} // namespace apptest
