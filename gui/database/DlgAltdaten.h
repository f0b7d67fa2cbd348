#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tk {

// "Altdaten übernehmen": the folder of an old installation's Paradox tables, and the report of
// what came over. A database that holds data is replaced only after a question (and a backup,
// which the import writes); the windows on it are closed first (closeWindows; false keeps
// everything as it is).
class TDlgAltdaten : public QDialog
{
    Q_OBJECT
public:
    TDlgAltdaten(std::function<bool()> closeWindows, QWidget *parent = nullptr);

    QLineEdit *folderEdit() const { return m_folder; }
    QPlainTextEdit *report() const { return m_report; }

public Q_SLOTS:
    void btnDurchsuchenClick();
    void btnUebernehmenClick();

private:
    std::function<bool()> m_closeWindows;
    QLineEdit *m_folder;
    QPushButton *m_take;
    QPlainTextEdit *m_report;
};

} // namespace tk
