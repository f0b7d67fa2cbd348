#include "gui/masterdata/FormSchicht.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/common/ClockText.h"
#include "core/db/Database.h"
#include "core/db/DayPlanCopy.h"
#include "core/db/ShiftPlanUsage.h"
#include "core/db/SuspendedControls.h"
#include "core/db/Table.h"
#include "core/db/TableChanges.h"
#include "gui/masterdata/DlgCopyDayPlan.h"
#include "gui/reports/ListCommands.h"
#include "gui/timefields/KvTimeEdit.h"
#include "gui/widgets/CopyKeyOutOfMenus.h"
#include "gui/widgets/DbEdit.h"
#include "gui/widgets/DbGrid.h"
#include "gui/widgets/DbNavigator.h"
#include "gui/widgets/DbSearchEdit.h"
#include "gui/widgets/ErrorGuard.h"
#include "gui/widgets/FocusChain.h"
#include "gui/widgets/FormTools.h"
#include "gui/widgets/KeyPreview.h"
#include "gui/widgets/MessageBoxes.h"
#include "gui/widgets/NumberPrompt.h"
#include "gui/widgets/PageArea.h"
#include "gui/widgets/PendingInput.h"

namespace tk {

namespace {

constexpr int DayPlanCount = 8;

template <class Field>
Field *timeField(QWidget *parent, const char *name)
{
    auto *field = new Field(parent);
    field->setObjectName(QLatin1String(name));
    field->setTabOnEnterKey(true);
    return field;
}

TKvDBTimeEdit *clockField(QWidget *parent, const char *name)
{
    TKvDBTimeEdit *field = timeField<TKvDBTimeEdit>(parent, name);
    field->setShowDayTyp(false);
    return field;
}

} // namespace

TFormSchicht::TFormSchicht(QWidget *parent)
    : MasterDataWindow(QStringLiteral("Schichten"), parent)
    , tblSchicht(new Table(QStringLiteral("Schicht"), QStringLiteral("Schichtplan"), this))
    , tblTagplan(
          new Table(QStringLiteral("Tagplan"), QStringLiteral("Schichtplan;Tagesplan"), this))
{
    tblTagplan->setMaster(tblSchicht, {QStringLiteral("Schichtplan")},
                          {QStringLiteral("Schichtplan")});
    // plans another workstation stores
    TableChanges::follow(tblSchicht);
    TableChanges::follow(tblTagplan);
    buildControls();
    bindControls();
    setFocusOrder();
    openTables();
    new KeyPreview(this, [this](QKeyEvent *event) { return FormKeyPress(event); });
    new CopyKeyOutOfMenus(this); // Ctrl+C discards the edit here
    focusStart(edSchichtplan);
}

TFormSchicht::~TFormSchicht() = default;

QStringList TFormSchicht::dayLabels()
{
    return {QStringLiteral("Mo"), QStringLiteral("Di"), QStringLiteral("Mi"), QStringLiteral("Do"),
            QStringLiteral("Fr"), QStringLiteral("Sa"), QStringLiteral("So"), QStringLiteral("FT")};
}

// ------------------------------------------------------------------ layout

void TFormSchicht::buildControls()
{
    pcSchicht = new PageArea(this);
    pcSchicht->setObjectName(QStringLiteral("pcSchicht"));
    QWidget *toolRow = buildToolRow(buildNavigator());
    tsSchicht = buildPlanPage();
    tsListe = buildListPage();
    pcSchicht->addWidget(tsSchicht);
    pcSchicht->addWidget(tsListe);
    pcSchicht->setPageFocus(0, edSchichtplan);
    pcSchicht->setPageFocus(1, grdSchicht);
    layoutFrame(toolRow, pcSchicht);
    resize(640, 420);
}

DbNavigator *TFormSchicht::buildNavigator()
{
    dbNavSchicht = new DbNavigator(tblSchicht,
                                   {DbNavigator::First, DbNavigator::Prior, DbNavigator::Next,
                                    DbNavigator::Last, DbNavigator::Insert, DbNavigator::Delete,
                                    DbNavigator::Post, DbNavigator::Cancel},
                                   this);
    dbNavSchicht->setObjectName(QStringLiteral("dbNavSchicht"));
    dbNavSchicht->setAction(DbNavigator::Insert, [this] { dbNavSchichtInsertClick(); });
    dbNavSchicht->setAction(DbNavigator::Delete, [this] { dbNavSchichtDeleteClick(); });
    return dbNavSchicht;
}

QWidget *TFormSchicht::buildPlanPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tsSchicht"));
    edSchichtplan = new DbSearchEdit(page);
    edSchichtplan->setObjectName(QStringLiteral("edSchichtplan"));
    edSchichtplan->setFixedWidth(
        edSchichtplan->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 10);
    edBezeichnung = new DbEdit(page);
    edBezeichnung->setObjectName(QStringLiteral("edBezeichnung"));

    auto *header = new QHBoxLayout;
    auto *laSchicht = new QLabel(QStringLiteral("Schicht:"), page);
    laSchicht->setBuddy(edSchichtplan);
    header->addWidget(laSchicht);
    header->addWidget(edSchichtplan);
    header->addWidget(edBezeichnung, 1);

    grdTagplan = new DbGrid(tblTagplan,
                            {{QStringLiteral("Tagesplan"), QStringLiteral("TP")},
                             {QStringLiteral("Bezeichnung"), QStringLiteral("Tag")},
                             {QStringLiteral("Von"), QStringLiteral("Von")},
                             {QStringLiteral("Bis"), QStringLiteral("Bis")},
                             {QStringLiteral("Sollstd"), QStringLiteral("Sollstd")}},
                            page);
    grdTagplan->setObjectName(QStringLiteral("grdTagplan"));
    grdTagplan->setCellFormatter(
        [](int, const QString &field, const QVariant &value, CellStyle &style) {
            if (field == QLatin1String("Von") || field == QLatin1String("Bis")
                || field == QLatin1String("Sollstd")) {
                style.text = value.isNull() ? QString() : MinutesToClockText(value.toInt());
                style.alignment = Qt::AlignCenter;
            } else if (field == QLatin1String("Tagesplan")) {
                style.alignment = Qt::AlignRight | Qt::AlignVCenter;
            }
        });
    const int digit = grdTagplan->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int widths[] = {4 * digit, 5 * digit, 7 * digit, 7 * digit, 8 * digit};
    int gridWidth = 2 * grdTagplan->frameWidth() + 2;
    for (int c = 0; c < 5; ++c) {
        grdTagplan->setColumnWidth(c, widths[c]);
        gridWidth += widths[c];
    }
    grdTagplan->horizontalHeader()->setStretchLastSection(true);
    grdTagplan->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdTagplan->setFixedWidth(gridWidth + grdTagplan->verticalScrollBar()->sizeHint().width());

    dbNavTagplan = new DbNavigator(tblTagplan,
                                   {DbNavigator::First, DbNavigator::Prior, DbNavigator::Next,
                                    DbNavigator::Last, DbNavigator::Post, DbNavigator::Cancel},
                                   page);
    dbNavTagplan->setObjectName(QStringLiteral("dbNavTagplan"));

    btnCopyDayPlan = new QPushButton(QStringLiteral("Tagesplan &kopieren"), page);
    btnCopyDayPlan->setObjectName(QStringLiteral("btnCopyDayPlan"));
    btnCopyDayPlan->setAutoDefault(false);
    connect(btnCopyDayPlan, &QPushButton::clicked, this, &TFormSchicht::btnCopyDayPlanClick);
    auto *dayPlanTools = new QHBoxLayout;
    dayPlanTools->addWidget(dbNavTagplan);
    dayPlanTools->addSpacing(8);
    dayPlanTools->addWidget(btnCopyDayPlan);
    dayPlanTools->addStretch(1);

    auto *right = new QVBoxLayout;
    right->addLayout(dayPlanTools);
    right->addSpacing(6);
    right->addWidget(buildDayPlanFields());
    right->addStretch(1);

    auto *body = new QHBoxLayout;
    body->addWidget(grdTagplan);
    body->addSpacing(8);
    body->addLayout(right, 1);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(header);
    layout->addLayout(body, 1);
    return page;
}

QWidget *TFormSchicht::buildDayPlanFields()
{
    auto *box = new QWidget;
    edVon = clockField(box, "edVon");
    edBis = clockField(box, "edBis");
    edPauseVon1 = clockField(box, "edPauseVon1");
    edPauseBis1 = clockField(box, "edPauseBis1");
    edPauseVon2 = clockField(box, "edPauseVon2");
    edPauseBis2 = clockField(box, "edPauseBis2");
    edPauseVon3 = clockField(box, "edPauseVon3");
    edPauseBis3 = clockField(box, "edPauseBis3");
    edSollstd = timeField<TKvDBTimeDauerEdit>(box, "edSollstd");
    edUeberstd1 = timeField<TKvDBTimeDauerEdit>(box, "edUeberstd1");
    edUeberstd2 = timeField<TKvDBTimeDauerEdit>(box, "edUeberstd2");
    edUeberstd3 = timeField<TKvDBTimeDauerEdit>(box, "edUeberstd3");

    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    auto heads = [&](int row) {
        grid->addWidget(new QLabel(QStringLiteral("Von"), box), row, 1, Qt::AlignHCenter);
        grid->addWidget(new QLabel(QStringLiteral("Bis"), box), row, 2, Qt::AlignHCenter);
    };
    auto line = [&](int row, const QString &label, QWidget *from, QWidget *to) {
        auto *caption = new QLabel(label, box);
        caption->setBuddy(from);
        grid->addWidget(caption, row, 0);
        grid->addWidget(from, row, 1);
        if (to)
            grid->addWidget(to, row, 2);
    };
    heads(0);
    line(1, QStringLiteral("Arbeitszeit:"), edVon, edBis);
    grid->setRowMinimumHeight(2, 6);
    heads(3);
    line(4, QStringLiteral("Pause 1:"), edPauseVon1, edPauseBis1);
    line(5, QStringLiteral("Pause 2:"), edPauseVon2, edPauseBis2);
    line(6, QStringLiteral("Pause 3:"), edPauseVon3, edPauseBis3);
    grid->setRowMinimumHeight(7, 6);
    line(8, QStringLiteral("Sollzeit:"), edSollstd, nullptr);
    line(9, QStringLiteral("Überstd.1:"), edUeberstd1, nullptr);
    line(10, QStringLiteral("Überstd.2:"), edUeberstd2, nullptr);
    line(11, QStringLiteral("Überstd.3:"), edUeberstd3, nullptr);
    grid->setColumnStretch(3, 1);
    return box;
}

QWidget *TFormSchicht::buildListPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tsListe"));
    grdSchicht = new DbGrid(tblSchicht,
                            {{QStringLiteral("Schichtplan"), QStringLiteral("Schichtplan")},
                             {QStringLiteral("Bezeichnung"), QStringLiteral("Bezeichnung")}},
                            page);
    grdSchicht->setObjectName(QStringLiteral("grdSchicht"));
    grdSchicht->setCellFormatter([](int, const QString &field, const QVariant &, CellStyle &style) {
        if (field == QLatin1String("Schichtplan"))
            style.alignment = Qt::AlignRight | Qt::AlignVCenter;
    });
    grdSchicht->horizontalHeader()->setStretchLastSection(true);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(grdSchicht);
    return page;
}

void TFormSchicht::setFocusOrder()
{
    QList<QWidget *> order{edSchichtplan, edBezeichnung, grdTagplan,  edVon,       edBis,
                           edPauseVon1,   edPauseBis1,   edPauseVon2, edPauseBis2, edPauseVon3,
                           edPauseBis3,   edSollstd,     edUeberstd1, edUeberstd2, edUeberstd3};
    order << navigatorButtons(dbNavTagplan);
    order << btnCopyDayPlan;
    order << grdSchicht;
    order << navigatorButtons(dbNavSchicht);
    order << toolButtons();
    chainFocus(order);
}

// ------------------------------------------------------------------ tables

void TFormSchicht::bindControls()
{
    edSchichtplan->setSearch(tblSchicht, QStringLiteral("Schichtplan"));
    edBezeichnung->setDataSource(tblSchicht);
    edBezeichnung->setDataField(QStringLiteral("Bezeichnung"));
    const std::pair<KvFieldBase *, const char *> fields[] = {{edVon, "Von"},
                                                             {edBis, "Bis"},
                                                             {edPauseVon1, "PauseVon1"},
                                                             {edPauseBis1, "PauseBis1"},
                                                             {edPauseVon2, "PauseVon2"},
                                                             {edPauseBis2, "PauseBis2"},
                                                             {edPauseVon3, "PauseVon3"},
                                                             {edPauseBis3, "PauseBis3"},
                                                             {edSollstd, "Sollstd"},
                                                             {edUeberstd1, "Ueberstd1"},
                                                             {edUeberstd2, "Ueberstd2"},
                                                             {edUeberstd3, "Ueberstd3"}};
    for (const auto &[field, name] : fields) {
        if (auto *clock = qobject_cast<TKvDBTimeEdit *>(field)) {
            clock->setDataSource(tblTagplan);
            clock->setDataField(QLatin1String(name));
        } else if (auto *duration = qobject_cast<TKvDBTimeDauerEdit *>(field)) {
            duration->setDataSource(tblTagplan);
            duration->setDataField(QLatin1String(name));
        }
    }
    connect(tblSchicht, &Table::activeChanged, this, &TFormSchicht::updatePageState);
    connect(tblSchicht, &Table::viewChanged, this, &TFormSchicht::updatePageState);
    connect(tblSchicht, &Table::recordChanged, this, &TFormSchicht::updatePageState);
    updatePageState();
}

void TFormSchicht::openTables()
{
    if (!openTableOrReport(this, tblSchicht, QStringLiteral("Kann Schicht-Datei nicht öffnen !")))
        return;
    if (!openTableOrReport(this, tblTagplan, QStringLiteral("Kann Tagesplan-Datei nicht öffnen !")))
        return;
    m_tablesOpen = true;
}

void TFormSchicht::updatePageState()
{
    pcSchicht->setPageEnabled(0, tblSchicht->isOpen() && !tblSchicht->isEmpty());
}

// ------------------------------------------------------------------ commands

void TFormSchicht::dbNavSchichtInsertClick()
{
    if (!tblSchicht->isOpen())
        return;
    runGuarded(this, [this] {
        commitFocusedInput(this);
        pcSchicht->showPage(0);
        tblSchicht->last();
        const int proposal = tblSchicht->isEmpty()
            ? 1
            : tblSchicht->field(QStringLiteral("Schichtplan")).asInteger() + 1;
        const std::optional<int> number = NumberPrompt::ask(
            this, QStringLiteral("Neu Schicht"), QStringLiteral("Schicht-Nr.:"), proposal);
        if (!number)
            return;
        if (tblSchicht->findKey({*number})) {
            showError(this,
                      QStringLiteral("Schicht-Nr.: ") + QString::number(*number)
                          + QStringLiteral(" vorhanden !"));
            return;
        }
        WriteBatch batch;
        tblSchicht->append();
        tblSchicht->field(QStringLiteral("Schichtplan")).setAsInteger(*number);
        tblSchicht->post();
        createDayPlans(*number);
        batch.commit();
    });
    if (pcSchicht->isPageEnabled(0))
        edBezeichnung->setFocus(Qt::OtherFocusReason);
}

void TFormSchicht::createDayPlans(int plan)
{
    // The grid and the fields follow once, after the eighth day plan.
    const SuspendedControls suspended(tblTagplan);
    const QStringList labels = dayLabels();
    for (int day = 1; day <= DayPlanCount; ++day) {
        tblTagplan->append();
        tblTagplan->field(QStringLiteral("Tagesplan")).setAsInteger(day);
        tblTagplan->field(QStringLiteral("Schichtplan")).setAsInteger(plan);
        tblTagplan->field(QStringLiteral("Bezeichnung")).setAsString(labels.at(day - 1));
        tblTagplan->post();
    }
    tblTagplan->first();
}

void TFormSchicht::dbNavSchichtDeleteClick()
{
    if (!tblSchicht->isOpen() || tblSchicht->isEmpty())
        return;
    const int plan = tblSchicht->field(QStringLiteral("Schichtplan")).asInteger();
    ShiftPlanUsage usage;
    if (!runGuarded(this, [&usage, plan] { usage = shiftPlanUsage(plan); }))
        return;
    if (usage.inUse()) {
        showInformation(this, shiftPlanUsageText(plan, usage));
        return;
    }
    if (!confirm(this, QStringLiteral("Schichtplan löschen ?")))
        return;
    runGuarded(this, [this] {
        WriteBatch batch;
        tblTagplan->first();
        while (!tblTagplan->isEmpty())
            tblTagplan->remove();
        tblSchicht->remove();
        batch.commit();
    });
}

void TFormSchicht::btnCopyDayPlanClick()
{
    if (!tblTagplan->isOpen() || tblTagplan->isEmpty() || !storePendingEdits())
        return;
    const int plan = tblTagplan->field(QStringLiteral("Schichtplan")).asInteger();
    const int day = tblTagplan->field(QStringLiteral("Tagesplan")).asInteger();
    const std::optional<QList<int>> days = TDlgCopyDayPlan::ask(this, dayLabels(), day);
    if (!days || days->isEmpty())
        return;
    runGuarded(this, [&] {
        copyDayPlan(plan, day, *days);
        tblTagplan->refresh();
    });
}

void TFormSchicht::btnPrintClick()
{
    // The list reads the stored records with its own tables.
    previewShiftPlanList(this);
}

bool TFormSchicht::storePendingEdits()
{
    if (!m_tablesOpen)
        return true;
    return runGuarded(this, [this] {
        commitFocusedInput(this);
        if (tblSchicht->isEditing())
            tblSchicht->post();
        if (tblTagplan->isEditing())
            tblTagplan->post();
    });
}

void TFormSchicht::cancelPendingEdits()
{
    // The day plan goes first: cancelling the plan moves its master row, and a master move
    // would store the day plan's pending edit instead of dropping it.
    runGuarded(this, [this] {
        tblTagplan->cancel();
        tblSchicht->cancel();
    });
}

// ------------------------------------------------------------------ keys

bool TFormSchicht::focusInDayPlanGrid() const
{
    const QWidget *focused = QApplication::focusWidget();
    return focused && (focused == grdTagplan || grdTagplan->isAncestorOf(focused));
}

bool TFormSchicht::FormKeyPress(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (key == Qt::Key_F5) {
        btnPageSwitchClick();
        return true;
    }
    const bool inGrid = focusInDayPlanGrid();
    if (modifiers == Qt::ControlModifier && !inGrid) {
        switch (key) {
        case Qt::Key_S:
            storePendingEdits();
            return true;
        case Qt::Key_N:
            dbNavSchichtInsertClick();
            return true;
        case Qt::Key_C:
            cancelPendingEdits();
            return true;
        case Qt::Key_L:
            if (tblSchicht->isEditing())
                return false;
            dbNavSchichtDeleteClick();
            return true;
        case Qt::Key_P:
            btnPrintClick();
            return true;
        default:
            return false;
        }
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        const QWidget *focused = QApplication::focusWidget();
        const bool enterMoves = inGrid || focused == edSchichtplan || focused == edBezeichnung;
        if (!enterMoves)
            return false;
        if (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier) {
            moveFocus(this, modifiers == Qt::NoModifier);
            return true;
        }
    }
    return false;
}

} // namespace tk
