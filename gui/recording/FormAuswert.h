#pragma once

#include <QDate>
#include <QHash>
#include <QSet>
#include <QWidget>

#include <functional>
#include <memory>

#include "core/calendar/HolidayCalendar.h"
#include "core/recording/EntryRules.h"
#include "core/recording/TimeRecordingTables.h"
#include "core/recording/WorkingTimeLaw.h"

class QAction;
class QComboBox;
class QKeyEvent;
class QLabel;
class QMenu;
class QSpinBox;
class QSplitter;
class QTabWidget;
class QToolButton;

namespace tk {

class DaySheet;
class DbGrid;
class Table;

// The time recording window: the employees on the page "Personal"; on the page "Zeiten"
// the day records of the current employee's evaluation period for the chosen month, with
// the time entries of the selected day beside them. Every change of the employee table, the
// month or the year selects that period and creates its missing day records.
//
// The controls and table objects are public members under their form names, as the day
// sheet, the recalculation and the print commands work on them.
class TFormAuswert : public QWidget
{
    Q_OBJECT
public:
    explicit TFormAuswert(QWidget *parent = nullptr);
    ~TFormAuswert() override;

    // Table objects (each window opens its own).
    Table *tblPersonal = nullptr;
    Table *tblAuswert = nullptr;
    Table *tblAuswPos = nullptr;
    Table *tblTagplan = nullptr;

    // Tool bar.
    QLabel *laMonatJahr = nullptr;
    QComboBox *edMonat = nullptr;
    QSpinBox *edJahr = nullptr;
    QToolButton *btnPrevMonth = nullptr;
    QToolButton *btnNextMonth = nullptr;
    QLabel *paName = nullptr;
    QLabel *paZeitraum = nullptr; // the evaluation period as dates
    QLabel *paSummen = nullptr;   // the period's totals under the day grid
    QLabel *paKonto = nullptr;    // the employee's hours account and vacation left

    // Pages.
    QTabWidget *PageControl1 = nullptr;
    QWidget *tsPersonal = nullptr;
    QWidget *tsZeiten = nullptr;
    DbGrid *vgDBGrid1 = nullptr; // employees
    QSplitter *RxSplitter1 = nullptr;

    // Day part.
    QToolButton *dbSBtnFirst = nullptr;
    QToolButton *dbSBtnPrior = nullptr;
    QToolButton *dbSBtnNext = nullptr;
    QToolButton *dbSBtnLast = nullptr;
    QToolButton *btnFunktionen = nullptr;
    QToolButton *btnDrucken = nullptr;
    QMenu *mnuFunktionen = nullptr; // "Alle Zeiten neu berechen", "Eine Schicht ändern"
    QMenu *mnuDrucken = nullptr;    // the list commands
    DbGrid *vgDBGrid2 = nullptr;    // day records

    // The commands of mnuFunktionen.
    QAction *AlleZeitenneuberechen1 = nullptr;
    QAction *Schichtndern1 = nullptr;
    QAction *FeiertageEintragen1 = nullptr;
    QAction *MonatAbschliessen1 = nullptr;
    QAction *MonatOeffnen1 = nullptr;
    QAction *Aenderungen1 = nullptr;
    QWidget *paAbschluss = nullptr; // the lock mark of a closed period

    // Entry part.
    QToolButton *dbSBtnEdit = nullptr;
    QToolButton *dbSBtnNew = nullptr;
    QToolButton *dbSBtnDelete = nullptr;
    DbGrid *vgDBGrid3 = nullptr; // time entries

    // Selected month (1..12) and year, as every command of the window reads them.
    int selectedMonth() const;
    int selectedYear() const;
    // Shows the employee's period holding date, on the times page with that day current.
    void showEmployeeDay(int personalNummer, const QDate &date);

    // The day evaluation over this window's tables and its six day sums.
    DayEvaluation &evaluation() { return m_tables->evaluation; }
    void EvaluateDay(qint16 recalc, const QDate &date);
    void EvaluatePeriod(qint16 recalc, const QDate &from, const QDate &to);

    // Both the employee and the day-record table open and neither being edited.
    bool tablesReady() const;

    // While detached, moves of the employee table do not select a period: a print run
    // selects each employee's period itself, so that it sees the errors.
    void setSelectionDetached(bool detached) { m_selectionDetached = detached; }

public Q_SLOTS:
    // Restricts the day records to the current employee's evaluation period of the selected
    // month and creates the missing ones.
    void dsPersonalDataChange();
    void edMonatClick();
    void edJahrChange();
    void btnPrevMonthClick();
    void btnNextMonthClick();
    void vgDBGrid1DblClick();

    // Day sheet actions (F2 and double click, F3, F4, after "Löschen").
    virtual void vgDBGrid3DblClick();
    virtual void dbSBtnNewBeforeAction();
    virtual void dbSBtnEditBeforeAction();
    virtual void dbSBtnDeleteAfterAction();

    // "Funktionen": re-evaluate the whole period; change the current day's shift plan.
    void AlleZeitenneuberechen1Click();
    void Schichtndern1Click();
    void FeiertageEintragen1Click();
    // Re-evaluates and closes the current employee's period, after a question.
    void MonatAbschliessen1Click();
    // Reopens it; asks for the reason, which goes into the change log.
    void MonatOeffnen1Click();
    // The change log of the current day.
    void Aenderungen1Click();

protected:
    // Key preview: the window sees every key of its controls first.
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool FormKeyDown(QKeyEvent *event);

private:
    void createTables();
    void createControls();
    void createFunctionCommands();
    void createPrintMenu();
    QWidget *createToolBar();
    QWidget *createDayPart();
    QWidget *createEntryPart();
    void configureGrids();
    void connectHandlers();
    void FormCreate();
    void selectMonth(int month, int year);
    void rereadEmployees();
    void updateName();
    void updatePeriodInfo();
    void updateAccountAndChecks();
    void updateButtons();
    void dbSBtnDeleteClick();
    void moveDays(void (Table::*move)());
    bool isOwnWidget(QObject *object) const;
    bool vgDBGrid1KeyPress(QKeyEvent *event);
    bool vgDBGrid3KeyDown(QKeyEvent *event);
    // The checks of typed entries (FormAuswertDaySheet.cpp): refuses with a message or
    // asks about a shift over midnight; the plan says what to store.
    EntryPlan checkTypedEntries(const QList<TimeEntry> &typed, const QList<TimeEntry> &others);
    // Warns once per window about a day whose times will not count as the clerk expects.
    void warnAboutEntryDay(const DaySheet &sheet);
    // Stores the day's part (storeThisDay) and the next day's part of a plan together.
    bool storeFromDialog(const EntryPlan &plan,
                         const std::function<void(const QList<TimeEntry> &)> &storeThisDay);
    void storeEntryPlan(const EntryPlan &plan,
                        const std::function<void(const QList<TimeEntry> &)> &storeThisDay);

    void readHolidayState();
    bool m_periodClosed = false;

    std::unique_ptr<TimeRecordingTables> m_tables;
    HolidayCalendar m_holidays;
    QHash<QDate, QVector<LawFinding>> m_lawFindings; // of the period shown, by day
    bool m_selectionDetached = false;
    QSet<QString> m_entryWarningsShown;
};

} // namespace tk
