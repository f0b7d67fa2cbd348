#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace tk {

class DbLookupComboBox;
class Table;

// "Schicht ändern": chooses a shift plan from the list of all shift plans ("<keine>" for
// none). The dialog stores nothing: the caller sets the list's value (the plan number as
// text), shows it modally and reads the value back after OK.
//
// When its shift plan table cannot be opened the dialog says so at creation and exec()
// ends at once as cancelled, without showing the dialog.
class TDlgGetSchicht : public QDialog
{
    Q_OBJECT
public:
    explicit TDlgGetSchicht(QWidget *parent = nullptr);
    ~TDlgGetSchicht() override;

    Table *tblSchicht = nullptr;
    QLabel *ControlLabel1 = nullptr;
    DbLookupComboBox *edSchicht = nullptr;
    QPushButton *Button1 = nullptr; // OK
    QPushButton *Button2 = nullptr; // Abbrechen

    // The chosen Schichtplan as text; empty for "<keine>".
    QString value() const;
    void setValue(const QString &value);

    bool isUsable() const { return m_opened; }
    int exec() override;

private:
    void buildControls();
    void FormCreate();

    bool m_opened = false;
};

} // namespace tk
