#include "gui/masterdata/FormPers.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/common/ClockText.h"
#include "core/db/Table.h"
#include "core/db/TableChanges.h"
#include "gui/masterdata/AccountYearsPage.h"
#include "gui/reports/ListCommands.h"
#include "gui/widgets/CopyKeyOutOfMenus.h"
#include "gui/widgets/DbCalcEdit.h"
#include "gui/widgets/DbDateEdit.h"
#include "gui/widgets/DbEdit.h"
#include "gui/widgets/DbGrid.h"
#include "gui/widgets/DbLookupComboBox.h"
#include "gui/widgets/DbNavigator.h"
#include "gui/widgets/DbSearchEdit.h"
#include "gui/widgets/DbValueComboBox.h"
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

const char *const PersonalFields[] = {"PersonalNummer",
                                      "Name",
                                      "Vorname",
                                      "Strasse",
                                      "Plz",
                                      "Ort",
                                      "Telefon1",
                                      "Telefon2",
                                      "Geburtsdatum",
                                      "EintrittsDatum",
                                      "AustrittsDatum",
                                      "BruttoLohn",
                                      "Schicht",
                                      "AuswertBegin"};

template <class Control>
Control *boundField(QWidget *parent, Table *table, const char *field)
{
    auto *control = new Control(parent);
    control->setObjectName(QStringLiteral("ed") + QLatin1String(field));
    control->setDataSource(table);
    control->setDataField(QLatin1String(field));
    return control;
}

void formatListCell(const QString &field, const QVariant &value, CellStyle &style)
{
    if (value.isNull())
        return;
    if (field.endsWith(QLatin1String("datum"), Qt::CaseInsensitive)) {
        style.text = ShortDateText(QDate::fromString(value.toString().left(10), Qt::ISODate));
    } else if (field == QLatin1String("BruttoLohn")) {
        style.text = DbCalcEdit::formatValue(value.toDouble());
        style.alignment = Qt::AlignRight | Qt::AlignVCenter;
    } else if (field == QLatin1String("PersonalNummer") || field == QLatin1String("Schicht")
               || field == QLatin1String("AuswertBegin")) {
        style.alignment = Qt::AlignRight | Qt::AlignVCenter;
    }
}

} // namespace

TFormPers::TFormPers(QWidget *parent)
    : MasterDataWindow(QStringLiteral("Personal"), parent)
    , tblPersonal(new Table(QStringLiteral("Personal"), QStringLiteral("PersonalNummer"), this))
    , tblSchicht(new Table(QStringLiteral("Schicht"), QStringLiteral("Schichtplan"), this))
{
    tblSchicht->setReadOnly(true);
    TableChanges::follow(tblSchicht);  // plans named or added in the shift plan window
    TableChanges::follow(tblPersonal); // employees another workstation stores
    buildControls();
    bindControls();
    setFocusOrder();
    openTables();
    // The drop-down lists exist before the key preview, so it sees their keys too.
    edAuswertBegin->view();
    edSchicht->view();
    new KeyPreview(this, [this](QKeyEvent *event) { return FormKeyPress(event); });
    new CopyKeyOutOfMenus(this); // Ctrl+C discards the edit here
    focusStart(edPersonalNummer);
}

TFormPers::~TFormPers() = default;

QStringList TFormPers::periodTexts()
{
    return {QStringLiteral("vom 1. des Monats bis Monatsende"),
            QStringLiteral("vom 16. des Monats bis 15. des Folgemonat")};
}

// ------------------------------------------------------------------ layout

void TFormPers::buildControls()
{
    pcPers = new PageArea(this);
    pcPers->setObjectName(QStringLiteral("pcPers"));
    QWidget *toolRow = buildToolRow(buildNavigator());
    btnAccount =
        toolButton(toolRow, Glyph::Account, QStringLiteral("Zeitkonto (F6)"), "btnAccount");
    connect(btnAccount, &QToolButton::clicked, this, &TFormPers::btnAccountClick);
    // beside the page switch, before printing
    static_cast<QBoxLayout *>(toolRow->layout())->insertWidget(2, btnAccount);
    tsPersonal = buildEmployeePage();
    tsListe = buildListPage();
    tsZeitkonto = new AccountYearsPage(tblPersonal, pcPers);
    pcPers->addWidget(tsPersonal);
    pcPers->addWidget(tsListe);
    pcPers->addWidget(tsZeitkonto);
    pcPers->setPageFocus(0, edPersonalNummer);
    pcPers->setPageFocus(1, grdPersonal);
    pcPers->setPageFocus(2, tsZeitkonto->grid());
    layoutFrame(toolRow, pcPers);
    resize(700, 520);
}

DbNavigator *TFormPers::buildNavigator()
{
    dbNavPersonal = new DbNavigator(tblPersonal,
                                    {DbNavigator::First, DbNavigator::Prior, DbNavigator::Next,
                                     DbNavigator::Last, DbNavigator::Insert, DbNavigator::Copy,
                                     DbNavigator::Delete, DbNavigator::Post, DbNavigator::Cancel},
                                    this);
    dbNavPersonal->setObjectName(QStringLiteral("dbNavPersonal"));
    dbNavPersonal->setLockWhileEditing(true);
    dbNavPersonal->setAction(DbNavigator::Insert, [this] { btnInsertClick(); });
    dbNavPersonal->setAction(DbNavigator::Copy, [this] { btnCopyClick(); });
    dbNavPersonal->setAction(DbNavigator::Delete, [this] { btnDeleteClick(); });
    return dbNavPersonal;
}

QWidget *TFormPers::buildEmployeePage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tsPersonal"));

    edPersonalNummer = new DbSearchEdit(page);
    edPersonalNummer->setObjectName(QStringLiteral("edPersonalNummer"));
    edPersonalNummer->setFixedWidth(
        edPersonalNummer->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 10);
    laName = new QLabel(page);
    laName->setObjectName(QStringLiteral("laName"));
    QFont bold = laName->font();
    bold.setBold(true);
    laName->setFont(bold);

    edName = boundField<DbEdit>(page, tblPersonal, "Name");
    edVorname = boundField<DbEdit>(page, tblPersonal, "Vorname");
    edStrasse = boundField<DbEdit>(page, tblPersonal, "Strasse");
    edPlz = boundField<DbEdit>(page, tblPersonal, "Plz");
    edOrt = boundField<DbEdit>(page, tblPersonal, "Ort");
    edTelefon1 = boundField<DbEdit>(page, tblPersonal, "Telefon1");
    edTelefon2 = boundField<DbEdit>(page, tblPersonal, "Telefon2");
    edGeburtsdatum = boundField<DbDateEdit>(page, tblPersonal, "Geburtsdatum");
    edEintrittsDatum = boundField<DbDateEdit>(page, tblPersonal, "EintrittsDatum");
    edAustrittsDatum = boundField<DbDateEdit>(page, tblPersonal, "AustrittsDatum");
    edBruttoLohn = boundField<DbCalcEdit>(page, tblPersonal, "BruttoLohn");
    edSchicht = new DbLookupComboBox(page);
    edSchicht->setObjectName(QStringLiteral("edSchicht"));
    edAuswertBegin = new DbValueComboBox(page);
    edAuswertBegin->setObjectName(QStringLiteral("edAuswertBegin"));
    edAuswertBegin->setItems(periodTexts());
    edAuswertBegin->setValues({QStringLiteral("1"), QStringLiteral("16")});

    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    edPlz->setFixedWidth(8 * digit);
    for (QWidget *date :
         {static_cast<QWidget *>(edGeburtsdatum), static_cast<QWidget *>(edEintrittsDatum),
          static_cast<QWidget *>(edAustrittsDatum)})
        date->setFixedWidth(16 * digit);
    edBruttoLohn->setFixedWidth(14 * digit);

    auto *header = new QHBoxLayout;
    auto *laNummer = new QLabel(QStringLiteral("Personal Nr.:"), page);
    laNummer->setBuddy(edPersonalNummer);
    header->addWidget(laNummer);
    header->addWidget(edPersonalNummer);
    header->addSpacing(12);
    header->addWidget(laName, 1);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    auto label = [&](const QString &text, QWidget *buddy, int row, int column) {
        auto *caption = new QLabel(text, page);
        caption->setBuddy(buddy);
        grid->addWidget(caption, row, column);
    };
    label(QStringLiteral("Name:"), edName, 0, 0);
    grid->addWidget(edName, 0, 1);
    label(QStringLiteral("Vorname:"), edVorname, 1, 0);
    grid->addWidget(edVorname, 1, 1);
    label(QStringLiteral("Straße:"), edStrasse, 2, 0);
    grid->addWidget(edStrasse, 2, 1);
    label(QStringLiteral("PLZ/Ort:"), edPlz, 3, 0);
    auto *place = new QHBoxLayout;
    place->addWidget(edPlz);
    place->addWidget(edOrt, 1);
    grid->addLayout(place, 3, 1);
    label(QStringLiteral("Eintritts Datum:"), edEintrittsDatum, 4, 0);
    grid->addWidget(edEintrittsDatum, 4, 1, Qt::AlignLeft);
    label(QStringLiteral("Austritts Datum:"), edAustrittsDatum, 5, 0);
    grid->addWidget(edAustrittsDatum, 5, 1, Qt::AlignLeft);
    label(QStringLiteral("Brutto Lohn:"), edBruttoLohn, 6, 0);
    auto *wage = new QHBoxLayout;
    wage->addWidget(edBruttoLohn);
    wage->addWidget(new QLabel(QStringLiteral("€/Std."), page));
    wage->addStretch(1);
    grid->addLayout(wage, 6, 1);
    label(QStringLiteral("Schicht:"), edSchicht, 7, 0);
    grid->addWidget(edSchicht, 7, 1);
    label(QStringLiteral("Auswertzeitraum:"), edAuswertBegin, 8, 0);
    grid->addWidget(edAuswertBegin, 8, 1);

    grid->setColumnMinimumWidth(2, 16);
    label(QStringLiteral("Telefon 1:"), edTelefon1, 0, 3);
    grid->addWidget(edTelefon1, 0, 4);
    label(QStringLiteral("Telefon 2:"), edTelefon2, 1, 3);
    grid->addWidget(edTelefon2, 1, 4);
    label(QStringLiteral("Geburtsdatum:"), edGeburtsdatum, 2, 3);
    grid->addWidget(edGeburtsdatum, 2, 4, Qt::AlignLeft);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(4, 2);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(header);
    layout->addSpacing(6);
    layout->addLayout(grid);
    layout->addStretch(1);
    return page;
}

QWidget *TFormPers::buildListPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tsListe"));
    QVector<TableModel::Column> columns;
    for (const char *field : PersonalFields)
        columns.push_back({QLatin1String(field), QLatin1String(field)});
    grdPersonal = new DbGrid(tblPersonal, columns, page);
    grdPersonal->setObjectName(QStringLiteral("grdPersonal"));
    grdPersonal->setCellFormatter([](int, const QString &field, const QVariant &value,
                                     CellStyle &style) { formatListCell(field, value, style); });
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(grdPersonal);
    return page;
}

void TFormPers::setFocusOrder()
{
    QList<QWidget *> order{edPersonalNummer,
                           edName,
                           edVorname,
                           edStrasse,
                           edPlz,
                           edOrt,
                           edTelefon1,
                           edTelefon2,
                           edGeburtsdatum,
                           edEintrittsDatum,
                           edAustrittsDatum,
                           edBruttoLohn,
                           edSchicht,
                           edAuswertBegin,
                           grdPersonal};
    order << tsZeitkonto->focusOrder();
    order << navigatorButtons(dbNavPersonal);
    order << toolButtons();
    order.insert(order.indexOf(btnPrint), btnAccount);
    chainFocus(order);
}

// ------------------------------------------------------------------ tables

void TFormPers::bindControls()
{
    edPersonalNummer->setSearch(tblPersonal, QStringLiteral("PersonalNummer"));
    edSchicht->setLookup(tblSchicht, QStringLiteral("Schichtplan"),
                         QStringLiteral("Schichtplan;Bezeichnung"));
    edSchicht->setDataSource(tblPersonal);
    edSchicht->setDataField(QStringLiteral("Schicht"));
    edAuswertBegin->setDataSource(tblPersonal);
    edAuswertBegin->setDataField(QStringLiteral("AuswertBegin"));
    connect(tblPersonal, &Table::activeChanged, this, &TFormPers::updatePageState);
    connect(tblPersonal, &Table::viewChanged, this, &TFormPers::updatePageState);
    connect(tblPersonal, &Table::recordChanged, this, [this](const QString &fieldName) {
        updatePageState();
        if (fieldName.isEmpty() || fieldName == QLatin1String("Name")
            || fieldName == QLatin1String("Vorname"))
            showName();
    });
    updatePageState();
}

void TFormPers::openTables()
{
    if (!openTableOrReport(this, tblPersonal, QStringLiteral("Kann Personal-Datei nicht öffnen !")))
        return;
    if (!openTableOrReport(this, tblSchicht, QStringLiteral("Kann Schicht-Datei nicht öffnen !")))
        return;
    if (!tsZeitkonto->openTable(this))
        return;
    m_tablesOpen = true;
}

void TFormPers::updatePageState()
{
    const bool employee = tblPersonal->isOpen() && !tblPersonal->isEmpty();
    pcPers->setPageEnabled(0, employee);
    pcPers->setPageEnabled(2, employee);
}

bool TFormPers::accountPageShown() const
{
    return pcPers->currentWidget() == tsZeitkonto;
}

void TFormPers::btnAccountClick()
{
    if (!m_tablesOpen)
        return;
    if (accountPageShown()) {
        pcPers->showPage(0);
        return;
    }
    // the account years belong to a stored employee
    if (!storePendingEdits())
        return;
    pcPers->showPage(2);
}

void TFormPers::showName()
{
    QString text;
    if (tblPersonal->isOpen() && (tblPersonal->currentRow() >= 0 || tblPersonal->isEditing()))
        text = tblPersonal->field(QStringLiteral("Vorname")).asString() + QStringLiteral("  ")
            + tblPersonal->field(QStringLiteral("Name")).asString();
    laName->setText(text.trimmed().isEmpty() ? QString() : text);
}

// ------------------------------------------------------------------ commands

std::optional<int> TFormPers::askNewNumber()
{
    pcPers->showPage(0);
    tblPersonal->last();
    const int proposal = tblPersonal->isEmpty()
        ? 1
        : tblPersonal->field(QStringLiteral("PersonalNummer")).asInteger() + 1;
    const std::optional<int> number = NumberPrompt::ask(this, QStringLiteral("Neu Personal-Nr."),
                                                        QStringLiteral("Personal-Nr,:"), proposal);
    if (!number)
        return std::nullopt;
    if (tblPersonal->findKey({*number})) {
        showError(this,
                  QStringLiteral("Personal-Nr.: ") + QString::number(*number)
                      + QStringLiteral(" vorhanden !"));
        return std::nullopt;
    }
    return number;
}

void TFormPers::btnInsertClick()
{
    if (!m_tablesOpen)
        return;
    runGuarded(this, [this] {
        commitFocusedInput(this);
        const std::optional<int> number = askNewNumber();
        if (!number)
            return;
        tblPersonal->append();
        tblPersonal->field(QStringLiteral("PersonalNummer")).setAsInteger(*number);
        tblPersonal->field(QStringLiteral("BruttoLohn")).setAsFloat(0.0);
        tblPersonal->field(QStringLiteral("AuswertBegin")).setAsInteger(1);
        tblPersonal->post();
        edName->setFocus(Qt::OtherFocusReason);
    });
}

void TFormPers::btnCopyClick()
{
    if (!m_tablesOpen || tblPersonal->isEmpty())
        return;
    runGuarded(this, [this] {
        commitFocusedInput(this);
        // The copy buffer: every field of the current employee, by name.
        const QStringList names = tblPersonal->fieldNames();
        QVariantList copyBuffer;
        for (int column = 0; column < names.size(); ++column)
            copyBuffer << tblPersonal->value(column);
        const std::optional<int> number = askNewNumber();
        if (!number)
            return;
        tblPersonal->append();
        for (int column = 0; column < names.size(); ++column)
            tblPersonal->field(names.at(column)).setValue(copyBuffer.at(column));
        tblPersonal->field(QStringLiteral("PersonalNummer")).setAsInteger(*number);
        tblPersonal->post();
        edName->setFocus(Qt::OtherFocusReason);
    });
}

void TFormPers::btnDeleteClick()
{
    if (!m_tablesOpen || tblPersonal->isEmpty() || tblPersonal->isEditing())
        return;
    if (!confirmOkCancel(this, QStringLiteral("Datensatz löschen?")))
        return;
    // Only the employee row goes: day records and time entries of the number stay.
    runGuarded(this, [this] { tblPersonal->remove(); });
}

void TFormPers::btnPrintClick()
{
    // The list reads the stored records with its own tables.
    previewPersonnelList(this);
}

bool TFormPers::storePendingEdits()
{
    if (!m_tablesOpen)
        return true;
    return runGuarded(this, [this] {
        commitFocusedInput(this);
        if (tblPersonal->isEditing())
            tblPersonal->post();
        if (tsZeitkonto->zeitkontoTable()->isEditing())
            tsZeitkonto->zeitkontoTable()->post();
    });
}

void TFormPers::cancelPendingEdit()
{
    runGuarded(this, [this] {
        tblPersonal->cancel();
        tsZeitkonto->zeitkontoTable()->cancel();
    });
}

// ------------------------------------------------------------------ keys

bool TFormPers::FormKeyPress(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    const bool editing = tblPersonal->isEditing() || tsZeitkonto->zeitkontoTable()->isEditing();
    if (key == Qt::Key_F5) {
        btnPageSwitchClick();
        return true;
    }
    if (key == Qt::Key_F6) {
        btnAccountClick();
        return true;
    }
    if (modifiers == Qt::ControlModifier) {
        switch (key) {
        case Qt::Key_S:
            if (!editing)
                return false;
            storePendingEdits();
            return true;
        case Qt::Key_N:
            if (accountPageShown())
                tsZeitkonto->btnInsertClick();
            else
                btnInsertClick();
            return true;
        case Qt::Key_C:
            if (!editing)
                return false;
            cancelPendingEdit();
            return true;
        case Qt::Key_L:
            if (editing)
                return false;
            if (accountPageShown())
                tsZeitkonto->btnDeleteClick();
            else
                btnDeleteClick();
            return true;
        case Qt::Key_P:
            btnPrintClick();
            return true;
        default:
            return false;
        }
    }
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if ((enter || key == Qt::Key_Down) && modifiers == Qt::NoModifier) {
        moveFocus(this, true, enter);
        return true;
    }
    if ((enter && modifiers == Qt::ShiftModifier) || key == Qt::Key_Up) {
        moveFocus(this, false, enter);
        return true;
    }
    return false;
}

} // namespace tk
