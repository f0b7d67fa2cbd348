#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tk {

// The printing dialog of a print run over all employees: a small borderless window on top
// of all others showing which sheet is being printed, with the button "Abbrechen". The
// button only raises the cancel flag; the run reads it between two sheets, so the sheet
// being printed is finished.
class TDlgPrintAbort : public QDialog
{
    Q_OBJECT
public:
    explicit TDlgPrintAbort(QWidget *parent = nullptr);

    // Shows text in the progress panel and repaints it at once.
    void setProgressText(const QString &text);
    QString progressText() const;
    bool cancelled() const { return m_cancelled; }

    QLabel *paValue = nullptr;
    QPushButton *btnAbbrechen = nullptr;

public Q_SLOTS:
    void btnAbbrechenClick();
    // Escape cancels like the button; the dialog stays until the run ends.
    void reject() override;

private:
    bool m_cancelled = false;
};

} // namespace tk
