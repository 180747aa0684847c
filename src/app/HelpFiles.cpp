#include "app/HelpFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

namespace qm::app
{

namespace
{

const char* const kTopicsFile = "topics.tsv";
const char* const kContentsKeyword = "Содержание";

} // namespace

QString HelpFiles::findFolder()
{
    QStringList candidates;
    if (const QByteArray given = qgetenv("QMSCALES_HELP_DIR"); !given.isEmpty())
        candidates << QString::fromLocal8Bit(given);
    const QString programDir = QCoreApplication::applicationDirPath();
    candidates << programDir + QStringLiteral("/../share/qmscales/help") << programDir + QStringLiteral("/help");
#ifdef QMSCALES_SOURCE_HELP_DIR
    candidates << QStringLiteral(QMSCALES_SOURCE_HELP_DIR);
#endif
    for (const QString& dir : candidates)
        if (QFile::exists(dir + QLatin1Char('/') + QLatin1String(kTopicsFile)))
            return QDir(dir).canonicalPath();
    return {};
}

HelpFiles::HelpFiles(QString folder) : m_folder(std::move(folder))
{
    QFile file(m_folder + QLatin1Char('/') + QLatin1String(kTopicsFile));
    if (m_folder.isEmpty() || !file.open(QIODevice::ReadOnly))
        return;
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab <= 0)
            continue;
        m_topics.push_back({line.left(tab).trimmed(), line.mid(tab + 1).trimmed()});
    }
}

QUrl HelpFiles::pageOf(const QString& keyword) const
{
    QString page;
    for (const HelpTopic& t : m_topics) {
        if (t.keyword == keyword) {
            page = t.page;
            break;
        }
        if (t.keyword == QString::fromUtf8(kContentsKeyword) && page.isEmpty())
            page = t.page;
    }
    if (page.isEmpty() && !m_topics.empty())
        page = m_topics.front().page;
    const qsizetype hash = page.indexOf(QLatin1Char('#'));
    QUrl url = QUrl::fromLocalFile(m_folder + QLatin1Char('/') + (hash < 0 ? page : page.left(hash)));
    if (hash >= 0)
        url.setFragment(page.mid(hash + 1));
    return url;
}

QStringList HelpFiles::pages() const
{
    QStringList out;
    const QDir dir(m_folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name))
        out << dir.filePath(name);
    return out;
}

} // namespace qm::app
