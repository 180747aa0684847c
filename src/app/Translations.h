#pragma once
// Qt's own texts (the standard buttons, the file and font dialogs) in Russian, whatever the
// machine's locale: the whole interface is Russian.

class QApplication;

namespace qm::app
{

// Installs Qt's Russian catalogue from the translations directory of the Qt installation. False
// when the catalogue is missing there (the translations package is not installed): the standard
// dialogs then stay in English.
bool installTranslations(QApplication& app);

} // namespace qm::app
