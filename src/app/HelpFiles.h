#pragma once
// Where the help lives and how a keyword finds its page. The help is a folder of HTML pages with
// topics.tsv, one "KEYWORD<TAB>PAGE" line per keyword. It is looked for beside the installed
// program (../share/qmscales/help), next to the program itself (help/), and in the source tree
// the program was built from, so a checkout finds it without installing.

#include <QString>
#include <QStringList>
#include <QUrl>
#include <vector>

namespace qm::app
{

struct HelpTopic {
    QString keyword;
    QString page; // relative to the help folder, may carry "#anchor"
};

class HelpFiles
{
  public:
    // The first folder of the search that holds topics.tsv; empty when none does.
    static QString findFolder();

    explicit HelpFiles(QString folder);
    bool valid() const { return !m_topics.empty(); }
    const QString& folder() const { return m_folder; }
    const std::vector<HelpTopic>& topics() const { return m_topics; }

    // The page of a keyword; the contents page for a keyword the map does not know.
    QUrl pageOf(const QString& keyword) const;
    // Every page file of the folder (*.html), for the search.
    QStringList pages() const;

  private:
    QString m_folder;
    std::vector<HelpTopic> m_topics;
};

} // namespace qm::app
