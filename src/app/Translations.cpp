#include "app/Translations.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace qm::app
{

bool installTranslations(QApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QApplication::installTranslator(translator);
}

} // namespace qm::app
