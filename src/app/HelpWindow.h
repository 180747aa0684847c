#pragma once
// The help window: the contents (every topic of the map) on the left, the page on the right,
// and a search over the text of every page. One window serves the whole program; each help
// command shows it at its keyword.

#include <QWidget>

#include "app/HelpFiles.h"

class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace qm::app
{

class HelpWindow : public QWidget
{
    Q_OBJECT
  public:
    explicit HelpWindow(HelpFiles files, QWidget* parent = nullptr);

    void showKeyword(const QString& keyword);
    // The pages whose text holds every word of the query (case-insensitive), as titles.
    void search(const QString& query);

    QTextBrowser* browser() const { return m_browser; }
    QListWidget* contents() const { return m_contents; }
    QListWidget* results() const { return m_results; }

  private:
    HelpFiles m_files;
    QListWidget* m_contents;
    QLineEdit* m_query;
    QListWidget* m_results;
    QTextBrowser* m_browser;
};

} // namespace qm::app
