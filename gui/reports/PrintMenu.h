#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class QPrinter;
class QWidget;

namespace tk {

class Report;
class TDlgPrintAbort;
class TimeRecordingTables;
enum class ListKind;

// What the print menu needs of the window it serves: its tables (their current employee is
// the one previewed), the month chosen, the menu to fill and the parent of its boxes.
struct PrintContext
{
    QWidget *parent = nullptr;
    QMenu *menu = nullptr;
    TimeRecordingTables *tables = nullptr;
    std::function<int()> month; // 1..12
    std::function<int()> year;
    // While detached, the window leaves selecting periods to the print run, which selects
    // each employee's period itself and so sees its errors.
    std::function<void(bool detached)> detachSelection;
};

// The list commands of the time recording window's "Drucken" menu: previews of the current
// employee's monthly sheets over the evaluation period, print runs of a monthly sheet over
// all employees for the calendar month, and the gross wage, time account and working-time
// lists in preview or print.
//
// Every sheet belongs to the employee named in its caption: its day records are taken by
// the employee table's PersonalNummer, never by whatever day record the window shows.
class PrintMenu : public QObject
{
    Q_OBJECT
public:
    // Adds the six commands to the context's menu; a child of the context's parent.
    explicit PrintMenu(PrintContext context);
    ~PrintMenu() override;

    QAction *mmiPVPersListeSum = nullptr;
    QAction *mmiPVPersListeDetail = nullptr;
    QAction *mmiPVBruttolohn = nullptr;
    QAction *mmiPRPersListeSum = nullptr;
    QAction *mmiPRPersListeDetail = nullptr;
    QAction *mmiPRBruttolohn = nullptr;
    QAction *mmiPVZeitkonto = nullptr;
    QAction *mmiPVArbeitszeit = nullptr;
    QAction *mmiPRZeitkonto = nullptr;
    QAction *mmiPRArbeitszeit = nullptr;
    QAction *mmiPVProtokoll = nullptr;

    // How a report is shown (default: the engine's preview, waiting until it is closed) and
    // how the printer is chosen (default: the system print dialog; false cancels). Tests and
    // other front ends replace them.
    void setPreviewer(std::function<void(Report &)> previewer);
    void setPrinterChooser(std::function<bool(QPrinter &)> chooser);

    // The printing dialog while a print run is under way, else null.
    TDlgPrintAbort *printAbortDialog() const { return m_abort.get(); }

public Q_SLOTS:
    void mmiPVPersListeSumClick();
    void mmiPVPersListeDetailClick();
    void mmiPVBruttolohnClick();
    void mmiPRPersListeSumClick();
    void mmiPRPersListeDetailClick();
    void mmiPRBruttolohnClick();
    void mmiPVZeitkontoClick();
    void mmiPVArbeitszeitClick();
    void mmiPRZeitkontoClick();
    void mmiPRArbeitszeitClick();
    // The change log of the selected month for the current employee.
    void mmiPVProtokollClick();

Q_SIGNALS:
    // A print run has sent the sheet of this employee caption to the printer.
    void sheetPrinted(const QString &caption);

private:
    QAction *addCommand(const char *name, const QString &caption, void (PrintMenu::*slot)());
    void previewSheet(ListKind kind);
    void printAllSheets(ListKind kind);
    // Prints one sheet per employee; throws on the first failure.
    void runSheets(ListKind kind, QPrinter &printer);
    // A list over all employees for the selected month, previewed or printed.
    template <class List>
    void showMonthList(const QString &title, bool landscape, bool print);
    void disposeAbortDialog();

    PrintContext m_context;
    std::function<void(Report &)> m_previewer;
    std::function<bool(QPrinter &)> m_chooser;
    std::unique_ptr<TDlgPrintAbort> m_abort;
};

} // namespace tk
