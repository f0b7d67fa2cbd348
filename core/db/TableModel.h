#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QVector>

#include "core/db/Table.h"

namespace tk {

// Shows the current view of a Table to a QTableView: one model row per row of the view,
// one column per configured field. The display role gives the stored value as it is;
// grids that present values differently do so in their delegates.
class TableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Column
    {
        QString field;
        QString title;
    };

    TableModel(Table *table, const QVector<Column> &columns, QObject *parent = nullptr);

    Table *table() const { return m_table; }
    QString fieldAt(int column) const { return m_columns.value(column).field; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void resolveColumns();
    void resetView();
    void redrawRow(int row);
    void redrawCurrent();

    QPointer<Table> m_table;
    QVector<Column> m_columns;
    QVector<int> m_tableColumns;
    int m_rowCount = 0;
};

} // namespace tk
