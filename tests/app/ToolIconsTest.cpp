// The pictures of the tool buttons: every built-in one loads (the SVG plugins are there), every
// button of the window shows one, the scale operations are told apart, and one operation looks
// the same on every tab.

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QMenuBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>
#include <vector>

#include "AppTestSupport.h"
#include "WindowRig.h"
#include "app/TForm1.h"
#include "app/ToolIcons.h"

using namespace qm::app;
using apptest::find;

namespace
{

QImage render(const QIcon& icon)
{
    return icon.pixmap(QSize(24, 24)).toImage().convertToFormat(QImage::Format_ARGB32);
}

int visiblePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0)
                ++count;
        }
    }
    return count;
}

int differingPixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return a.width() * a.height();
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                ++count;
        }
    }
    return count;
}

// A picture that a glance can read has more than a few dots.
constexpr int kMinVisible = 40;

} // namespace

TEST(ToolIconResources, EveryBuiltInPictureLoadsAndShowsSomething)
{
    toolIcon(ToolIcon::New); // registers the built-in pictures
    const QStringList files = QDir(QStringLiteral(":/icons")).entryList({QStringLiteral("*.svg")}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        QImageReader reader(QStringLiteral(":/icons/") + file);
        reader.setScaledSize(QSize(24, 24));
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        EXPECT_GE(visiblePixels(image.convertToFormat(QImage::Format_ARGB32)), kMinVisible);
        EXPECT_GE(visiblePixels(render(QIcon(QStringLiteral(":/icons/") + file))), kMinVisible);
    }
    // Every operation has its own file among them.
    QStringList named;
    for (int i = 0; i <= static_cast<int>(ToolIcon::Help); ++i) {
        const QString path = toolIconPath(static_cast<ToolIcon>(i));
        EXPECT_TRUE(files.contains(QFileInfo(path).fileName())) << path.toStdString();
        EXPECT_FALSE(named.contains(path)) << path.toStdString();
        named << path;
        EXPECT_FALSE(toolIconGlyph(static_cast<ToolIcon>(i)).isEmpty());
    }
}

TEST(ToolIconResources, ThemePictureWinsWhereTheThemeHasOneAndScaleOperationsKeepTheirs)
{
    // A theme with a solid square named "document-new" and "list-add", nothing else.
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    QDir(root.path()).mkpath(QStringLiteral("probe/24x24/actions"));
    apptest::writeFile((root.path() + QStringLiteral("/probe/index.theme")).toStdString(),
                       "[Icon Theme]\nName=probe\nDirectories=24x24/actions\n\n"
                       "[24x24/actions]\nSize=24\nContext=Actions\nType=Fixed\n");
    QImage square(24, 24, QImage::Format_ARGB32);
    square.fill(Qt::magenta);
    for (const char* name : {"document-new", "list-add"})
        ASSERT_TRUE(square.save(root.path() + QStringLiteral("/probe/24x24/actions/%1.png").arg(name)));

    const QStringList oldPaths = QIcon::themeSearchPaths();
    const QString oldTheme = QIcon::themeName();
    const QImage sendBefore = render(toolIcon(ToolIcon::SendAll));
    const QImage openBefore = render(toolIcon(ToolIcon::Open));
    QIcon::setThemeSearchPaths({root.path()});
    QIcon::setThemeName(QStringLiteral("probe"));
    const QImage newInTheme = render(toolIcon(ToolIcon::New));
    const QImage rowAddInTheme = render(toolIcon(ToolIcon::RowAdd));
    const QImage sendInTheme = render(toolIcon(ToolIcon::SendAll));
    const QImage openInTheme = render(toolIcon(ToolIcon::Open));
    QIcon::setThemeSearchPaths(oldPaths);
    QIcon::setThemeName(oldTheme);

    EXPECT_EQ(newInTheme.pixel(12, 12), QColor(Qt::magenta).rgba());
    EXPECT_EQ(rowAddInTheme.pixel(3, 3), QColor(Qt::magenta).rgba());
    EXPECT_EQ(differingPixels(sendInTheme, sendBefore), 0);
    // Missing in the theme: the built-in picture.
    EXPECT_EQ(differingPixels(openInTheme, openBefore), 0);
}

class ToolButtonPictures : public apptest::WindowRig
{
  protected:
    QImage picture(const char* name)
    {
        auto* button = find<QToolButton>(&form, name);
        EXPECT_NE(button, nullptr) << name;
        return button ? render(button->icon()) : QImage();
    }
};

TEST_F(ToolButtonPictures, EveryToolButtonShowsAPictureAndAHint)
{
    int checked = 0;
    for (QToolButton* button : form.findChildren<QToolButton*>()) {
        if (qobject_cast<QTabBar*>(button->parentWidget()) || qobject_cast<QMenuBar*>(button->parentWidget()))
            continue; // the tab bar's own scroll arrows, the menu bar's overflow arrow
        SCOPED_TRACE(button->objectName().toStdString());
        EXPECT_TRUE(button->objectName().startsWith(QStringLiteral("SpeedButton")));
        EXPECT_FALSE(button->toolTip().isEmpty());
        ASSERT_FALSE(button->icon().isNull());
        EXPECT_GE(visiblePixels(render(button->icon())), kMinVisible);
        EXPECT_TRUE(button->text().isEmpty()) << "the text stands in only for a picture that failed";
        ++checked;
    }
    EXPECT_GE(checked, 60);
    EXPECT_NE(find<QToolButton>(&form, "SpeedButton89"), nullptr);
}

TEST_F(ToolButtonPictures, ScaleTransfersOfATabAreToldApart)
{
    const std::vector<std::vector<const char*>> tabs = {
        {"SpeedButton31", "SpeedButton32", "SpeedButton33", "SpeedButton34", "SpeedButton35", "SpeedButton37",
         "SpeedButton38", "SpeedButton39", "SpeedButton40", "SpeedButton89"},
        {"SpeedButton54", "SpeedButton55", "SpeedButton56", "SpeedButton57", "SpeedButton58", "SpeedButton59",
         "SpeedButton60", "SpeedButton61", "SpeedButton62"},
    };
    for (const auto& names : tabs) {
        std::vector<QImage> images;
        for (const char* name : names)
            images.push_back(picture(name));
        for (size_t i = 0; i < names.size(); ++i) {
            for (size_t j = i + 1; j < names.size(); ++j) {
                // More than a speck apart: the difference must show at a glance.
                EXPECT_GE(differingPixels(images[i], images[j]), 20) << names[i] << " vs " << names[j];
            }
        }
    }
}

TEST_F(ToolButtonPictures, OneOperationLooksTheSameOnEveryTab)
{
    const std::vector<std::vector<const char*>> sameOperation = {
        {"SpeedButton8", "SpeedButton43", "SpeedButton65", "SpeedButton13"},                   // new
        {"SpeedButton9", "SpeedButton44", "SpeedButton66", "SpeedButton14"},                   // open
        {"SpeedButton10", "SpeedButton45", "SpeedButton67", "SpeedButton15"},                  // save
        {"SpeedButton25", "SpeedButton47", "SpeedButton69"},                                   // add row
        {"SpeedButton26", "SpeedButton48", "SpeedButton70"},                                   // copy row
        {"SpeedButton27", "SpeedButton49", "SpeedButton71"},                                   // insert row
        {"SpeedButton28", "SpeedButton50", "SpeedButton72"},                                   // delete row
        {"SpeedButton29", "SpeedButton52", "SpeedButton73"},                                   // sort
        {"SpeedButton30", "SpeedButton51"},                                                    // delete rows
        {"SpeedButton77", "SpeedButton78"},                                                    // renumber
        {"SpeedButton36", "SpeedButton53", "SpeedButton74"},                                   // check
        {"SpeedButton31", "SpeedButton54"},                                                    // send all
        {"SpeedButton32", "SpeedButton55"},                                                    // send one
        {"SpeedButton33", "SpeedButton56"},                                                    // send range
        {"SpeedButton34", "SpeedButton57"},                                                    // read all
        {"SpeedButton35", "SpeedButton58"},                                                    // read one
        {"SpeedButton37", "SpeedButton59"},                                                    // read range
        {"SpeedButton38", "SpeedButton60"},                                                    // delete all
        {"SpeedButton39", "SpeedButton61"},                                                    // delete one
        {"SpeedButton40", "SpeedButton62"},                                                    // delete range
        {"SpeedButton42", "SpeedButton63", "SpeedButton75", "SpeedButton79", "SpeedButton83"}, // font
        {"SpeedButton41", "SpeedButton88"},                                                    // help
    };
    for (const auto& names : sameOperation) {
        const QImage first = picture(names.front());
        for (size_t i = 1; i < names.size(); ++i)
            EXPECT_EQ(differingPixels(first, picture(names[i])), 0) << names.front() << " vs " << names[i];
    }
    // and a different operation does not: the table in and out of the scale.
    EXPECT_GT(differingPixels(picture("SpeedButton31"), picture("SpeedButton57")), 0);
}
