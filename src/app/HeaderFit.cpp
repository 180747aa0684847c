#include "app/HeaderFit.h"

#include <QEvent>
#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QTableView>
#include <algorithm>
#include <vector>

namespace qm::app
{

namespace
{

// Lives on the header: the header gets its own FontChange when the grid's font changes.
class HeaderFitter : public QObject
{
  public:
    explicit HeaderFitter(QTableView& grid) : QObject(grid.horizontalHeader()), m_grid(grid)
    {
        const int columns = grid.horizontalHeader()->count();
        for (int c = 0; c < columns; ++c)
            m_designed.push_back(grid.columnWidth(c));
        m_fitted = m_designed;
        grid.horizontalHeader()->installEventFilter(this);
        fit();
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
            fit();
        return QObject::eventFilter(watched, event);
    }

  private:
    void fit()
    {
        const QHeaderView& header = *m_grid.horizontalHeader();
        const int columns = std::min(header.count(), static_cast<int>(m_designed.size()));
        for (int c = 0; c < columns; ++c) {
            const size_t i = static_cast<size_t>(c);
            // A width the user chose is kept unless the header no longer fits it.
            const int base = m_grid.columnWidth(c) == m_fitted[i] ? m_designed[i] : m_grid.columnWidth(c);
            m_fitted[i] = std::max(base, headerTextWidth(header, c));
            m_grid.setColumnWidth(c, m_fitted[i]);
        }
    }

    QTableView& m_grid;
    std::vector<int> m_designed; // the layout's widths
    std::vector<int> m_fitted;   // the widths set by the last fit
};

} // namespace

int headerTextWidth(const QHeaderView& header, int section)
{
    QString text = header.model() ? header.model()->headerData(section, header.orientation()).toString() : QString();
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    QStyleOptionHeader option;
    option.initFrom(&header);
    option.section = section;
    option.text = text;
    option.fontMetrics = header.fontMetrics();
    return header.style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), &header).width();
}

void keepHeadersFitted(QTableView& grid)
{
    new HeaderFitter(grid);
}

} // namespace qm::app
