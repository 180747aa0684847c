// The tab "Отчеты" against an emulated scale on COM1: the six buttons run the report operations
// on the worker, rows and totals land in the grid and the fields, a clear leaves the unsaved
// figures guarded, and the print button opens the preview that prints and saves a PDF.

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

#include "AppTestSupport.h"
#include "StateFile.h"
#include "app/ChooserBox.h"
#include "app/PrintPreview.h"
#include "app/ScaleRunner.h"
#include "app/StringGrid.h"
#include "app/TForm1.h"
#include "app/tabs/ConfigTab.h"
#include "app/tabs/ReportsTab.h"
#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "support/EmuProcess.h"

using namespace qm::app;
using namespace apptest;

namespace
{

// Text measures of a font whose every byte is `points` dots wide.
struct Measure : qm::TextMeasure {
    int lineHeight(int points) const override { return points * 4; }
    int width(const std::string& text, int points) const override { return int(text.size()) * points; }
};

const char* const kSaveFirst = "Будет открыт новый список отчетов.\r\nВ таблице  были изменения.\r\nСохранить ?";

class ReportsTransfer : public ::testing::Test
{
  protected:
    // The scale, its port in ports.cfg, then the window with the scale chosen on the tab.
    void start(int baud = 0)
    {
        emu::ScaleState s;
        s.number = 2;
        emu::PluRecord r;
        r.sum = 12345;
        r.weight = 1500;
        r.sales = 7;
        s.plu[3] = r;
        s.plu[12] = r;
        s.totals.runMm = 900;
        qmtest::EmuOptions options;
        options.number = 2;
        options.baud = baud;
        options.stateJson = emu::stateToJson(s);
        scale = std::make_unique<qmtest::EmuProcess>(options);
        scale->writePortsCfg(dir.path().string(), 1);
        form = std::make_unique<TForm1>(&dialogs);
        qm::Table config = form->configTab()->grid()->tableModel()->table();
        config.setRow(1, {"1", qm::cp("Весы 1"), "", "2", "COM1", "19200"});
        form->configTab()->grid()->tableModel()->setTable(config);
        form->configTab()->SpeedButton85Click();
        find<ChooserBox>(form.get(), "ComboBox7")->setText("Весы 1");
    }
    void click(const char* name)
    {
        QTest::mouseClick(find<QToolButton>(form.get(), name), Qt::LeftButton);
        ASSERT_TRUE(form->context().runner().waitIdle(60000));
        QCoreApplication::processEvents();
    }
    const qm::Table& table() { return form->reportsTab()->grid()->tableModel()->table(); }
    QString field(int number) { return find<QLineEdit>(form.get(), ("Edit" + std::to_string(number)).c_str())->text(); }
    bool& modified() { return form->context().state().reportsModified; }

    StartDirectory dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<qmtest::EmuProcess> scale;
    std::unique_ptr<TForm1> form;
};

TEST_F(ReportsTransfer, ReadsFillTheGridAndTheFieldsAndAClearKeepsTheFiguresUnsaved)
{
    start();
    click("SpeedButton17");
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Данные приняты."});
    ASSERT_EQ(table().rowCount(), 3);
    EXPECT_EQ(table().cell(1, 0), "3");
    EXPECT_EQ(table().cell(2, 0), "12");
    EXPECT_EQ(table().cell(2, 5), "123,45");
    EXPECT_TRUE(modified());
    EXPECT_TRUE(find<QProgressBar>(form.get(), "ProgressBar4")->isHidden());

    // The totals read empties no table: unsaved rows or not, it asks nothing.
    click("SpeedButton19");
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_EQ(field(21), "900");
    EXPECT_EQ(field(25), "246,9");
    EXPECT_EQ(field(31), "3998");
    EXPECT_EQ(table().rowCount(), 3) << "the totals read leaves the table";
    EXPECT_TRUE(modified());

    // The scale forgets the figures; the window still offers to save them.
    find<QLineEdit>(form.get(), "Edit37")->setText("12");
    dialogs.answers = {qm::Answer::Yes};
    click("SpeedButton21");
    EXPECT_EQ(dialogs.messages.back(),
              "Итог продаж по товару № 12 обнулен. (Это не приводит к стиранию суммарных итогов по всем товарам.)");
    EXPECT_EQ(scale->state().plu.at(12).sum, 0u);
    EXPECT_TRUE(modified());
    dialogs.answers = {qm::Answer::Yes};
    click("SpeedButton22");
    EXPECT_EQ(scale->state().totals.grandSum, 0);
    EXPECT_TRUE(modified());

    // A wrong "№ PLU" is refused before the save-first question.
    find<QLineEdit>(form.get(), "Edit37")->setText("0");
    dialogs.questions.clear();
    click("SpeedButton18");
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_EQ(dialogs.messages.back(), "Ошибка ввода номера PLU. Это число от 1 до 4000.");
    EXPECT_EQ(table().rowCount(), 3);
    dialogs.answers = {qm::Answer::No};
    click("SpeedButton17"); // a read that replaces the rows asks first
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{kSaveFirst});
}

TEST_F(ReportsTransfer, PrintOpensThePreviewWhichSavesAPdfAndPrintsEachCopyAsAJob)
{
    start();
    for (const char* name : {"SpeedButton24", "SpeedButton46", "SpeedButton68", "SpeedButton16"})
        EXPECT_FALSE(find<QToolButton>(form.get(), name)->toolTip().isEmpty()) << name;
    EXPECT_EQ(find<QToolButton>(form.get(), "SpeedButton16")->toolTip(),
              QStringLiteral("Печать таблицы отчетов и общих итогов"));

    find<QCheckBox>(form.get(), "CheckBox17")->setChecked(false);
    click("SpeedButton16");
    auto* preview = form->findChild<PrintPreview*>(QStringLiteral("PrintPreview"));
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->printer().pageLayout().orientation(), QPageLayout::Landscape);

    dialogs.files = {qm::ChosenFile{dir / "report.pdf", 1}};
    EXPECT_TRUE(preview->saveAsPdf());
    EXPECT_EQ(dialogs.shownNames(), std::vector<std::string>{"PdfSaveDialog"});
    EXPECT_EQ(readFile(dir / "report.pdf").substr(0, 5), "%PDF-");
    EXPECT_FALSE(preview->saveAsPdf()) << "a cancelled dialog writes nothing";

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((dir / "copy.pdf").string()));
    EXPECT_EQ(preview->printCopies(printer, 3), 3);
    EXPECT_EQ(readFile(dir / "copy.pdf").substr(0, 5), "%PDF-");
    preview->reject();
}

// The report printout names the scale the chooser shows, also once a refill of the list has left
// that name out, and prints its time as HH:MM:SS. A job the printer cannot take is told with the
// reason and leaves the preview open; printed right, the preview closes.
TEST_F(ReportsTransfer, PrintoutNamesTheChosenScaleAndAFailedJobKeepsThePreviewOpen)
{
    start();
    qm::Table config = form->configTab()->grid()->tableModel()->table();
    config.setCell(1, 1, qm::cp("Весы 2"));
    form->configTab()->grid()->tableModel()->setTable(config);
    form->configTab()->SpeedButton85Click(); // "Весы 1" stays shown, no longer an entry
    click("SpeedButton16");
    QPointer<PrintPreview> preview = form->findChild<PrintPreview*>(QStringLiteral("PrintPreview"));
    ASSERT_NE(preview, nullptr);
    std::string texts;
    const auto pages = preview->printout()(qm::PageGeometry{3000, 300}, Measure());
    for (const auto& t : pages.at(0).texts)
        texts += t.text + "\n";
    EXPECT_NE(texts.find("Отчет по весам  Весы 1  за период:"), std::string::npos) << texts;
    // Russian date and time whatever the system's language.
    const QRegularExpression title(
        QStringLiteral("Отчет распечатан:     \\d\\d\\.\\d\\d\\.\\d{4}    \\d\\d:\\d\\d:\\d\\d\n"));
    EXPECT_TRUE(title.match(QString::fromStdString(texts)).hasMatch()) << texts;

    auto printInto = [&](const std::filesystem::path& file) {
        dialogs.onPrintDialog = [file](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(file.string()));
            return true;
        };
        QTest::mouseClick(find<QPushButton>(preview.data(), "PrintButton"), Qt::LeftButton);
    };
    const auto missing = dir / "no folder" / "report.pdf";
    printInto(missing);
    EXPECT_EQ(dialogs.errors, std::vector<std::string>{"Не удалось напечатать в файл \"" + missing.string() +
                                                       "\":\r\nфайл или папка не найдены."});
    ASSERT_TRUE(preview && preview->isVisible());
    printInto(dir / "report.pdf");
    EXPECT_EQ(readFile(dir / "report.pdf").substr(0, 5), "%PDF-");
    EXPECT_TRUE(!preview || !preview->isVisible());
}

// "По всем PLU" is right after every read, in every order, on the screen and in the printout. The scale holds PLU 3 and
// 12, each 123,45 roubles, 7 sales, 1,5 kg.
TEST_F(ReportsTransfer, PluSummaryIsRightAfterEveryOrderOfReads)
{
    const struct {
        std::vector<const char*> reads; // all: 17, one (PLU 3): 18, general totals: 19
        const char* sum;
        const char* sales;
        const char* weight;
    } cases[] = {
        {{"SpeedButton17"}, "246,9", "14", "3"},
        {{"SpeedButton18"}, "0", "0", "0"},      // one PLU is not all of them: the fields stay
        {{"SpeedButton19"}, "246,9", "14", "3"}, // the scale's own figures
        {{"SpeedButton17", "SpeedButton19"}, "246,9", "14", "3"},
        {{"SpeedButton19", "SpeedButton17"}, "246,9", "14", "3"},
        {{"SpeedButton18", "SpeedButton19"}, "246,9", "14", "3"},
        {{"SpeedButton19", "SpeedButton18"}, "246,9", "14", "3"},
    };
    start();
    find<QLineEdit>(form.get(), "Edit37")->setText("3");
    for (const auto& c : cases) {
        std::string order;
        for (const char* read : c.reads)
            order += std::string(read) + " ";
        SCOPED_TRACE(order);
        form->reportsTab()->grid()->tableModel()->setTable(qm::makeTable(qm::reportLayout()));
        form->reportsTab()->setTotals(qm::ReportTotals{"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"});
        modified() = false;
        dialogs.answers = {qm::Answer::No, qm::Answer::No}; // not saved before a table read
        for (const char* read : c.reads)
            click(read);
        EXPECT_EQ(field(25), c.sum);
        EXPECT_EQ(field(26), c.sales);
        EXPECT_EQ(field(27), c.weight);

        click("SpeedButton16");
        auto* preview = form->findChild<PrintPreview*>(QStringLiteral("PrintPreview"));
        ASSERT_NE(preview, nullptr);
        const auto pages = preview->printout()(qm::PageGeometry{3300, 300}, Measure());
        EXPECT_EQ(pages.back().texts.back().text, std::string("Итог по запрограммированным товарам PLU:  Сумма - ") +
                                                      c.sum + "  Кол-во продаж - " + c.sales + "  Общий вес - " +
                                                      c.weight);
        delete preview;
    }
}

TEST_F(ReportsTransfer, StopButtonEndsTheReadOfAllCellsWithTheRowsRead)
{
    start(19200); // 4000 cells take seconds on the line
    QTest::mouseClick(find<QToolButton>(form.get(), "SpeedButton17"), Qt::LeftButton);
    auto* stop = find<QPushButton>(form.get(), "Button18");
    auto* counter = find<QLabel>(form.get(), "Label68");
    ASSERT_TRUE(waitFor([&] { return !stop->isHidden() && counter->text().toInt() > 20; }, 20000));
    EXPECT_FALSE(find<QToolButton>(form.get(), "SpeedButton20")->isEnabled()) << "one scale operation at a time";
    QTest::mouseClick(stop, Qt::LeftButton);
    ASSERT_TRUE(form->context().runner().waitIdle(20000));
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Действие прервано."});
    ASSERT_EQ(table().rowCount(), 3) << "PLU 3 and 12 were read, the empty row is gone";
    EXPECT_EQ(table().cell(2, 0), "12");
    EXPECT_LT(counter->text().toInt(), 4000);
    EXPECT_TRUE(stop->isHidden());
    EXPECT_TRUE(counter->isHidden());
}

} // namespace
