#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace tk {

class TKvTimeEdit;

// "Zeit erfassen/ändern": one time entry (from, to, entry code) with a live sum line.
// The dialog stores nothing: the caller fills the controls, shows it modally and reads
// edVon, edBis (GetMinutes) and the index of edKennung (0 N .. 4 U) after OK.
class TDlgNewTag : public QDialog
{
    Q_OBJECT
public:
    explicit TDlgNewTag(QWidget *parent = nullptr);

    QLabel *paName() const { return m_paName; }
    QLabel *laMonat() const { return m_laMonat; }
    TKvTimeEdit *edVon() const { return m_edVon; }
    TKvTimeEdit *edBis() const { return m_edBis; }
    QLabel *laSumme() const { return m_laSumme; }
    QComboBox *edKennung() const { return m_edKennung; }
    QPushButton *btnOK() const { return m_btnOK; }
    QPushButton *btnCancel() const { return m_btnCancel; }

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void FormCreate();
    void edVonChange();
    void edVonExit();
    void edBisExit();
    bool edKennungKeyPress(QKeyEvent *event);
    bool FormKeyPress(QKeyEvent *event);
    void updateSum();

    QLabel *m_paName = nullptr;
    QLabel *m_laMonat = nullptr;
    TKvTimeEdit *m_edVon = nullptr;
    TKvTimeEdit *m_edBis = nullptr;
    QLabel *m_laSumme = nullptr;
    QComboBox *m_edKennung = nullptr;
    QPushButton *m_btnOK = nullptr;
    QPushButton *m_btnCancel = nullptr;
    bool m_centred = false;
};

} // namespace tk
