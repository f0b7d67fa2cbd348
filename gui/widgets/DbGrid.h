#pragma once

#include <QColor>
#include <QTableView>
#include <functional>

#include "core/db/TableModel.h"

namespace tk {

// How one cell is drawn. A formatter receives the stored value and may change any of it.
struct CellStyle
{
    QString text;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool bold = false;
    QColor color; // invalid: the grid's normal text colour
    QString toolTip;
};

// A read-only grid over a table's current view. Its selected line and the table's current
// row follow each other both ways; lines alternate between the tool-tip background colour
// and white, counted from the top visible line.
class DbGrid : public QTableView
{
    Q_OBJECT
public:
    using CellFormatter =
        std::function<void(int row, const QString &field, const QVariant &value, CellStyle &style)>;

    DbGrid(Table *table, const QVector<TableModel::Column> &columns, QWidget *parent = nullptr);

    Table *table() const { return m_model->table(); }
    TableModel *tableModel() const { return m_model; }
    void setCellFormatter(CellFormatter formatter);
    const CellFormatter &cellFormatter() const { return m_formatter; }

    // The background of a line: tool-tip colour on the top visible line, then alternating.
    QColor lineColor(int row) const;
    // How the formatter draws a cell.
    CellStyle styleOf(const QModelIndex &index) const;

Q_SIGNALS:
    // A double click on a line (after the table moved to it).
    void lineDoubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void followTable();
    void followSelection(const QModelIndex &current);

    TableModel *m_model;
    CellFormatter m_formatter;
    bool m_syncing = false;
};

} // namespace tk
