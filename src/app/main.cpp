// qmscales: the desktop program for QM label scales.
//
// Environment: QMSCALES_TRACE=FILE logs every byte to and from the serial port, with time
// stamps, into FILE (relative to the start directory).

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <filesystem>
#include <iostream>

#include "app/TForm1.h"
#include "app/Translations.h"
#include "app/WindowUsage.h"

int main(int argc, char** argv)
{
    using qm::app::WindowStart;
    const WindowStart start = qm::app::parseWindowArgs(std::vector<std::string>(argv + 1, argv + argc));
    switch (start.action) {
    case WindowStart::Action::Help:
        qm::app::printWindowHelp(std::cout);
        return 0;
    case WindowStart::Action::Version:
        std::cout << "qmscales " << QM_VERSION << "\n";
        return 0;
    case WindowStart::Action::Manual:
        qm::app::printWindowManPage(std::cout, QM_VERSION, QM_RELEASE_DATE);
        return 0;
    case WindowStart::Action::Usage:
        std::cerr << "qmscales: " << start.error << " (см. qmscales --help)\n";
        return 2;
    case WindowStart::Action::Run:
        break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("qmscales"));
    // The desktop entry and the icon the package installs; the built-in copy where none is.
    QGuiApplication::setDesktopFileName(QStringLiteral("qmscales"));
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("qmscales"), QIcon(QStringLiteral(":/icons/qmscales.svg"))));
    qm::app::installTranslations(app);
    // The window's start directory is the current one; a menu start moves it out of the home folder.
    if (start.userData) {
        const std::filesystem::path folder = std::filesystem::u8path(qm::app::userDataFolder());
        std::error_code ec;
        if (folder.empty())
            ec = std::make_error_code(std::errc::no_such_file_or_directory);
        else
            std::filesystem::create_directories(folder, ec);
        if (!ec)
            std::filesystem::current_path(folder, ec);
        if (ec) {
            QMessageBox::critical(
                nullptr, QStringLiteral("Весы QM"),
                QStringLiteral("Не удалось создать каталог данных %1:\n%2")
                    .arg(QString::fromStdString(folder.u8string()), QString::fromLocal8Bit(ec.message().c_str())));
            return 1;
        }
    }
    qm::app::TForm1 form;
    form.show();
    return app.exec();
}
