#pragma once

#include "gui/recording/EntryDialog.h"

#include <array>

class QLabel;

namespace tk {

class TKvTimeEdit;
class TValueComboBox;

// "Zeit erfassen/ändern" for a whole day: five entry rows of from, to, code and sum.
// The dialog stores nothing: the caller fills rows 1..5 (SetMinutes, Value), calls
// UpdateSums, shows it modally and after OK reads every row back; a row is in use when its
// from minutes are less than its to minutes.
class TDlgChangeTag : public TEntryDialog
{
    Q_OBJECT
public:
    static constexpr int RowCount = 5;
    static constexpr int HelpContext = 1001;

    explicit TDlgChangeTag(QWidget *parent = nullptr);

    // Rows are numbered 1..RowCount.
    TKvTimeEdit *edVon(int row) const { return m_rows.at(index(row)).von; }
    TKvTimeEdit *edBis(int row) const { return m_rows.at(index(row)).bis; }
    TValueComboBox *edKennung(int row) const { return m_rows.at(index(row)).kennung; }
    QLabel *laSumme(int row) const { return m_rows.at(index(row)).summe; }

    // Every sum line from the values its two fields hold.
    void UpdateSums();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    QWidget *firstField() const override;

private:
    struct Row
    {
        TKvTimeEdit *von = nullptr;
        TKvTimeEdit *bis = nullptr;
        TValueComboBox *kennung = nullptr;
        QLabel *summe = nullptr;
    };
    static int index(int row);

    void buildControls();
    void FormCreate();
    void edVon1Change();
    void edVon1Exit();
    void edBis1Exit();
    bool edKennung1KeyDown(TValueComboBox *box, QKeyEvent *event);
    bool FormKeyDown(QKeyEvent *event);

    std::array<Row, RowCount> m_rows;
};

} // namespace tk
