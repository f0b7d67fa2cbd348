#pragma once

#include <QWidget>

class QLabel;

namespace tk {

class BalanceChart;
class DbCalcEdit;
class DbGrid;
class DbNavigator;
class Table;

// The personnel window's page "Zeitkonto": the years of the current employee's hours account
// with the balance carried in (hours) and the vacation entitlement and carried vacation
// (days), and a chart of the balances of the last twelve periods. A new year asks for its number
// and takes over the year before's balance and remaining vacation, when that year has an account
// row. The table follows the employee table and refuses impossible figures when a row is stored.
class AccountYearsPage : public QWidget
{
    Q_OBJECT
public:
    AccountYearsPage(Table *personal, QWidget *parent = nullptr);

    Table *zeitkontoTable() const { return tblZeitkonto; }
    DbGrid *grid() const { return grdZeitkonto; }
    BalanceChart *chart() const { return chSaldo; }
    // The page's controls in tab order.
    QList<QWidget *> focusOrder() const;

    // Opens the account table; false (reported, window closing) when it cannot be opened.
    bool openTable(QWidget *window);

public Q_SLOTS:
    // New year: asks for it and creates its row with the carry from the year before.
    void btnInsertClick();
    // Delete the current year after an OK/Abbrechen question.
    void btnDeleteClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    DbNavigator *buildNavigator();
    // The chart shows the employee's last 12 ended periods; read only while the page shows.
    void showBalances();
    void buildControls();
    void showEmployee();
    int proposedYear();

    Table *tblPersonal;
    Table *tblZeitkonto;
    QLabel *laKontoName = nullptr;
    DbNavigator *dbNavZeitkonto = nullptr;
    DbGrid *grdZeitkonto = nullptr;
    QLabel *laJahr = nullptr;
    DbCalcEdit *edSaldoVortrag = nullptr;
    DbCalcEdit *edUrlaubsanspruch = nullptr;
    DbCalcEdit *edUrlaubVortrag = nullptr;
    BalanceChart *chSaldo = nullptr;
};

} // namespace tk
