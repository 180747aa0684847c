#include "app/WindowGeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QWidget>
#include <algorithm>

#include "app/ChooserBox.h"
#include "app/ScaleChoosers.h"

namespace qm::app
{

namespace
{

const QSize kFirstStartSize(1024, 700);
const char* const kGeometryKey = "window/geometry";

// "choosers/ComboBox7" and so on.
QString chooserKey(int number)
{
    return QStringLiteral("choosers/ComboBox%1").arg(number);
}

// The available room of the screen that holds `rect`'s centre; null when no screen does.
QRect screenRoomFor(const QRect& rect)
{
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().contains(rect.center()))
            return screen->availableGeometry();
    return {};
}

} // namespace

QString windowGeometryFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/window.ini");
}

QSize firstStartSize(const QSize& available)
{
    return available.isValid() ? kFirstStartSize.boundedTo(available) : kFirstStartSize;
}

void restoreWindowGeometry(QWidget& window)
{
    const QSettings file(windowGeometryFile(), QSettings::IniFormat);
    const QRect remembered = file.value(QString::fromLatin1(kGeometryKey)).toRect();
    if (remembered.isValid()) {
        // A screen that is gone or got smaller since must not leave the window out of reach.
        if (const QRect room = screenRoomFor(remembered); room.isValid()) {
            QRect fitted(remembered.topLeft(), remembered.size().boundedTo(room.size()));
            fitted.moveRight(std::min(fitted.right(), room.right()));
            fitted.moveBottom(std::min(fitted.bottom(), room.bottom()));
            window.setGeometry(fitted);
            return;
        }
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    window.resize(firstStartSize(room.size()));
    if (room.isValid())
        window.move(room.center() - window.rect().center());
}

void saveWindowGeometry(const QWidget& window)
{
    QSettings file(windowGeometryFile(), QSettings::IniFormat);
    file.setValue(QString::fromLatin1(kGeometryKey), window.normalGeometry());
    file.sync();
}

void saveScaleChoices(const ScaleChoosers& choosers)
{
    QSettings file(windowGeometryFile(), QSettings::IniFormat);
    for (const int number : ScaleChoosers::kOrder)
        if (const ChooserBox* box = choosers.chooser(number))
            file.setValue(chooserKey(number), box->text());
    file.sync();
}

void restoreScaleChoices(ScaleChoosers& choosers)
{
    const QSettings file(windowGeometryFile(), QSettings::IniFormat);
    for (const int number : ScaleChoosers::kOrder) {
        ChooserBox* box = choosers.chooser(number);
        const QString name = file.value(chooserKey(number)).toString();
        if (box && !name.isEmpty() && box->findText(name) >= 0)
            box->setText(name);
    }
}

} // namespace qm::app
