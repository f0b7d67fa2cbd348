#pragma once

#include <QDialog>

class QDate;
class QTableWidget;

namespace tk {

// "Änderungen": the change log of one employee's day (its time entries and its shift plan),
// oldest first, read-only.
class TDlgChanges : public QDialog
{
    Q_OBJECT
public:
    // Throws DbError when the log cannot be read.
    TDlgChanges(int personalNummer, const QDate &date, QWidget *parent = nullptr);

    QTableWidget *grid() const { return m_grid; }

private:
    QTableWidget *m_grid;
};

} // namespace tk
