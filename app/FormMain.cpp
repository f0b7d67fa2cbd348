#include "app/FormMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "app/DatabaseChoice.h"
#include "app/FormSplash.h"
#include "app/HelpLayer.h"
#include "app/Version.h"
#include "core/common/ClockText.h"
#include "core/db/Database.h"
#include "core/db/ServerChanges.h"
#include "gui/database/DlgAltdaten.h"
#include "gui/database/DlgDatenbank.h"
#include "gui/database/DlgDatensicherung.h"
#include "gui/export/DlgExport.h"
#include "gui/masterdata/FormPers.h"
#include "gui/masterdata/FormSchicht.h"
#include "gui/recording/FormAuswert.h"
#include "gui/recording/MonthOverviewWindow.h"
#include "gui/settings/DlgEinstellungen.h"
#include "gui/widgets/DigitalClock.h"
#include "gui/widgets/ErrorGuard.h"
#include "gui/widgets/Glyphs.h"
#include "gui/widgets/MdiChildren.h"
#include "gui/widgets/MessageBoxes.h"
#include "gui/widgets/WindowPlacement.h"

namespace tk {

namespace {
const QString Section = QStringLiteral("TFormMain");
const QString ToolBarsKey = QStringLiteral("ToolBars");
} // namespace

TFormMain::TFormMain(QWidget *parent)
    : QMainWindow(parent)
{
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);

    createMenu();
    createToolBars();
    createStatusBar();
    showDate(QDate::currentDate());
    setWindowTitle(QStringLiteral("Taktora"));
    paVersion->setText(Version::panelText());

    const QString programDir = QCoreApplication::applicationDirPath();
    m_help = new HelpLayer(QDir(programDir).filePath(QStringLiteral("Taktora.chm")), this);

    resize(900, 640);
    WindowPlacement::track(this, Section);
    restoreState(WindowPlacement::value(Section, ToolBarsKey));
}

void TFormMain::createMenu()
{
    QMenu *datei = menuBar()->addMenu(QStringLiteral("&Datei"));
    mmiDatenbank =
        datei->addAction(QStringLiteral("Date&nbank..."), this, &TFormMain::mmiDatenbankClick);
    mmiEinstellungen = datei->addAction(QStringLiteral("&Einstellungen..."), this,
                                        &TFormMain::mmiEinstellungenClick);
    mmiExportieren =
        datei->addAction(QStringLiteral("E&xportieren..."), this, &TFormMain::mmiExportierenClick);
    mmiDatensicherung = datei->addAction(QStringLiteral("Daten&sicherung..."), this,
                                         &TFormMain::mmiDatensicherungClick);
    mmiAltdaten = datei->addAction(QStringLiteral("&Altdaten übernehmen..."), this,
                                   &TFormMain::mmiAltdatenClick);
    datei->addSeparator();
    mmiDrucken = datei->addAction(QStringLiteral("&Drucken..."));
    mmiDrucken->setEnabled(false);
    mmiDruckereinrichtung = datei->addAction(QStringLiteral("Drucker&einrichtung..."));
    mmiDruckereinrichtung->setEnabled(false);
    datei->addSeparator();
    mmiBeenden = datei->addAction(QStringLiteral("&Beenden"), this, &QWidget::close);

    QMenu *stamm = menuBar()->addMenu(QStringLiteral("&Stammdaten"));
    mmiPersonal = stamm->addAction(QStringLiteral("&Personal"), this, &TFormMain::mmiPersonalClick);
    mmiSchichtplan =
        stamm->addAction(QStringLiteral("&Schichtplan"), this, &TFormMain::mmiSchichtplanClick);

    QMenu *bearbeiten = menuBar()->addMenu(QStringLiteral("&Bearbeiten"));
    mmiZeiterfassung = bearbeiten->addAction(QStringLiteral("&Zeiterfassung"), this,
                                             &TFormMain::mmiZeiterfassungClick);
    mmiMonatsuebersicht = bearbeiten->addAction(QStringLiteral("&Monatsübersicht"), this,
                                                &TFormMain::mmiMonatsuebersichtClick);

    mmiFenster = menuBar()->addMenu(QStringLiteral("&Fenster"));
    // "Neues Fenster" has no command: every child window exists once.
    mmiNeuesFenster = new QAction(QStringLiteral("Neues &Fenster"), this);
    mmiNebeneinander = new QAction(QStringLiteral("&Nebeneinander"), this);
    connect(mmiNebeneinander, &QAction::triggered, this, [this] { MdiChildren::tile(m_mdiArea); });
    mmiUeberlappend = new QAction(QStringLiteral("Ü&berlappend"), this);
    connect(mmiUeberlappend, &QAction::triggered, m_mdiArea, &QMdiArea::cascadeSubWindows);
    mmiAlleAnordnen = new QAction(QStringLiteral("&Alle anordnen"), this);
    connect(mmiAlleAnordnen, &QAction::triggered, this, &TFormMain::mmiAlleAnordnenClick);
    mmiVerbergen = new QAction(QStringLiteral("&Verbergen"), this);
    connect(mmiVerbergen, &QAction::triggered, this, &TFormMain::mmiVerbergenClick);
    mmiZeigen = new QAction(QStringLiteral("&Zeigen..."), this);
    connect(mmiZeigen, &QAction::triggered, this, &TFormMain::mmiZeigenClick);
    connect(mmiFenster, &QMenu::aboutToShow, this, &TFormMain::rebuildWindowList);
    rebuildWindowList();

    QMenu *hilfe = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    mmiInhalt = hilfe->addAction(QStringLiteral("&Inhalt"), this, &TFormMain::mmiInhaltClick);
    // F1 reaches the main window from every child window, which carry the same topic.
    mmiInhalt->setShortcut(QKeySequence(Qt::Key_F1));
    mmiInhalt->setShortcutContext(Qt::WindowShortcut);
    mmiInfo = hilfe->addAction(QStringLiteral("In&fo..."), this, &TFormMain::mmiInfoClick);
}

// The fixed items, then one item per open child window that activates it.
void TFormMain::rebuildWindowList()
{
    mmiFenster->clear();
    mmiFenster->addActions({mmiNeuesFenster, mmiNebeneinander, mmiUeberlappend, mmiAlleAnordnen});
    mmiFenster->addSeparator();
    mmiFenster->addActions({mmiVerbergen, mmiZeigen});
    const QList<QMdiSubWindow *> frames = m_mdiArea->subWindowList();
    if (!frames.isEmpty())
        mmiFenster->addSeparator();
    int number = 0;
    for (QMdiSubWindow *frame : frames) {
        const QString title = frame->widget() ? frame->widget()->windowTitle() : QString();
        ++number;
        const QString text = number < 10
            ? QStringLiteral("&%1 %2").arg(QString::number(number), title)
            : QStringLiteral("%1 %2").arg(QString::number(number), title);
        QAction *item = mmiFenster->addAction(text);
        item->setCheckable(true);
        item->setChecked(frame == m_mdiArea->currentSubWindow());
        connect(item, &QAction::triggered, frame, [this, frame] {
            frame->show();
            if (frame->isMinimized())
                frame->showNormal();
            m_mdiArea->setActiveSubWindow(frame);
        });
    }
}

QToolBar *TFormMain::addSection(const QString &name)
{
    QToolBar *bar = addToolBar(name);
    bar->setObjectName(QStringLiteral("tb") + name); // the key of its stored arrangement
    bar->setIconSize(QSize(24, 24));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return bar;
}

// The button is the menu's own command: one action, one shortcut, one enabled state.
void TFormMain::addToolButton(QToolBar *bar, QAction *command, Glyph picture,
                              const QString &caption)
{
    command->setIcon(hoverIcon(picture));
    command->setIconVisibleInMenu(false);
    command->setToolTip(caption);
    bar->addAction(command);
}

void TFormMain::createToolBars()
{
    // "Drucken" and "Druckereinrichtung..." get no button: theirs would never be shown.
    addToolButton(addSection(QStringLiteral("Datei")), mmiBeenden, Glyph::Close,
                  QStringLiteral("Programm beenden"));

    QToolBar *stamm = addSection(QStringLiteral("Stammdaten"));
    addToolButton(stamm, mmiPersonal, Glyph::Personnel, QStringLiteral("Personal"));
    addToolButton(stamm, mmiSchichtplan, Glyph::ShiftPlan, QStringLiteral("Schichtplan"));

    QToolBar *bearbeiten = addSection(QStringLiteral("Bearbeiten"));
    addToolButton(bearbeiten, mmiZeiterfassung, Glyph::TimeRecording,
                  QStringLiteral("Zeiterfassung"));
    addToolButton(bearbeiten, mmiMonatsuebersicht, Glyph::MonthOverview,
                  QStringLiteral("Monatsübersicht"));

    // Without buttons these sections would show an empty handle; they stay available in
    // the tool bar's context menu and keep their place in the stored arrangement.
    addSection(QStringLiteral("Fenster"))->hide();
    addSection(QStringLiteral("Hilfe"))->hide();
}

void TFormMain::createStatusBar()
{
    auto panel = [this](QLabel *label) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setContentsMargins(4, 0, 4, 0);
        return label;
    };
    statusBar()->addWidget(panel(new QLabel(this)), 1); // takes the remaining width
    paDatenbank = panel(new QLabel(this));
    statusBar()->addPermanentWidget(paDatenbank);
    showDatabase();
    // The notice stays in the status bar's message area long enough to be read; the panel
    // stays red while the server is away.
    constexpr int NoticeMs = 15000;
    connect(&ServerChanges::instance(), &ServerChanges::connectionLost, this,
            [this](const QString &message) {
                showDatabase(message);
                statusBar()->showMessage(message);
            });
    connect(&ServerChanges::instance(), &ServerChanges::connectionRestored, this,
            [this](const QString &message) {
                showDatabase();
                statusBar()->showMessage(message, NoticeMs);
            });
    paVersion = panel(new QLabel(this));
    statusBar()->addPermanentWidget(paVersion);
    paDate = panel(new QLabel(this));
    statusBar()->addPermanentWidget(paDate);
    paClock = new DigitalClock(this);
    panel(paClock);
    paClock->setAlarmTime(QTime(0, 0, 10));
    connect(paClock, &DigitalClock::alarm, this,
            [this](const QDateTime &at) { showDate(at.date()); });
    statusBar()->addPermanentWidget(paClock);
}

// The open database in the status bar; while the server is unreachable, the warning instead.
void TFormMain::showDatabase(const QString &warning)
{
    constexpr int PanelWidth = 180; // a long address is shortened in the middle
    const QString name =
        paDatenbank->fontMetrics().elidedText(Database::displayName(), Qt::ElideMiddle, PanelWidth);
    paDatenbank->setText(warning.isEmpty() ? QStringLiteral("Datenbank: %1").arg(name)
                                           : QStringLiteral("Verbindung unterbrochen"));
    paDatenbank->setToolTip(warning.isEmpty() ? Database::displayName() : warning);
    paDatenbank->setStyleSheet(warning.isEmpty() ? QString() : QStringLiteral("color: #b00000"));
}

void TFormMain::mmiDatenbankClick()
{
    TDlgDatenbank dialog(Database::displayName(), storedDatabaseSetting(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    runGuarded(this, [&] {
        storeDatabaseSetting(dialog.address());
        showInformation(this, QStringLiteral("Die Einstellung gilt ab dem nächsten Start."));
    });
}

void TFormMain::mmiEinstellungenClick()
{
    TDlgEinstellungen dialog(this);
    dialog.exec();
}

void TFormMain::mmiExportierenClick()
{
    TDlgExport dialog(this);
    dialog.exec();
}

void TFormMain::mmiDatensicherungClick()
{
    TDlgDatensicherung dialog([this] { return closeChildWindows(); }, this);
    dialog.exec();
}

void TFormMain::mmiAltdatenClick()
{
    TDlgAltdaten dialog([this] { return closeChildWindows(); }, this);
    dialog.exec();
}

void TFormMain::showDate(const QDate &date)
{
    paDate->setText(ShortDateText(date));
}

void TFormMain::mmiPersonalClick()
{
    showOrCreate<TFormPers>(m_mdiArea, QStringLiteral("Personal"));
}

void TFormMain::mmiSchichtplanClick()
{
    showOrCreate<TFormSchicht>(m_mdiArea, QStringLiteral("Schichten"));
}

void TFormMain::mmiZeiterfassungClick()
{
    showOrCreate<TFormAuswert>(m_mdiArea, QStringLiteral("Zeiterfassung"));
}

void TFormMain::mmiMonatsuebersichtClick()
{
    auto *overview =
        showOrCreate<MonthOverviewWindow>(m_mdiArea, QStringLiteral("Monatsübersicht"));
    if (overview)
        connect(overview, &MonthOverviewWindow::openDay, this, &TFormMain::showEmployeeDay,
                Qt::UniqueConnection);
}

void TFormMain::showEmployeeDay(int personalNummer, const QDate &date)
{
    if (auto *recording = showOrCreate<TFormAuswert>(m_mdiArea, QStringLiteral("Zeiterfassung")))
        recording->showEmployeeDay(personalNummer, date);
}

void TFormMain::mmiInhaltClick()
{
    m_help->showTopic(HelpLayer::ContentsTopic, this);
}

void TFormMain::mmiInfoClick()
{
    TFormSplash::showInfo(this);
}

// Lines the minimised child windows up along the bottom edge of the frame.
void TFormMain::mmiAlleAnordnenClick()
{
    int x = 0;
    int rowBottom = m_mdiArea->viewport()->height();
    for (QMdiSubWindow *frame : m_mdiArea->subWindowList()) {
        if (!frame->isMinimized() || frame->isHidden())
            continue;
        const QSize size = frame->size();
        if (x > 0 && x + size.width() > m_mdiArea->viewport()->width()) {
            x = 0;
            rowBottom -= size.height();
        }
        frame->move(x, rowBottom - size.height());
        x += size.width();
    }
}

void TFormMain::mmiVerbergenClick()
{
    if (QMdiSubWindow *frame = m_mdiArea->currentSubWindow())
        frame->hide();
}

void TFormMain::mmiZeigenClick()
{
    for (QMdiSubWindow *frame : m_mdiArea->subWindowList()) {
        if (frame->isHidden()) {
            frame->show();
            m_mdiArea->setActiveSubWindow(frame);
        }
    }
}

// Every child window is asked first; each stores its pending edit or refuses.
bool TFormMain::closeChildWindows()
{
    for (QMdiSubWindow *frame : m_mdiArea->subWindowList()) {
        if (!frame->close())
            return false;
    }
    return true;
}

void TFormMain::closeEvent(QCloseEvent *event)
{
    if (!closeChildWindows()) {
        event->ignore();
        return;
    }
    WindowPlacement::saveValue(Section, ToolBarsKey, saveState());
    if (QWidget *help = m_help->helpWindow())
        help->close();
    event->accept();
    Q_EMIT closed();
}

} // namespace tk
