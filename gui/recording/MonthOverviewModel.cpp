#include "gui/recording/MonthOverviewModel.h"

#include <QBrush>
#include <QFont>

#include "core/common/ClockText.h"
#include "core/reports/lists/DayMarkColors.h"

namespace tk {

namespace {

constexpr int NameColumn = 0;
constexpr int FirstDayColumn = 1;

} // namespace

void MonthOverviewModel::setOverview(MonthOverview overview)
{
    beginResetModel();
    m_overview = std::move(overview);
    endResetModel();
}

bool MonthOverviewModel::isDayColumn(int column) const
{
    return column >= FirstDayColumn && column < FirstDayColumn + m_overview.dayCount();
}

bool MonthOverviewModel::dayAt(const QModelIndex &index, int *employee, int *day) const
{
    if (!index.isValid() || index.row() >= m_overview.employees.size()
        || !isDayColumn(index.column()))
        return false;
    *employee = index.row();
    *day = index.column() - FirstDayColumn;
    return true;
}

QModelIndex MonthOverviewModel::indexOf(int employee, int day) const
{
    return index(employee, FirstDayColumn + day);
}

int MonthOverviewModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_overview.employees.size()) + 1;
}

int MonthOverviewModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : FirstDayColumn + m_overview.dayCount() + 1;
}

QVariant MonthOverviewModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role == Qt::TextAlignmentRole) {
        return index.column() == NameColumn ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                            : int(Qt::AlignCenter);
    }
    if (index.row() < m_overview.employees.size())
        return employeeData(index.row(), index.column(), role);
    return absentData(index.column(), role);
}

QVariant MonthOverviewModel::employeeData(int employee, int column, int role) const
{
    const OverviewEmployee &row = m_overview.employees.at(employee);
    if (column == NameColumn) {
        if (role == Qt::DisplayRole)
            return QStringLiteral("%1 %2, %3").arg(row.number).arg(row.name, row.vorname);
        return QVariant();
    }
    if (!isDayColumn(column)) {
        if (role == Qt::DisplayRole)
            return row.missing > 0 ? QVariant(row.missing) : QVariant();
        if (role == Qt::ForegroundRole && row.missing > 0)
            return QBrush(DayMarkBackground(DayMark::Missing).darker(140));
        return QVariant();
    }
    const int day = column - FirstDayColumn;
    const DayMark mark = row.days.at(day).mark;
    switch (role) {
    case Qt::DisplayRole:
        return DayMarkText(mark);
    case Qt::ToolTipRole:
        return OverviewDayTip(m_overview, employee, day);
    case Qt::BackgroundRole: {
        QColor fill = DayMarkBackground(mark);
        if (!fill.isValid() && m_overview.isFreeDay(day))
            fill = FreeDayBackground();
        return fill.isValid() ? QVariant(QBrush(fill)) : QVariant();
    }
    case Qt::ForegroundRole:
        return mark == DayMark::Missing ? QVariant(QBrush(Qt::white)) : QVariant();
    case Qt::FontRole:
        if (mark == DayMark::Missing) {
            QFont small;
            small.setPointSizeF(small.pointSizeF() * 0.8);
            small.setBold(true);
            return small;
        }
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant MonthOverviewModel::absentData(int column, int role) const
{
    if (column == NameColumn)
        return role == Qt::DisplayRole ? QVariant(QStringLiteral("abwesend")) : QVariant();
    if (!isDayColumn(column))
        return role == Qt::DisplayRole ? QVariant(m_overview.missingDays()) : QVariant();
    const int day = column - FirstDayColumn;
    const int absent = m_overview.absentOn(day);
    if (role == Qt::DisplayRole)
        return absent > 0 ? QVariant(absent) : QVariant();
    if (role == Qt::ToolTipRole)
        return QStringLiteral("%1 abwesend (Urlaub, krank, unbezahlt)").arg(absent);
    return QVariant();
}

QVariant MonthOverviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == NameColumn)
        return role == Qt::DisplayRole ? QVariant(QStringLiteral("Mitarbeiter")) : QVariant();
    if (!isDayColumn(section))
        return role == Qt::DisplayRole ? QVariant(QStringLiteral("fehlt")) : QVariant();
    const int day = section - FirstDayColumn;
    const QDate date = m_overview.date(day);
    const QLocale german(QLocale::German, QLocale::Germany);
    switch (role) {
    case Qt::DisplayRole:
        return FormatDate(QStringLiteral("ddd\ndd"), date, german);
    case Qt::ToolTipRole:
        return m_overview.holidays.at(day).isEmpty()
            ? FormatDate(QStringLiteral("dddd, dd.mm.yyyy"), date, german)
            : m_overview.holidays.at(day);
    case Qt::BackgroundRole:
        return m_overview.isFreeDay(day) ? QVariant(QBrush(FreeDayBackground())) : QVariant();
    default:
        return QVariant();
    }
}

} // namespace tk
