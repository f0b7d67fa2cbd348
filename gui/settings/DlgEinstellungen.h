#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace tk {

// "Einstellungen": the firm-wide settings all workstations share. The state whose public
// holidays count (empty: the nationwide ones only), and for the payroll export the
// consultant and client numbers and the wage-type number of each sum.
class TDlgEinstellungen : public QDialog
{
    Q_OBJECT
public:
    explicit TDlgEinstellungen(QWidget *parent = nullptr);

    QComboBox *edBundesland() const { return m_bundesland; }
    // The payroll fields by setting key ("BeraterNr", "Lohnart.Krank", ...).
    QLineEdit *payrollField(const QString &key) const;
    // Stores the settings; an error is shown and the dialog stays open.
    void accept() override;

private:
    QWidget *buildPayrollFields();

    QComboBox *m_bundesland;
    QList<QLineEdit *> m_payrollFields; // objectName = setting key
};

} // namespace tk
