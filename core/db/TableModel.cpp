#include "core/db/TableModel.h"

namespace tk {

TableModel::TableModel(Table *table, const QVector<Column> &columns, QObject *parent)
    : QAbstractTableModel(parent)
    , m_table(table)
    , m_columns(columns)
{
    resolveColumns();
    m_rowCount = table->recordCount();
    connect(table, &Table::viewChanged, this, &TableModel::resetView);
    connect(table, &Table::activeChanged, this, &TableModel::resetView);
    connect(table, &Table::rowChanged, this, &TableModel::redrawRow);
    connect(table, &Table::recordChanged, this, [this](const QString &fieldName) {
        if (!fieldName.isEmpty())
            redrawCurrent();
    });
}

void TableModel::resolveColumns()
{
    m_tableColumns.clear();
    for (const Column &column : m_columns)
        m_tableColumns << (m_table && m_table->isOpen() ? m_table->fieldIndex(column.field) : -1);
}

void TableModel::resetView()
{
    beginResetModel();
    resolveColumns();
    m_rowCount = m_table && m_table->isOpen() ? m_table->recordCount() : 0;
    endResetModel();
}

void TableModel::redrawRow(int row)
{
    if (row >= 0 && row < m_rowCount)
        Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void TableModel::redrawCurrent()
{
    if (m_table)
        redrawRow(m_table->currentRow());
}

int TableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int TableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant TableModel::data(const QModelIndex &index, int role) const
{
    if (!m_table || !index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    const int column = m_tableColumns.value(index.column(), -1);
    if (column < 0 || index.row() >= m_table->recordCount())
        return QVariant();
    return m_table->valueAt(index.row(), column);
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_columns.value(section).title;
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace tk
