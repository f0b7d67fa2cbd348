#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tk {

class MonthChoice;

// "Exportieren": writes the payroll file of a month in the chosen format to the file named.
// A refusal (settings missing, an employee's figures, the file) is shown and the dialog stays
// open; on success the employees exported and whether their periods were closed are shown.
class TDlgExport : public QDialog
{
    Q_OBJECT
public:
    explicit TDlgExport(QWidget *parent = nullptr);

    QComboBox *edFormat() const { return m_format; }
    MonthChoice *monthChoice() const { return m_month; }
    QLineEdit *edDatei() const { return m_file; }

    void accept() override;

private:
    void chooseFile();
    void proposeFileName();

    QComboBox *m_format;
    MonthChoice *m_month;
    QLineEdit *m_file;
    QPushButton *m_browse;
};

} // namespace tk
