#pragma once

#include <QDate>
#include <QMainWindow>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

namespace tk {

enum class Glyph;

class DigitalClock;
class HelpLayer;

// The main window "Taktora": the frame of the child windows with the menu, the tool bar
// sections and the status bar (version, date, clock). It works on the database the start
// pointed at.
class TFormMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TFormMain(QWidget *parent = nullptr);

    QMdiArea *mdiArea() const { return m_mdiArea; }
    HelpLayer *helpLayer() const { return m_help; }

    // Menu commands.
    void mmiDatenbankClick();
    void mmiEinstellungenClick();
    void mmiExportierenClick();
    void mmiDatensicherungClick();
    void mmiAltdatenClick();
    void mmiPersonalClick();
    void mmiSchichtplanClick();
    void mmiZeiterfassungClick();
    void mmiMonatsuebersichtClick();
    // The time recording window on an employee's day (from the month overview).
    void showEmployeeDay(int personalNummer, const QDate &date);
    void mmiInhaltClick();
    void mmiInfoClick();
    void mmiAlleAnordnenClick();
    void mmiVerbergenClick();
    void mmiZeigenClick();

    // Sets the date panel; the clock's daily alarm calls it with the new date.
    void showDate(const QDate &date);
    void showDatabase(const QString &warning = QString());

    QAction *mmiDatenbank = nullptr;
    QAction *mmiEinstellungen = nullptr;
    QAction *mmiExportieren = nullptr;
    QAction *mmiDatensicherung = nullptr;
    QAction *mmiAltdaten = nullptr;
    QAction *mmiDrucken = nullptr;
    QAction *mmiDruckereinrichtung = nullptr;
    QAction *mmiBeenden = nullptr;
    QAction *mmiPersonal = nullptr;
    QAction *mmiSchichtplan = nullptr;
    QAction *mmiZeiterfassung = nullptr;
    QAction *mmiMonatsuebersicht = nullptr;
    QMenu *mmiFenster = nullptr;
    QAction *mmiNeuesFenster = nullptr;
    QAction *mmiNebeneinander = nullptr;
    QAction *mmiUeberlappend = nullptr;
    QAction *mmiAlleAnordnen = nullptr;
    QAction *mmiVerbergen = nullptr;
    QAction *mmiZeigen = nullptr;
    QAction *mmiInhalt = nullptr;
    QAction *mmiInfo = nullptr;

    QLabel *paDatenbank = nullptr;
    QLabel *paVersion = nullptr;
    QLabel *paDate = nullptr;
    DigitalClock *paClock = nullptr;

Q_SIGNALS:
    // The main window closed with all its child windows: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createMenu();
    void createToolBars();
    void createStatusBar();
    void rebuildWindowList();
    QToolBar *addSection(const QString &name);
    void addToolButton(QToolBar *bar, QAction *command, Glyph picture, const QString &caption);
    bool closeChildWindows();

    QMdiArea *m_mdiArea = nullptr;
    HelpLayer *m_help = nullptr;
};

} // namespace tk
