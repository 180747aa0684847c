// qmscales: the desktop program for QM label scales.
//
// Environment: QMSCALES_TRACE=FILE logs every byte to and from the serial port, with time
// stamps, into FILE (relative to the start directory).

#include <QApplication>
#include <QIcon>

#include "app/TForm1.h"
#include "app/Translations.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("qmscales"));
    // The desktop entry and the icon the package installs; the built-in copy where none is.
    QGuiApplication::setDesktopFileName(QStringLiteral("qmscales"));
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("qmscales"), QIcon(QStringLiteral(":/icons/qmscales.svg"))));
    qm::app::installTranslations(app);
    qm::app::TForm1 form;
    form.show();
    return app.exec();
}
