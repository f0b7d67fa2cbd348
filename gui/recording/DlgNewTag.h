#pragma once

#include "gui/recording/EntryDialog.h"

class QComboBox;
class QLabel;

namespace tk {

class TKvTimeEdit;

// "Zeit erfassen/ändern": one time entry (from, to, entry code) with a live sum line.
// The dialog stores nothing: the caller fills the controls, shows it modally and reads
// edVon, edBis (GetMinutes) and the index of edKennung (0 N .. 4 U) after OK.
class TDlgNewTag : public TEntryDialog
{
    Q_OBJECT
public:
    explicit TDlgNewTag(QWidget *parent = nullptr);

    TKvTimeEdit *edVon() const { return m_edVon; }
    TKvTimeEdit *edBis() const { return m_edBis; }
    QLabel *laSumme() const { return m_laSumme; }
    QComboBox *edKennung() const { return m_edKennung; }

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    QWidget *firstField() const override;

private:
    void buildControls();
    void FormCreate();
    void edVonChange();
    void edVonExit();
    void edBisExit();
    bool edKennungKeyPress(QKeyEvent *event);
    void updateSum();

    TKvTimeEdit *m_edVon = nullptr;
    TKvTimeEdit *m_edBis = nullptr;
    QLabel *m_laSumme = nullptr;
    QComboBox *m_edKennung = nullptr;
};

} // namespace tk
