#include "gui/recording/FormAuswert.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/calendar/HolidayCalendar.h"
#include "core/common/ClockText.h"
#include "core/common/EntryCodes.h"
#include "core/common/Errors.h"
#include "core/db/Table.h"
#include "core/db/TableChanges.h"
#include "core/recording/DayGridText.h"
#include "core/recording/DaySheet.h"
#include "core/recording/LawChecks.h"
#include "core/recording/MonthClosing.h"
#include "core/recording/PeriodSelection.h"
#include "core/recording/TimeAccount.h"
#include "core/settings/FirmSettings.h"
#include "gui/reports/PrintMenu.h"
#include "gui/widgets/DbGrid.h"
#include "gui/widgets/ErrorGuard.h"
#include "gui/widgets/FormTools.h"
#include "gui/widgets/Glyphs.h"
#include "gui/widgets/MessageBoxes.h"
#include "gui/widgets/WaitCursor.h"

namespace tk {

namespace {

constexpr int FirstYear = 1900;
constexpr int LastYear = 2900;

const QColor WeekendColor(Qt::red);
const QColor KrankColor(Qt::red);
const QColor UrlaubColor(Qt::blue);
const QColor FeiertagColor(0, 128, 0);
const QColor FindingColor(Qt::red);
const char *const LawColumn = "ArbZG";

// "§4 §5" for the rules of a day's findings, the texts as tip.
void formatLawCell(const QVector<LawFinding> &findings, CellStyle &style)
{
    QStringList rules, texts;
    for (const LawFinding &finding : findings) {
        const QString rule = QStringLiteral("§") + finding.rule.mid(5);
        if (!rules.contains(rule))
            rules << rule;
        texts << finding.text;
    }
    style.text = rules.join(QLatin1Char(' '));
    style.toolTip = texts.join(QLatin1Char('\n'));
    style.color = FindingColor;
    style.alignment = Qt::AlignCenter;
}

QDate storedDate(const QVariant &value)
{
    return value.isNull() ? QDate() : QDate::fromString(value.toString().left(10), Qt::ISODate);
}

// Runs a handler's work; the period message and the engine's messages reach the error box.
void guarded(QWidget *parent, const std::function<void()> &action)
{
    runGuarded(parent, [&] {
        try {
            action();
        } catch (const DateEncodingError &e) {
            // Re-raised in the table layer's type so the box shows the German text intact.
            throw DbError(e.message());
        }
    });
}

QToolButton *textButton(QWidget *parent, const QString &name, const QString &caption,
                        const QString &hint)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(hint);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QToolButton *dropDownButton(QWidget *parent, const QString &name, const QString &caption,
                            QMenu *menu)
{
    QToolButton *button = textButton(parent, name, caption, caption);
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
    return button;
}

void formatEmployeeCell(const QString &field, const QVariant &value, CellStyle &style)
{
    if (field.endsWith(QLatin1String("Datum"))) {
        style.text = value.isNull() ? QString() : ShortDateText(storedDate(value));
    } else if (field == QLatin1String("BruttoLohn")) {
        style.text = value.isNull() ? QString() : FormatHours(value.toDouble());
        style.alignment = Qt::AlignRight | Qt::AlignVCenter;
    } else if (field == QLatin1String("PersonalNummer") || field == QLatin1String("Schicht")) {
        style.alignment = Qt::AlignRight | Qt::AlignVCenter;
    }
}

// A public holiday of the firm's state shows in the Feiertag colour with its name as tip.
void formatDayCell(const QString &field, const QVariant &value, CellStyle &style,
                   HolidayCalendar &holidays)
{
    if (field == QLatin1String("Datum")) {
        const QDate date = storedDate(value);
        style.text = DayCellText(date);
        style.alignment = Qt::AlignRight | Qt::AlignVCenter;
        style.bold = true;
        style.toolTip = holidays.nameOf(date);
        if (!style.toolTip.isEmpty())
            style.color = FeiertagColor;
        else if (IsWeekend(date))
            style.color = WeekendColor;
        return;
    }
    if (field == QLatin1String("Schicht")) {
        style.alignment = Qt::AlignRight | Qt::AlignVCenter;
        return;
    }
    style.text = MinutesCellText(value);
    style.alignment = Qt::AlignCenter;
    if (field == QLatin1String("Summe"))
        style.bold = true;
    else if (field == QLatin1String("Krank"))
        style.color = KrankColor;
    else if (field == QLatin1String("Urlaub"))
        style.color = UrlaubColor;
}

void formatEntryCell(const QString &field, const QVariant &value, CellStyle &style)
{
    if (field == QLatin1String("Kennung")) {
        style.text = EntryCodeName(value);
        style.alignment = Qt::AlignLeft | Qt::AlignVCenter;
        return;
    }
    style.text = ClockCellText(value);
    style.alignment = Qt::AlignCenter;
}

void setColumnWidths(DbGrid *grid, const QList<int> &widths)
{
    for (int i = 0; i < widths.size(); ++i)
        grid->setColumnWidth(i, widths.at(i));
}

} // namespace

TFormAuswert::TFormAuswert(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FormAuswert"));
    setWindowTitle(QStringLiteral("Zeiterfassung"));
    setAttribute(Qt::WA_DeleteOnClose);
    setProperty("helpTopic", 1001);
    createTables();
    createControls();
    createFunctionCommands();
    createPrintMenu();
    configureGrids();
    connectHandlers();
    qApp->installEventFilter(this);
    FormCreate();
}

TFormAuswert::~TFormAuswert()
{
    qApp->removeEventFilter(this);
}

void TFormAuswert::createTables()
{
    m_tables = std::make_unique<TimeRecordingTables>();
    tblPersonal = &m_tables->personal;
    tblAuswert = &m_tables->auswert;
    tblAuswPos = &m_tables->auswPos;
    tblTagplan = &m_tables->tagplan;
    // New and renamed employees of the personnel window; days and entries another
    // workstation stores.
    for (Table *table : {tblPersonal, tblAuswert, tblAuswPos})
        TableChanges::follow(table);
    // The firm's state, and again whenever a workstation changes it.
    readHolidayState();
    connect(&TableChanges::instance(), &TableChanges::tableChanged, this,
            [this](const QString &table) {
                if (table == QLatin1String("Einstellung"))
                    readHolidayState();
            });
}

void TFormAuswert::readHolidayState()
{
    try {
        m_holidays.setState(FirmSettings::state());
    } catch (const UserError &) {
        m_holidays.setState(QString()); // no settings table yet: the nationwide holidays
    }
    if (vgDBGrid2) {
        updateAccountAndChecks(); // holiday work depends on the state
        vgDBGrid2->viewport()->update();
    }
}

void TFormAuswert::createPrintMenu()
{
    PrintContext context;
    context.parent = this;
    context.menu = mnuDrucken;
    context.tables = m_tables.get();
    context.month = [this] { return selectedMonth(); };
    context.year = [this] { return selectedYear(); };
    context.detachSelection = [this](bool detached) { setSelectionDetached(detached); };
    new PrintMenu(std::move(context)); // the list commands of the "Drucken" menu
}

// ------------------------------------------------------------------ layout

void TFormAuswert::createControls()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(createToolBar());

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(PageControl1, 1);

    tsPersonal = new QWidget(PageControl1);
    tsPersonal->setObjectName(QStringLiteral("tsPersonal"));
    vgDBGrid1 = new DbGrid(tblPersonal,
                           {{QStringLiteral("PersonalNummer"), QStringLiteral("Pers.Nr.")},
                            {QStringLiteral("Name"), QStringLiteral("Name")},
                            {QStringLiteral("Vorname"), QStringLiteral("Vorname")},
                            {QStringLiteral("BruttoLohn"), QStringLiteral("BruttoLohn")},
                            {QStringLiteral("EintrittsDatum"), QStringLiteral("EintrittsDatum")},
                            {QStringLiteral("AustrittsDatum"), QStringLiteral("AustrittsDatum")},
                            {QStringLiteral("Schicht"), QStringLiteral("Schicht")}},
                           tsPersonal);
    vgDBGrid1->setObjectName(QStringLiteral("vgDBGrid1"));
    auto *personalLayout = new QVBoxLayout(tsPersonal);
    personalLayout->setContentsMargins(2, 2, 2, 2);
    personalLayout->addWidget(vgDBGrid1);
    PageControl1->addTab(tsPersonal, QStringLiteral("Personal"));

    tsZeiten = new QWidget(PageControl1);
    tsZeiten->setObjectName(QStringLiteral("tsZeiten"));
    RxSplitter1 = new QSplitter(Qt::Horizontal, tsZeiten);
    RxSplitter1->setObjectName(QStringLiteral("RxSplitter1"));
    RxSplitter1->setChildrenCollapsible(false);
    RxSplitter1->addWidget(createDayPart());
    RxSplitter1->addWidget(createEntryPart());
    RxSplitter1->setStretchFactor(0, 3);
    RxSplitter1->setStretchFactor(1, 1);
    auto *zeitenLayout = new QVBoxLayout(tsZeiten);
    zeitenLayout->setContentsMargins(2, 2, 2, 2);
    zeitenLayout->addWidget(RxSplitter1);
    PageControl1->addTab(tsZeiten, QStringLiteral("Zeiten"));
    PageControl1->setCurrentWidget(tsZeiten);

    resize(820, 520);
}

QWidget *TFormAuswert::createToolBar()
{
    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("paToolBar"));
    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(4, 3, 6, 3);

    edMonat = new QComboBox(bar);
    edMonat->setObjectName(QStringLiteral("edMonat"));
    edMonat->setEditable(false);
    laMonatJahr = new QLabel(QStringLiteral("Monat/Jahr:"), bar);
    laMonatJahr->setObjectName(QStringLiteral("laMonatJahr"));
    laMonatJahr->setBuddy(edMonat);

    edJahr = new QSpinBox(bar);
    edJahr->setObjectName(QStringLiteral("edJahr"));
    edJahr->setRange(FirstYear, LastYear);
    edJahr->setAlignment(Qt::AlignCenter);
    // Changed only by stepping: the buttons and the arrow keys work, typing does not.
    edJahr->findChild<QLineEdit *>()->setReadOnly(true);
    edJahr->findChild<QLineEdit *>()->setMaxLength(4);
    edJahr->setMinimumWidth(edJahr->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 30);

    btnPrevMonth = navigationButton(bar, QStringLiteral("btnPrevMonth"), QStyle::SP_ArrowLeft,
                                    QStringLiteral("Vorheriger Monat"));
    btnNextMonth = navigationButton(bar, QStringLiteral("btnNextMonth"), QStyle::SP_ArrowRight,
                                    QStringLiteral("Nächster Monat"));

    paZeitraum = new QLabel(bar);
    paZeitraum->setObjectName(QStringLiteral("paZeitraum"));
    paAbschluss = new QWidget(bar);
    paAbschluss->setObjectName(QStringLiteral("paAbschluss"));
    paAbschluss->setToolTip(
        QStringLiteral("Der Zeitraum ist abgeschlossen; seine Tage ändern sich nicht mehr."));
    auto *lock = new QLabel(paAbschluss);
    lock->setPixmap(glyphIcon(Glyph::Lock).pixmap(16, 16));
    auto *lockRow = new QHBoxLayout(paAbschluss);
    lockRow->setContentsMargins(0, 0, 0, 0);
    lockRow->addWidget(lock);
    lockRow->addWidget(
        new QLabel(QStringLiteral("<b style='color:#b00000'>abgeschlossen</b>"), paAbschluss));
    paAbschluss->hide();

    paName = new QLabel(bar);
    paName->setObjectName(QStringLiteral("paName"));
    QFont nameFont = paName->font();
    nameFont.setBold(true);
    paName->setFont(nameFont);
    paName->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    layout->addWidget(laMonatJahr);
    layout->addWidget(edMonat);
    layout->addWidget(edJahr);
    layout->addWidget(btnPrevMonth);
    layout->addWidget(btnNextMonth);
    layout->addSpacing(8);
    layout->addWidget(paZeitraum);
    layout->addWidget(paAbschluss);
    layout->addStretch(1);
    layout->addWidget(paName);
    return bar;
}

QWidget *TFormAuswert::createDayPart()
{
    auto *part = new QWidget(this);
    part->setObjectName(QStringLiteral("paDays"));
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(1);
    dbSBtnFirst = navigationButton(part, QStringLiteral("dbSBtnFirst"),
                                   QStyle::SP_MediaSkipBackward, QStringLiteral("Anfang"));
    dbSBtnPrior = navigationButton(part, QStringLiteral("dbSBtnPrior"),
                                   QStyle::SP_MediaSeekBackward, QStringLiteral("Zurück"));
    dbSBtnNext = navigationButton(part, QStringLiteral("dbSBtnNext"), QStyle::SP_MediaSeekForward,
                                  QStringLiteral("Vor"));
    dbSBtnLast = navigationButton(part, QStringLiteral("dbSBtnLast"), QStyle::SP_MediaSkipForward,
                                  QStringLiteral("Ende"));
    mnuFunktionen = new QMenu(part);
    mnuFunktionen->setObjectName(QStringLiteral("mnuFunktionen"));
    mnuDrucken = new QMenu(part);
    mnuDrucken->setObjectName(QStringLiteral("mnuDrucken"));
    btnFunktionen = dropDownButton(part, QStringLiteral("btnFunktionen"),
                                   QStringLiteral("Funktionen"), mnuFunktionen);
    btnDrucken =
        dropDownButton(part, QStringLiteral("btnDrucken"), QStringLiteral("Drucken"), mnuDrucken);
    for (QToolButton *button :
         {dbSBtnFirst, dbSBtnPrior, dbSBtnNext, dbSBtnLast, btnFunktionen, btnDrucken})
        buttons->addWidget(button);
    buttons->addStretch(1);

    vgDBGrid2 = new DbGrid(tblAuswert,
                           {{QStringLiteral("Datum"), QStringLiteral("Datum")},
                            {QStringLiteral("Schicht"), QStringLiteral("Schi.")},
                            {QStringLiteral("Soll"), QStringLiteral("Soll")},
                            {QStringLiteral("Summe"), QStringLiteral("Sum.")},
                            {QStringLiteral("Anwesend"), QStringLiteral("Anw.")},
                            {QStringLiteral("Krank"), QStringLiteral("Krank")},
                            {QStringLiteral("Urlaub"), QStringLiteral("Urlaub")},
                            {QStringLiteral("Feiertag"), QStringLiteral("Feiert.")},
                            {QStringLiteral("Unbezahlt"), QStringLiteral("Unbez.")},
                            // no field: the working-time findings of the day
                            {QLatin1String(LawColumn), QStringLiteral("ArbZG")}},
                           part);
    vgDBGrid2->setObjectName(QStringLiteral("vgDBGrid2"));
    paSummen = new QLabel(part);
    paSummen->setObjectName(QStringLiteral("paSummen"));
    paSummen->setTextInteractionFlags(Qt::TextSelectableByMouse);
    paSummen->setWordWrap(true);
    paKonto = new QLabel(part);
    paKonto->setObjectName(QStringLiteral("paKonto"));
    paKonto->setTextInteractionFlags(Qt::TextSelectableByMouse);
    paKonto->setWordWrap(true);

    auto *layout = new QVBoxLayout(part);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(buttons);
    layout->addWidget(vgDBGrid2, 1);
    layout->addWidget(paSummen);
    layout->addWidget(paKonto);
    return part;
}

QWidget *TFormAuswert::createEntryPart()
{
    auto *part = new QWidget(this);
    part->setObjectName(QStringLiteral("paEntries"));
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(1);
    dbSBtnEdit = textButton(part, QStringLiteral("dbSBtnEdit"), QStringLiteral("Bearbeiten [F4]"),
                            QStringLiteral("Bearbeiten (F4)"));
    dbSBtnNew = textButton(part, QStringLiteral("dbSBtnNew"), QStringLiteral("Neu [F3]"),
                           QStringLiteral("Neu (F3)"));
    dbSBtnDelete = textButton(part, QStringLiteral("dbSBtnDelete"), QStringLiteral("Löschen"),
                              QStringLiteral("Löschen"));
    buttons->addWidget(dbSBtnEdit);
    buttons->addWidget(dbSBtnNew);
    buttons->addWidget(dbSBtnDelete);
    buttons->addStretch(1);

    vgDBGrid3 = new DbGrid(tblAuswPos,
                           {{QStringLiteral("Von"), QStringLiteral("Von")},
                            {QStringLiteral("Bis"), QStringLiteral("Bis")},
                            {QStringLiteral("Kennung"), QStringLiteral("KZ")}},
                           part);
    vgDBGrid3->setObjectName(QStringLiteral("vgDBGrid3"));

    auto *layout = new QVBoxLayout(part);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(buttons);
    layout->addWidget(vgDBGrid3, 1);
    return part;
}

void TFormAuswert::configureGrids()
{
    vgDBGrid1->setCellFormatter([](int, const QString &field, const QVariant &value,
                                   CellStyle &style) { formatEmployeeCell(field, value, style); });
    vgDBGrid2->setCellFormatter(
        [this](int row, const QString &field, const QVariant &value, CellStyle &style) {
            if (field == QLatin1String(LawColumn)) {
                const QDate date = storedDate(
                    tblAuswert->valueAt(row, tblAuswert->fieldIndex(QStringLiteral("Datum"))));
                formatLawCell(m_lawFindings.value(date), style);
                return;
            }
            formatDayCell(field, value, style, m_holidays);
        });
    vgDBGrid3->setCellFormatter([](int, const QString &field, const QVariant &value,
                                   CellStyle &style) { formatEntryCell(field, value, style); });
    setColumnWidths(vgDBGrid1, {60, 130, 110, 80, 95, 95, 55});
    setColumnWidths(vgDBGrid2, {72, 38, 50, 50, 50, 50, 50, 50, 50, 50});
    setColumnWidths(vgDBGrid3, {50, 50, 80});
    vgDBGrid3->horizontalHeader()->setStretchLastSection(true);
}

// ------------------------------------------------------------------ wiring

void TFormAuswert::connectHandlers()
{
    connect(tblPersonal, &Table::recordChanged, this, [this] {
        updateName();
        dsPersonalDataChange();
        updatePeriodInfo();
    });
    // Every change of the day records shown (a new selection, an evaluated day) changes the
    // totals; recounting a period's rows costs nothing against reading them.
    connect(tblAuswert, &Table::viewChanged, this, &TFormAuswert::updatePeriodInfo);
    connect(tblAuswert, &Table::viewChanged, this, &TFormAuswert::updateAccountAndChecks);
    connect(tblAuswert, &Table::recordChanged, this, &TFormAuswert::updatePeriodInfo);
    connect(edMonat, &QComboBox::currentIndexChanged, this, &TFormAuswert::edMonatClick);
    connect(edJahr, &QSpinBox::valueChanged, this, &TFormAuswert::edJahrChange);
    connect(btnPrevMonth, &QToolButton::clicked, this, &TFormAuswert::btnPrevMonthClick);
    connect(btnNextMonth, &QToolButton::clicked, this, &TFormAuswert::btnNextMonthClick);
    connect(vgDBGrid1, &DbGrid::lineDoubleClicked, this, &TFormAuswert::vgDBGrid1DblClick);
    connect(vgDBGrid3, &DbGrid::lineDoubleClicked, this, &TFormAuswert::vgDBGrid3DblClick);

    connect(dbSBtnFirst, &QToolButton::clicked, this, [this] { moveDays(&Table::first); });
    connect(dbSBtnPrior, &QToolButton::clicked, this, [this] { moveDays(&Table::prior); });
    connect(dbSBtnNext, &QToolButton::clicked, this, [this] { moveDays(&Table::next); });
    connect(dbSBtnLast, &QToolButton::clicked, this, [this] { moveDays(&Table::last); });
    connect(dbSBtnNew, &QToolButton::clicked, this, &TFormAuswert::dbSBtnNewBeforeAction);
    connect(dbSBtnEdit, &QToolButton::clicked, this, &TFormAuswert::dbSBtnEditBeforeAction);
    connect(dbSBtnDelete, &QToolButton::clicked, this, &TFormAuswert::dbSBtnDeleteClick);

    for (Table *table : {tblAuswert, tblAuswPos}) {
        connect(table, &Table::stateChanged, this, &TFormAuswert::updateButtons);
        connect(table, &Table::viewChanged, this, &TFormAuswert::updateButtons);
        connect(table, &Table::activeChanged, this, &TFormAuswert::updateButtons);
        connect(table, &Table::recordChanged, this, [this](const QString &fieldName) {
            if (fieldName.isEmpty())
                updateButtons();
        });
    }
}

void TFormAuswert::FormCreate()
{
    m_selectionDetached = true;
    bool opened = true;
    try {
        // The day records are read one evaluation period at a time, never the whole table.
        m_tables->open();
    } catch (const DbError &e) {
        // The window opens with the tables that did open.
        opened = false;
        showError(this, e.message());
    }
    {
        const QSignalBlocker monthBlocker(edMonat);
        const QSignalBlocker yearBlocker(edJahr);
        const QLocale locale = QLocale::system();
        for (int month = 1; month <= 12; ++month)
            edMonat->addItem(locale.standaloneMonthName(month, QLocale::LongFormat));
        const QDate today = QDate::currentDate();
        edMonat->setCurrentIndex(today.month() - 1);
        edJahr->setValue(today.year());
    }
    m_selectionDetached = false;
    updateName();
    updateButtons();
    vgDBGrid3->setFocus();
    if (!opened)
        return;
    // Going to the first employee selects its period of the current month, once.
    m_selectionDetached = true;
    guarded(this, [this] { tblPersonal->first(); });
    m_selectionDetached = false;
    dsPersonalDataChange();
}

bool TFormAuswert::tablesReady() const
{
    return tblPersonal->isOpen() && tblAuswert->isOpen() && !tblPersonal->isEditing()
        && !tblAuswert->isEditing();
}

int TFormAuswert::selectedMonth() const
{
    return edMonat->currentIndex() + 1;
}

int TFormAuswert::selectedYear() const
{
    return edJahr->value();
}

// ------------------------------------------------------------------ selection

void TFormAuswert::dsPersonalDataChange()
{
    if (m_selectionDetached || !tablesReady())
        return;
    guarded(this, [this] {
        const WaitCursor wait;
        SelectEvaluationPeriod(m_tables->evaluation, selectedMonth(), selectedYear(), 0);
    });
}

void TFormAuswert::rereadEmployees()
{
    // Re-reading the employees is a change of the employee table: it runs the selection.
    guarded(this, [this] { tblPersonal->refresh(); });
}

void TFormAuswert::edMonatClick()
{
    if (tablesReady())
        rereadEmployees();
}

void TFormAuswert::edJahrChange()
{
    if (tablesReady())
        rereadEmployees();
}

void TFormAuswert::selectMonth(int month, int year)
{
    // Month and year change together: the selection must never see a combination in
    // between. At a year bound the spin box keeps its value while the month still wraps.
    m_selectionDetached = true;
    {
        const QSignalBlocker monthBlocker(edMonat);
        const QSignalBlocker yearBlocker(edJahr);
        edJahr->setValue(year);
        edMonat->setCurrentIndex(month - 1);
    }
    m_selectionDetached = false;
    rereadEmployees();
}

void TFormAuswert::showEmployeeDay(int personalNummer, const QDate &date)
{
    if (!tablesReady())
        return;
    guarded(this, [&] {
        m_selectionDetached = true;
        const bool found = tblPersonal->findKey({personalNummer});
        m_selectionDetached = false;
        if (!found)
            return;
        // the period of month m runs from AuswertBegin of m into the next month
        const int begin = qMax(1, tblPersonal->field(QStringLiteral("AuswertBegin")).asInteger());
        const QDate month = date.day() >= begin ? date : date.addMonths(-1);
        selectMonth(month.month(), month.year());
        tblAuswert->findKey({personalNummer, date});
        PageControl1->setCurrentWidget(tsZeiten);
        vgDBGrid2->setFocus();
    });
}

void TFormAuswert::btnPrevMonthClick()
{
    if (!tablesReady())
        return;
    const int month = selectedMonth();
    const int year = selectedYear();
    if (month > 1)
        selectMonth(month - 1, year);
    else
        selectMonth(12, year - 1);
}

void TFormAuswert::btnNextMonthClick()
{
    if (!tablesReady())
        return;
    const int month = selectedMonth();
    const int year = selectedYear();
    if (month < 12)
        selectMonth(month + 1, year);
    else
        selectMonth(1, year + 1);
}

void TFormAuswert::updateName()
{
    if (!tblPersonal->isOpen() || tblPersonal->currentRow() < 0) {
        paName->clear();
        return;
    }
    paName->setText(tblPersonal->field(QStringLiteral("Vorname")).asString() + QStringLiteral("  ")
                    + tblPersonal->field(QStringLiteral("Name")).asString());
}

void TFormAuswert::updatePeriodInfo()
{
    if (!tblPersonal->isOpen() || tblPersonal->currentRow() < 0) {
        paZeitraum->clear();
        paSummen->clear();
        return;
    }
    m_periodClosed = false;
    try {
        const DatePeriod period =
            CurrentEvaluationPeriod(tblPersonal, selectedMonth(), selectedYear());
        paZeitraum->setText(ShortDateText(period.from) + QStringLiteral(" – ")
                            + ShortDateText(period.to));
        m_periodClosed =
            ClosedPeriodWithin(tblPersonal->field(QStringLiteral("PersonalNummer")).asInteger(),
                               period)
                .has_value();
    } catch (const UserError &) {
        paZeitraum->clear(); // the selection itself reports the period that cannot be formed
    }
    paAbschluss->setVisible(m_periodClosed);
    updateButtons();
    paSummen->setText(tblAuswert->isOpen()
                          ? PeriodTotalsText(MonthSheetCounters::periodTotals(*tblAuswert))
                          : QString());
}

// The employee's account beside the totals and the working-time findings of the days; read
// again whenever the days shown change.
void TFormAuswert::updateAccountAndChecks()
{
    if (!tablesReady() || tblPersonal->currentRow() < 0) {
        paKonto->clear();
        return;
    }
    try {
        paKonto->setText(AccountLineText(AccountOf(*m_tables, selectedMonth(), selectedYear())));
        m_lawFindings.clear();
        for (const LawFinding &finding :
             CheckEmployeeLaw(*m_tables, selectedMonth(), selectedYear(), m_holidays.state()))
            m_lawFindings[finding.date].append(finding);
    } catch (const UserError &) {
        paKonto->clear(); // the selection reports a period that cannot be formed
        m_lawFindings.clear();
    }
}

// ------------------------------------------------------------------ evaluation

void TFormAuswert::EvaluateDay(qint16 recalc, const QDate &date)
{
    m_tables->evaluation.EvaluateDay(recalc, date);
}

void TFormAuswert::EvaluatePeriod(qint16 recalc, const QDate &from, const QDate &to)
{
    m_tables->evaluation.EvaluatePeriod(recalc, from, to);
}

// ------------------------------------------------------------------ day sheet hooks

// vgDBGrid3DblClick, dbSBtnNewBeforeAction, dbSBtnEditBeforeAction and the "Funktionen"
// commands: FrAuswrtDaySheet.cpp.

void TFormAuswert::dbSBtnDeleteAfterAction()
{
    const QDate date = tblAuswert->field(QStringLiteral("Datum")).asDate();
    EvaluateDay(1, date);
}

// The delete button's own action: ask, delete the selected time entry, then run the
// handler, also when the deletion failed; the failure is reported after the handler.
void TFormAuswert::dbSBtnDeleteClick()
{
    if (!tblAuswPos->isOpen() || tblAuswPos->isEmpty())
        return;
    const bool open = runGuarded(this, [this] { DaySheet(evaluation()).requireOpenDay(); });
    if (!open)
        return;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Bestätigung"),
                    QStringLiteral("Datensatz löschen?"), QMessageBox::Ok | QMessageBox::Cancel,
                    this);
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    if (box.exec() != QMessageBox::Ok)
        return;
    QString failure;
    try {
        tblAuswPos->remove();
    } catch (const DbError &e) {
        failure = e.message();
    }
    guarded(this, [this] { dbSBtnDeleteAfterAction(); });
    if (!failure.isEmpty())
        showError(this, failure);
}

// ------------------------------------------------------------------ buttons and keys

void TFormAuswert::moveDays(void (Table::*move)())
{
    if (tblAuswert->isOpen())
        guarded(this, [this, move] { (tblAuswert->*move)(); });
}

void TFormAuswert::updateButtons()
{
    const bool daysUsable =
        tblAuswert->isOpen() && !tblAuswert->isEditing() && !tblAuswert->isEmpty();
    const int row = tblAuswert->currentRow();
    const bool atFirst = row <= 0;
    const bool atLast = row >= tblAuswert->recordCount() - 1;
    dbSBtnFirst->setEnabled(daysUsable && !atFirst);
    dbSBtnPrior->setEnabled(daysUsable && !atFirst);
    dbSBtnNext->setEnabled(daysUsable && !atLast);
    dbSBtnLast->setEnabled(daysUsable && !atLast);

    const bool entriesChangeable = tblAuswPos->isOpen() && !tblAuswPos->isReadOnly()
        && !tblAuswPos->isEditing() && tblAuswert->isOpen() && tblAuswert->currentRow() >= 0
        && !m_periodClosed;
    for (QAction *change :
         {AlleZeitenneuberechen1, Schichtndern1, FeiertageEintragen1, MonatAbschliessen1})
        change->setEnabled(!m_periodClosed);
    MonatOeffnen1->setEnabled(m_periodClosed);
    dbSBtnNew->setEnabled(entriesChangeable);
    dbSBtnEdit->setEnabled(entriesChangeable);
    dbSBtnDelete->setEnabled(entriesChangeable && !tblAuswPos->isEmpty());
}

bool TFormAuswert::isOwnWidget(QObject *object) const
{
    auto *widget = qobject_cast<QWidget *>(object);
    return widget && (widget == this || isAncestorOf(widget));
}

bool TFormAuswert::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::ShortcutOverride) || !isOwnWidget(watched))
        return QWidget::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    const bool functionKey =
        key->key() == Qt::Key_F2 || key->key() == Qt::Key_F3 || key->key() == Qt::Key_F4;
    if (type == QEvent::ShortcutOverride) {
        // Keep F2 to F4 from any shortcut: they arrive here as key presses.
        if (functionKey)
            event->accept();
        return functionKey;
    }
    if (FormKeyDown(key))
        return true;
    if (watched == vgDBGrid1 && vgDBGrid1KeyPress(key))
        return true;
    if (watched == vgDBGrid3 && vgDBGrid3KeyDown(key))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool TFormAuswert::FormKeyDown(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_F2:
        vgDBGrid3DblClick();
        return true;
    case Qt::Key_F3:
        dbSBtnNewBeforeAction();
        return true;
    case Qt::Key_F4:
        dbSBtnEditBeforeAction();
        return true;
    default:
        return false;
    }
}

// Entf on a time entry: "Löschen" with its usual question.
bool TFormAuswert::vgDBGrid3KeyDown(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Delete || event->modifiers() != Qt::NoModifier)
        return false;
    if (dbSBtnDelete->isEnabled())
        dbSBtnDeleteClick();
    return true;
}

bool TFormAuswert::vgDBGrid1KeyPress(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    vgDBGrid1DblClick();
    return true;
}

void TFormAuswert::vgDBGrid1DblClick()
{
    PageControl1->setCurrentWidget(tsZeiten);
}

} // namespace tk
