#pragma once

#include <QDate>
#include <QWidget>

class QLabel;
class QTableView;
class QToolButton;

namespace tk {

class MonthChoice;
class MonthOverviewModel;

// The window "Monatsübersicht": every employee's days of the chosen month at a glance (see
// MonthOverviewModel). Arrows move through the days; Enter or a double click asks for the
// time recording window on that employee and day (openDay). Bild auf/ab change the month,
// Strg+P previews the printed list. The overview is read anew when the month changes and
// whenever employees, day records, time entries or the settings change.
class MonthOverviewWindow : public QWidget
{
    Q_OBJECT
public:
    explicit MonthOverviewWindow(QWidget *parent = nullptr);

    MonthChoice *monthChoice() const { return m_month; }
    QTableView *grid() const { return grdUebersicht; }
    MonthOverviewModel *model() const { return m_model; }

public Q_SLOTS:
    void reload();
    // Asks for the day of the current cell, when it is a day of an employee.
    void openCurrentDay();
    void btnPrintClick();

Q_SIGNALS:
    void openDay(int personalNummer, const QDate &date);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildToolRow();
    void fitColumns();

    MonthChoice *m_month = nullptr;
    MonthOverviewModel *m_model = nullptr;
    QTableView *grdUebersicht = nullptr;
    QLabel *paFehlt = nullptr;
    QToolButton *btnPrint = nullptr;
    QToolButton *btnClose = nullptr;
};

} // namespace tk
