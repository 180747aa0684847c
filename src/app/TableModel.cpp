#include "app/TableModel.h"

#include <QApplication>
#include <QPalette>

#include "common/Cp1251.h"

namespace qm::app
{

// Brackets one change by the program with aboutToChange and changed.
class TableModel::ChangeScope
{
  public:
    explicit ChangeScope(TableModel& model) : m_model(model) { emit m_model.aboutToChange(); }
    ~ChangeScope() { emit m_model.changed(); }
    ChangeScope(const ChangeScope&) = delete;
    ChangeScope& operator=(const ChangeScope&) = delete;

  private:
    TableModel& m_model;
};

TableModel::TableModel(Table table, bool editable, int fixedColumns, QObject* parent)
    : QAbstractTableModel(parent), m_table(std::move(table)), m_editable(editable), m_fixedColumns(fixedColumns)
{
}

QString TableModel::toQString(std::string_view cp1251)
{
    QString out(static_cast<qsizetype>(cp1251.size()), Qt::Uninitialized);
    QChar* dst = out.data();
    for (char c : cp1251)
        *dst++ = QChar(static_cast<char16_t>(cp1251ToUnicode(static_cast<std::uint8_t>(c))));
    return out;
}

std::optional<std::string> TableModel::toCp1251(const QString& text, bool typed)
{
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (char32_t ch : text.toUcs4()) {
        if (typed && !cellCharAllowed(ch))
            return std::nullopt;
        const auto byte = unicodeToCp1251(ch);
        if (!byte)
            return std::nullopt;
        out += static_cast<char>(*byte);
    }
    return out;
}

void TableModel::setTable(Table table)
{
    const ChangeScope scope(*this);
    beginResetModel();
    m_table = std::move(table);
    endResetModel();
}

void TableModel::setBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    emit busyChanged(busy);
}

void TableModel::setCell(int row, int col, std::string text)
{
    if (row < 1 || row >= m_table.rowCount() || col < 0 || col >= m_table.columnCount())
        return;
    const ChangeScope scope(*this);
    m_table.setCell(row, col, std::move(text));
    const QModelIndex at = index(row - 1, col);
    emit dataChanged(at, at);
}

void TableModel::setRow(int row, const Row& cells)
{
    if (row < 1 || row >= m_table.rowCount())
        return;
    const ChangeScope scope(*this);
    m_table.setRow(row, cells);
    emit dataChanged(index(row - 1, 0), index(row - 1, m_table.columnCount() - 1));
}

void TableModel::appendRow()
{
    const ChangeScope scope(*this);
    const int at = m_table.rowCount() - 1;
    beginInsertRows({}, at, at);
    m_table.appendRow();
    endInsertRows();
}

void TableModel::removeLastRow()
{
    if (m_table.rowCount() <= 2)
        return;
    const ChangeScope scope(*this);
    const int at = m_table.rowCount() - 2;
    beginRemoveRows({}, at, at);
    m_table.removeRow(m_table.lastRow());
    endRemoveRows();
}

void TableModel::clearData()
{
    Table empty = m_table;
    empty.clearData();
    setTable(std::move(empty));
}

int TableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_table.rowCount() - 1;
}

int TableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_table.columnCount();
}

QVariant TableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return toQString(m_table.cell(index.row() + 1, index.column()));
    if (role == Qt::BackgroundRole && index.column() < m_fixedColumns)
        return QApplication::palette().button();
    return {};
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    auto bytes = toCp1251(value.toString());
    if (!bytes)
        return false;
    const int row = index.row() + 1;
    if (m_table.cell(row, index.column()) == *bytes)
        return true;
    m_table.setCell(row, index.column(), std::move(*bytes));
    emit dataChanged(index, index);
    if (m_onEdited)
        m_onEdited();
    return true;
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_editable && !m_busy && index.column() >= m_fixedColumns)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < m_table.columnCount()
                   ? toQString(m_table.headers()[static_cast<size_t>(section)])
                   : QVariant{};
    // A grid with a fixed column labels its rows there; its row header only carries the handles
    // for resizing rows.
    return m_fixedColumns > 0 ? QVariant(QString()) : QVariant(section + 1);
}

} // namespace qm::app
