#pragma once

#include <QDialog>

#include <functional>

class QPushButton;
class QTableWidget;

namespace tk {

// "Datensicherung": the automatic backups of the open database with date, size and rows;
// "Jetzt sichern" writes one, "Wiederherstellen..." puts the chosen one in place of the
// database after a question, once the windows on it are closed (closeWindows; false keeps
// everything as it is).
class TDlgDatensicherung : public QDialog
{
    Q_OBJECT
public:
    TDlgDatensicherung(std::function<bool()> closeWindows, QWidget *parent = nullptr);

    QTableWidget *grid() const { return m_grid; }

public Q_SLOTS:
    void btnSichernClick();
    void btnWiederherstellenClick();

private:
    void showBackups();

    std::function<bool()> m_closeWindows;
    QTableWidget *m_grid;
    QPushButton *m_restore;
    QStringList m_paths;
};

} // namespace tk
