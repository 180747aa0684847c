// The window as it starts: tabs, grids with their exact headers, widths and rows, the controls
// of the tabs with their names, hints and initial states.

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "WindowRig.h"
#include "app/ChooserBox.h"
#include "app/StringGrid.h"
#include "app/TForm1.h"

using namespace qm::app;
using apptest::find;

namespace
{

constexpr int kHeaderMargin = 3;
constexpr int kClearlyEnough = 16;

QString padded(const char* text, int blanks)
{
    return QString::fromUtf8(text) + QString(blanks, QLatin1Char(' '));
}

struct GridExpectation {
    const char* name;
    QStringList headers;
    std::vector<int> widths;
    int dataRows;
    bool editable;
};

std::vector<GridExpectation> expectedGrids()
{
    return {
        {"StringGrid1",
         {" № PLU ", padded(" Наименование 1", 27), padded(" Наименование 2", 27), " Цена,коп.", " Срок хранения ",
          " Вес тары ", " Код товара ", " Код группы ", " № Сообщения ", " Логотип ", " Знач. РСТ"},
         {51, 135, 126, 54, 103, 73, 75, 90, 99, 66, 98},
         1,
         true},
        {"StringGrid2",
         {" № MSG ", padded(" Первая строка", 10), padded(" Вторая строка", 10), padded(" Третья строка", 10),
          padded(" Четвертая строка", 7), padded(" Пятая строка", 6), padded(" Шестая строка", 4),
          padded(" Седьмая строка", 5), " Восьмая строка "},
         {54, 114, 126, 133, 145, 94, 112, 101, 110},
         1,
         true},
        {"StringGrid3", {"Клавиша цены", "Номер ячейки"}, {130, 145}, 54, true},
        {"StringGrid4",
         {" № п/п ", " Название весов ", " Название отдела ", " Номер весов ", " Подключение ", " Скорость ",
          padded(" Имя файла товаров", 20), padded(" Имя файла сообщений", 20), " Примечание "},
         {43, 104, 106, 92, 92, 97, 174, 166, 109},
         1,
         true},
        {"StringGrid5",
         {" № PLU", padded(" Наименование 1", 40), padded(" Наименование 2", 40), " Дата обнуления ",
          " Время обнуления ", " Общая сумма ", " Общий вес ", " Кол-во продаж"},
         {38, 144, 146, 122, 121, 129, 128, 148},
         1,
         false},
        {"StringGrid6",
         {"№ п/п", "Название весов", "Подключение", "Состояние связи", "Время ответа, мсек", "Состояние весов"},
         {64, 160, 150, 138, 164, 166},
         1,
         false},
    };
}

// The header text without its padding blanks, with a few pixels of margin on each side.
int headerNeeds(const StringGrid& grid, int column)
{
    const QString text = grid.model()->headerData(column, Qt::Horizontal).toString().trimmed();
    return grid.horizontalHeader()->fontMetrics().horizontalAdvance(text) + 2 * kHeaderMargin;
}

// Every header of the grid reads in full.
void expectHeadersFit(const StringGrid& grid)
{
    for (int c = 0; c < grid.model()->columnCount(); ++c)
        EXPECT_GE(grid.columnWidth(c), headerNeeds(grid, c))
            << grid.objectName().toStdString() << " column " << c << " "
            << grid.model()->headerData(c, Qt::Horizontal).toString().toStdString();
}

class WindowLayout : public apptest::WindowRig
{
};

// 1024 x 700 at first start, or the screen's room when that is smaller.
QSize firstStartSize()
{
    return QSize(1024, 700).boundedTo(QGuiApplication::primaryScreen()->availableGeometry().size());
}

TEST_F(WindowLayout, TitleSizeAndTenTabsInOrder)
{
    EXPECT_EQ(form.objectName(), "Form1");
    EXPECT_EQ(form.windowTitle(), "Программа для работы с весами QM ver.1.6");
    EXPECT_EQ(form.size(), firstStartSize());
    auto* tabs = find<QTabWidget>(&form, "PageControl1");
    ASSERT_NE(tabs, nullptr);
    const QStringList captions{"Товары", "Сообщения",       "Настройки", "Авторежим", "Конфигурация",
                               "Тесты",  "Состояние весов", "Логотип",   "Отчеты",    "Установки VORTA"};
    ASSERT_EQ(tabs->count(), captions.size());
    for (int i = 0; i < tabs->count(); ++i)
        EXPECT_EQ(tabs->tabText(i), captions[i]) << i;
    EXPECT_EQ(tabs->currentIndex(), 0);
    // No tab asks for more room than the window has.
    form.show();
    QApplication::processEvents();
    EXPECT_EQ(form.size(), firstStartSize());
    // At 1024 pixels every tab title shows whole, without scrolling the tab bar.
    form.resize(1024, 700);
    EXPECT_LE(tabs->tabBar()->sizeHint().width(), tabs->width());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(WindowLayout, GridsHaveExactHeadersWidthsAndRows)
{
    for (const auto& g : expectedGrids()) {
        SCOPED_TRACE(g.name);
        auto* grid = find<StringGrid>(&form, g.name);
        ASSERT_NE(grid, nullptr);
        QAbstractItemModel* model = grid->model();
        ASSERT_EQ(model->columnCount(), g.headers.size());
        for (int c = 0; c < static_cast<int>(g.headers.size()); ++c) {
            EXPECT_EQ(model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), g.headers[c]) << c;
            // The laid-out width, wider only where the header text needs it: a column clearly
            // wide enough for its text keeps its width.
            const int laidOut = g.widths[static_cast<size_t>(c)];
            EXPECT_GE(grid->columnWidth(c), laidOut) << c;
            if (headerNeeds(*grid, c) + kClearlyEnough <= laidOut) {
                EXPECT_EQ(grid->columnWidth(c), laidOut) << c;
            }
        }
        EXPECT_EQ(model->rowCount(), g.dataRows);
        const Qt::ItemFlags lastColumn = model->flags(model->index(0, static_cast<int>(g.headers.size()) - 1));
        EXPECT_EQ(bool(lastColumn & Qt::ItemIsEditable), g.editable);
    }
    // The name headers keep their blanks: 42 characters in the product table.
    auto* products = find<StringGrid>(&form, "StringGrid1");
    EXPECT_EQ(products->model()->headerData(1, Qt::Horizontal).toString().size(), 42);
}

TEST_F(WindowLayout, HeadersAreNeverClipped)
{
    for (const char* name : {"StringGrid1", "StringGrid2", "StringGrid4", "StringGrid5", "StringGrid6"}) {
        auto* grid = find<StringGrid>(&form, name);
        ASSERT_NE(grid, nullptr) << name;
        expectHeadersFit(*grid);
    }
    // "Цена,коп." is laid out 54 pixels wide, less than its text needs in the window's font.
    auto* products = find<StringGrid>(&form, "StringGrid1");
    EXPECT_GT(products->columnWidth(3), 54);
}

TEST_F(WindowLayout, HeadersStillFitAfterTheGridFontChanges)
{
    auto* products = find<StringGrid>(&form, "StringGrid1");
    const int nameWidth = products->columnWidth(1);
    QFont large = products->font();
    large.setPointSize(20);
    products->setFont(large);
    expectHeadersFit(*products);
    EXPECT_GT(products->columnWidth(1), nameWidth);

    // Back to the small font: the columns return to their widths, except one the user resized.
    products->setColumnWidth(5, 400);
    QFont small = products->font();
    small.setPointSize(8);
    products->setFont(small);
    EXPECT_EQ(products->columnWidth(1), nameWidth);
    EXPECT_EQ(products->columnWidth(5), 400);

    auto* messages = find<StringGrid>(&form, "StringGrid2");
    messages->setFontName(QStringLiteral("DejaVu Serif"));
    expectHeadersFit(*messages);
}

TEST_F(WindowLayout, ScaleNumberFieldKeepsItsNaturalWidth)
{
    form.resize(1024, 700);
    form.pageControl()->setCurrentIndex(5); // "Тесты"
    form.show();
    QApplication::processEvents();
    auto* number = find<QLineEdit>(&form, "Edit34");
    ASSERT_NE(number, nullptr);
    EXPECT_GE(number->width(), number->fontMetrics().horizontalAdvance(number->text()));
    EXPECT_LE(number->width(), number->sizeHint().width()) << "not stretched across the window";
}

TEST_F(WindowLayout, PriceKeyGridNumbersItsKeysInTheFixedColumn)
{
    auto* grid = find<StringGrid>(&form, "StringGrid3");
    ASSERT_NE(grid, nullptr);
    QAbstractItemModel* model = grid->model();
    for (int r = 0; r < 54; ++r)
        EXPECT_EQ(model->data(model->index(r, 0)).toString(), QString::number(r + 1));
    EXPECT_EQ(model->data(model->index(0, 1)).toString(), "");
    EXPECT_FALSE(model->flags(model->index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model->flags(model->index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_EQ(grid->rowHeight(0), 24);
}

TEST_F(WindowLayout, ToolButtonsCarryTheirHints)
{
    const std::pair<const char*, const char*> hints[] = {
        {"SpeedButton74", "Проверка правильности заполнения таблицы конфигурации"},
        {"SpeedButton85", "Применить изменения конфигурации"},
        {"SpeedButton80", "Протестировать выбранные весы"},
        {"SpeedButton81", "Протестировать список весов из конфигурации"},
        {"SpeedButton82", "Очистить таблицу теста"},
        {"SpeedButton42", "Выбор шрифта таблицы товаров"},
        {"SpeedButton63", "Выбор шрифта таблицы сообщений"},
        {"SpeedButton75", "Выбор шрифта таблицы"},
        {"SpeedButton79", "Выбор шрифта таблицы отчетов"},
        {"SpeedButton83", "Выбор шрифта таблицы"},
    };
    for (const auto& [name, hint] : hints) {
        auto* button = find<QToolButton>(&form, name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(hint)) << name;
    }
}

TEST_F(WindowLayout, ProgressControlsAreHiddenWhenIdle)
{
    for (const char* name : {"ProgressBar1", "ProgressBar2", "ProgressBar3", "ProgressBar4"}) {
        auto* bar = find<QProgressBar>(&form, name);
        ASSERT_NE(bar, nullptr) << name;
        EXPECT_TRUE(bar->isHidden()) << name;
    }
    for (const char* name : {"Label65", "Label66", "Label62", "Label68"}) {
        auto* label = find<QLabel>(&form, name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_TRUE(label->isHidden()) << name;
    }
    EXPECT_EQ(find<QLabel>(&form, "Label65")->text(), "0");
    for (const char* name : {"Button16", "Button17", "Button18"}) {
        auto* stop = find<QPushButton>(&form, name);
        ASSERT_NE(stop, nullptr) << name;
        EXPECT_TRUE(stop->isHidden()) << name;
        EXPECT_EQ(stop->text(), "Остановить");
        EXPECT_EQ(stop->toolTip(), "Остановить процесс");
    }
}

TEST_F(WindowLayout, TestsTabLowerPanel)
{
    EXPECT_EQ(find<ChooserBox>(&form, "ComboBox12")->text(), "COM2");
    EXPECT_EQ(find<ChooserBox>(&form, "ComboBox12")->count(), 16);
    EXPECT_EQ(find<ChooserBox>(&form, "ComboBox12")->itemText(15), "COM16");
    EXPECT_EQ(find<ChooserBox>(&form, "ComboBox13")->text(), "9600");
    EXPECT_EQ(find<ChooserBox>(&form, "ComboBox13")->count(), 4);
    EXPECT_EQ(find<QLineEdit>(&form, "Edit34")->text(), "не определен");
    auto* detect = find<QPushButton>(&form, "Button13");
    EXPECT_EQ(detect->text(), "Тест № весов");
    EXPECT_EQ(detect->toolTip(), "Определить номер весов");
    auto* stop = find<QPushButton>(&form, "Button14");
    EXPECT_EQ(stop->text(), "Стоп");
    EXPECT_EQ(stop->toolTip(), "Остановить процесс тестирования");
    EXPECT_FALSE(stop->isEnabled());
}

TEST_F(WindowLayout, ProductTabFields)
{
    EXPECT_EQ(find<QLineEdit>(&form, "Edit35")->text(), "1");
    auto* logo = find<ChooserBox>(&form, "ComboBox9");
    ASSERT_EQ(logo->count(), 3);
    EXPECT_EQ(logo->itemText(0), "Отсутствует");
    EXPECT_EQ(logo->itemText(1), "Ростест");
    EXPECT_EQ(logo->itemText(2), "Индивидуальный");
    for (const char* name :
         {"ComboBox1", "ComboBox2", "ComboBox5", "ComboBox6", "ComboBox7", "ComboBox8", "ComboBox10", "ComboBox11"})
        EXPECT_NE(find<ChooserBox>(&form, name), nullptr) << name;
}

} // namespace
