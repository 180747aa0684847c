#include "app/HelpWindow.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace qm::app
{

namespace
{

QString pageText(const QString& path, QString* title = nullptr)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QTextDocument document;
    document.setHtml(QString::fromUtf8(file.readAll()));
    if (title)
        *title = document.metaInformation(QTextDocument::DocumentTitle);
    return document.toPlainText();
}

} // namespace

HelpWindow::HelpWindow(HelpFiles files, QWidget* parent) : QWidget(parent, Qt::Window), m_files(std::move(files))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Справка"));
    resize(900, 620);

    m_contents = new QListWidget(this);
    m_contents->setObjectName(QStringLiteral("HelpContents"));
    for (const HelpTopic& topic : m_files.topics()) {
        auto* item = new QListWidgetItem(topic.keyword, m_contents);
        item->setData(Qt::UserRole, topic.keyword);
    }
    m_query = new QLineEdit(this);
    m_query->setObjectName(QStringLiteral("HelpSearch"));
    m_query->setPlaceholderText(QStringLiteral("Поиск"));
    m_query->setClearButtonEnabled(true);
    m_results = new QListWidget(this);
    m_results->setObjectName(QStringLiteral("HelpResults"));
    m_results->hide();

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({m_files.folder()});

    auto* side = new QWidget(this);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(new QLabel(QStringLiteral("Содержание"), side));
    sideLayout->addWidget(m_contents, 1);
    sideLayout->addWidget(m_query);
    sideLayout->addWidget(m_results, 1);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(side);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({230, 670});
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);

    connect(m_contents, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { showKeyword(item->data(Qt::UserRole).toString()); });
    connect(m_contents, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { showKeyword(item->data(Qt::UserRole).toString()); });
    connect(m_query, &QLineEdit::returnPressed, this, [this] { search(m_query->text()); });
    connect(m_results, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        m_browser->setSource(QUrl::fromLocalFile(item->data(Qt::UserRole).toString()));
    });
}

void HelpWindow::showKeyword(const QString& keyword)
{
    if (!m_files.valid()) {
        m_browser->setHtml(QStringLiteral("<h1>Справка не найдена</h1><p>Папка справки программы не найдена. "
                                          "Переустановите программу.</p>"));
    } else {
        m_browser->setSource(m_files.pageOf(keyword));
        for (int i = 0; i < m_contents->count(); ++i)
            if (m_contents->item(i)->data(Qt::UserRole).toString() == keyword)
                m_contents->setCurrentRow(i);
    }
    show();
    raise();
    activateWindow();
}

void HelpWindow::search(const QString& query)
{
    m_results->clear();
    const QStringList words = query.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (words.isEmpty()) {
        m_results->hide();
        return;
    }
    for (const QString& path : m_files.pages()) {
        QString title;
        const QString text = pageText(path, &title);
        const bool all = std::all_of(words.begin(), words.end(),
                                     [&text](const QString& w) { return text.contains(w, Qt::CaseInsensitive); });
        if (!all)
            continue;
        auto* item = new QListWidgetItem(title.isEmpty() ? path.section(QLatin1Char('/'), -1) : title, m_results);
        item->setData(Qt::UserRole, path);
    }
    if (m_results->count() == 0)
        new QListWidgetItem(QStringLiteral("Ничего не найдено"), m_results);
    m_results->show();
}

} // namespace qm::app
