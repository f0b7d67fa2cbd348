#pragma once

#include <optional>

#include "gui/masterdata/MasterDataWindow.h"

class QKeyEvent;
class QLabel;
class QToolButton;

namespace tk {

class AccountYearsPage;
class DbCalcEdit;
class DbDateEdit;
class DbEdit;
class DbGrid;
class DbLookupComboBox;
class DbNavigator;
class DbSearchEdit;
class DbValueComboBox;
class PageArea;
class Table;

// The personnel window: the employee register with personal data, hourly gross wage,
// shift plan and the start day of the evaluation period. Page 1 edits one employee, page 2
// lists all of them, page 3 ("Zeitkonto", F6) keeps the employee's account years. New employees are
// created empty or as a copy of the current one under a number the operator chooses. The employee
// table is opened for writing, the shift plan table read-only for the choice list; a table that
// cannot be opened is reported and the window closes itself.
class TFormPers : public MasterDataWindow
{
    Q_OBJECT
public:
    explicit TFormPers(QWidget *parent = nullptr);
    ~TFormPers() override;

    Table *personalTable() const { return tblPersonal; }
    Table *schichtTable() const { return tblSchicht; }
    PageArea *pages() const { return pcPers; }
    AccountYearsPage *accountPage() const { return tsZeitkonto; }

    // The texts of the period choice list, for the stored values 1 and 16.
    static QStringList periodTexts();

public Q_SLOTS:
    // New employee: asks for the number and creates an empty row under it.
    void btnInsertClick();
    // Copy employee: asks for the number and creates a copy of the current row under it.
    void btnCopyClick();
    // Delete employee after an OK/Abbrechen question; the day records stay.
    void btnDeleteClick();
    void btnPrintClick() override;
    // Shows the Zeitkonto page, or page 1 when it is shown.
    void btnAccountClick();

private:
    void buildControls();
    DbNavigator *buildNavigator();
    QWidget *buildEmployeePage();
    QWidget *buildListPage();
    void setFocusOrder();
    void openTables();
    void bindControls();
    bool FormKeyPress(QKeyEvent *event);
    bool accountPageShown() const;
    bool storePendingEdits() override;
    void cancelPendingEdit();
    void updatePageState();
    void showName();
    // Shows page 1, goes to the last employee and asks for a number; the number entered
    // when it is free, else nothing (an existing number becomes current and is reported).
    std::optional<int> askNewNumber();

    Table *tblPersonal;
    Table *tblSchicht;

    DbNavigator *dbNavPersonal = nullptr;
    PageArea *pcPers = nullptr;
    QWidget *tsPersonal = nullptr;
    QWidget *tsListe = nullptr;
    AccountYearsPage *tsZeitkonto = nullptr;
    QToolButton *btnAccount = nullptr;

    DbSearchEdit *edPersonalNummer = nullptr;
    QLabel *laName = nullptr;
    DbEdit *edName = nullptr;
    DbEdit *edVorname = nullptr;
    DbEdit *edStrasse = nullptr;
    DbEdit *edPlz = nullptr;
    DbEdit *edOrt = nullptr;
    DbEdit *edTelefon1 = nullptr;
    DbEdit *edTelefon2 = nullptr;
    DbDateEdit *edGeburtsdatum = nullptr;
    DbDateEdit *edEintrittsDatum = nullptr;
    DbDateEdit *edAustrittsDatum = nullptr;
    DbCalcEdit *edBruttoLohn = nullptr;
    DbLookupComboBox *edSchicht = nullptr;
    DbValueComboBox *edAuswertBegin = nullptr;
    DbGrid *grdPersonal = nullptr;
};

} // namespace tk
