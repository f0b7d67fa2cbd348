#pragma once

#include "gui/masterdata/MasterDataWindow.h"

class QKeyEvent;
class QLabel;
class QPushButton;

namespace tk {

class DbEdit;
class DbGrid;
class DbNavigator;
class DbSearchEdit;
class KvFieldBase;
class PageArea;
class Table;
class TKvDBTimeDauerEdit;
class TKvDBTimeEdit;

// The shift plan window: shift plans with their eight day plans ("Mo" to "So", "FT").
// Page 1 edits one plan and its day plans, page 2 lists all plans. A new plan is created
// under a number the operator chooses, together with its day plans; deleting a plan
// deletes its day plans first. Both tables are opened on creation; a table that cannot be
// opened is reported and the window closes itself.
class TFormSchicht : public MasterDataWindow
{
    Q_OBJECT
public:
    explicit TFormSchicht(QWidget *parent = nullptr);
    ~TFormSchicht() override;

    Table *schichtTable() const { return tblSchicht; }
    Table *tagplanTable() const { return tblTagplan; }
    PageArea *pages() const { return pcSchicht; }

    // The eight day labels, for day plans 1 to 8.
    static QStringList dayLabels();

public Q_SLOTS:
    // New shift plan: asks for its number and creates it with its eight day plans.
    void dbNavSchichtInsertClick();
    // Delete shift plan: asks, then deletes the day plans and the plan in one transaction.
    void dbNavSchichtDeleteClick();
    // Copies the times of the current day plan to the weekdays the operator ticks.
    void btnCopyDayPlanClick();
    void btnPrintClick() override;

private:
    void buildControls();
    DbNavigator *buildNavigator();
    QWidget *buildPlanPage();
    QWidget *buildListPage();
    QWidget *buildDayPlanFields();
    void setFocusOrder();
    void openTables();
    void bindControls();
    bool FormKeyPress(QKeyEvent *event);
    bool storePendingEdits() override;
    void cancelPendingEdits();
    void updatePageState();
    void createDayPlans(int plan);
    bool focusInDayPlanGrid() const;

    Table *tblSchicht;
    Table *tblTagplan;

    DbNavigator *dbNavSchicht = nullptr;
    PageArea *pcSchicht = nullptr;
    QWidget *tsSchicht = nullptr;
    QWidget *tsListe = nullptr;

    DbSearchEdit *edSchichtplan = nullptr;
    DbEdit *edBezeichnung = nullptr;
    DbGrid *grdTagplan = nullptr;
    DbNavigator *dbNavTagplan = nullptr;
    QPushButton *btnCopyDayPlan = nullptr;
    TKvDBTimeEdit *edVon = nullptr;
    TKvDBTimeEdit *edBis = nullptr;
    TKvDBTimeEdit *edPauseVon1 = nullptr;
    TKvDBTimeEdit *edPauseBis1 = nullptr;
    TKvDBTimeEdit *edPauseVon2 = nullptr;
    TKvDBTimeEdit *edPauseBis2 = nullptr;
    TKvDBTimeEdit *edPauseVon3 = nullptr;
    TKvDBTimeEdit *edPauseBis3 = nullptr;
    TKvDBTimeDauerEdit *edSollstd = nullptr;
    TKvDBTimeDauerEdit *edUeberstd1 = nullptr;
    TKvDBTimeDauerEdit *edUeberstd2 = nullptr;
    TKvDBTimeDauerEdit *edUeberstd3 = nullptr;
    DbGrid *grdSchicht = nullptr;
};

} // namespace tk
