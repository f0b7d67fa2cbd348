#pragma once

#include <QAbstractTableModel>

#include "core/recording/MonthOverview.h"

namespace tk {

// The month overview as a grid: a row per employee and a last row with the number absent per
// day; the employee's number and name, a column per day of the month and the missing days.
// Each day cell shows its mark's letter in its colour, shaded on free days, with the day's
// figures as tip.
class MonthOverviewModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setOverview(MonthOverview overview);
    const MonthOverview &overview() const { return m_overview; }

    // The employee (row) and day of a day cell of an employee; false for any other cell.
    bool dayAt(const QModelIndex &index, int *employee, int *day) const;
    QModelIndex indexOf(int employee, int day) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVariant employeeData(int employee, int column, int role) const;
    QVariant absentData(int column, int role) const;
    bool isDayColumn(int column) const;

    MonthOverview m_overview;
};

} // namespace tk
