#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace tk {

// "Datenbank": shows which database is open and edits the address this workstation opens
// at its next start (empty: the SQLite file in "Daten" beside the program). "Prüfen" tries
// the address typed. The caller keeps the address (a password is never kept).
class TDlgDatenbank : public QDialog
{
    Q_OBJECT
public:
    TDlgDatenbank(const QString &openName, const QString &storedAddress, QWidget *parent = nullptr);

    QString address() const;
    QLineEdit *addressField() const { return edAdresse; }
    QLabel *resultLabel() const { return laErgebnis; }

    void accept() override;

private:
    void probe();

    QLineEdit *edAdresse;
    QLabel *laErgebnis;
};

} // namespace tk
