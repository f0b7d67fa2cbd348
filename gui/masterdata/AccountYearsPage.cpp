#include "gui/masterdata/AccountYearsPage.h"

#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

#include "core/db/Table.h"
#include "core/db/TableChanges.h"
#include "core/recording/AccountYears.h"
#include "core/recording/TimeAccount.h"
#include "gui/masterdata/BalanceChart.h"
#include "gui/widgets/DbCalcEdit.h"
#include "gui/widgets/DbGrid.h"
#include "gui/widgets/DbNavigator.h"
#include "gui/widgets/ErrorGuard.h"
#include "gui/widgets/FormTools.h"
#include "gui/widgets/MessageBoxes.h"
#include "gui/widgets/NumberPrompt.h"
#include "gui/widgets/PendingInput.h"

namespace tk {

namespace {

DbCalcEdit *figureEdit(QWidget *parent, Table *table, const char *field)
{
    auto *edit = new DbCalcEdit(parent);
    edit->setObjectName(QStringLiteral("ed") + QLatin1String(field));
    edit->setDataSource(table);
    edit->setDataField(QLatin1String(field));
    edit->setFixedWidth(14 * edit->fontMetrics().horizontalAdvance(QLatin1Char('0')));
    return edit;
}

void formatAccountCell(const QString &field, const QVariant &value, CellStyle &style)
{
    style.alignment = Qt::AlignRight | Qt::AlignVCenter;
    if (value.isNull() || field == QLatin1String("Jahr"))
        return;
    if (field == QLatin1String("SaldoVortrag"))
        style.text = AccountHoursText(Field::largeInt(value));
    else
        style.text = AccountDaysText(value.toDouble());
}

} // namespace

AccountYearsPage::AccountYearsPage(Table *personal, QWidget *parent)
    : QWidget(parent)
    , tblPersonal(personal)
    , tblZeitkonto(
          new Table(QStringLiteral("Zeitkonto"), QStringLiteral("PersonalNummer;Jahr"), this))
{
    setObjectName(QStringLiteral("tsZeitkonto"));
    tblZeitkonto->setMaster(tblPersonal, {QStringLiteral("PersonalNummer")},
                            {QStringLiteral("PersonalNummer")});
    tblZeitkonto->setPostCheck([this] { CheckAccountYear(*tblZeitkonto); });
    TableChanges::follow(tblZeitkonto);
    buildControls();
    connect(tblPersonal, &Table::recordChanged, this, [this](const QString &field) {
        showEmployee();
        if (field.isEmpty() && isVisible())
            showBalances();
    });
    connect(tblZeitkonto, &Table::viewChanged, this, [this] {
        if (isVisible())
            showBalances(); // a carried balance changed
    });
    connect(tblZeitkonto, &Table::recordChanged, this, [this] {
        const bool row = tblZeitkonto->currentRow() >= 0 || tblZeitkonto->isEditing();
        laJahr->setText(row ? tblZeitkonto->field(QStringLiteral("Jahr")).asString() : QString());
    });
}

DbNavigator *AccountYearsPage::buildNavigator()
{
    dbNavZeitkonto = new DbNavigator(tblZeitkonto,
                                     {DbNavigator::First, DbNavigator::Prior, DbNavigator::Next,
                                      DbNavigator::Last, DbNavigator::Insert, DbNavigator::Delete,
                                      DbNavigator::Post, DbNavigator::Cancel},
                                     this);
    dbNavZeitkonto->setObjectName(QStringLiteral("dbNavZeitkonto"));
    dbNavZeitkonto->setHint(DbNavigator::Insert, QStringLiteral("Neues Jahr"));
    dbNavZeitkonto->setAction(DbNavigator::Insert, [this] { btnInsertClick(); });
    dbNavZeitkonto->setAction(DbNavigator::Delete, [this] { btnDeleteClick(); });
    return dbNavZeitkonto;
}

void AccountYearsPage::buildControls()
{
    laKontoName = new QLabel(this);
    laKontoName->setObjectName(QStringLiteral("laKontoName"));
    QFont bold = laKontoName->font();
    bold.setBold(true);
    laKontoName->setFont(bold);

    grdZeitkonto = new DbGrid(tblZeitkonto,
                              {{QStringLiteral("Jahr"), QStringLiteral("Jahr")},
                               {QStringLiteral("SaldoVortrag"), QStringLiteral("Saldo Vortrag")},
                               {QStringLiteral("Urlaubsanspruch"), QStringLiteral("Anspruch")},
                               {QStringLiteral("UrlaubVortrag"), QStringLiteral("Urlaub Vortrag")}},
                              this);
    grdZeitkonto->setObjectName(QStringLiteral("grdZeitkonto"));
    grdZeitkonto->setCellFormatter(
        [](int, const QString &field, const QVariant &value, CellStyle &style) {
            formatAccountCell(field, value, style);
        });
    grdZeitkonto->horizontalHeader()->setStretchLastSection(true);

    laJahr = new QLabel(this);
    laJahr->setObjectName(QStringLiteral("laJahr"));
    laJahr->setFont(bold);
    edSaldoVortrag = figureEdit(this, tblZeitkonto, "SaldoVortrag");
    edSaldoVortrag->setUnitsPerValue(60); // minutes stored, hours typed
    edUrlaubsanspruch = figureEdit(this, tblZeitkonto, "Urlaubsanspruch");
    edUrlaubVortrag = figureEdit(this, tblZeitkonto, "UrlaubVortrag");

    auto *fields = new QGridLayout;
    const auto row = [&](int at, const QString &caption, QWidget *control, const QString &unit) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(control);
        fields->addWidget(label, at, 0);
        fields->addWidget(control, at, 1);
        fields->addWidget(new QLabel(unit, this), at, 2);
    };
    fields->addWidget(new QLabel(QStringLiteral("Jahr:"), this), 0, 0);
    fields->addWidget(laJahr, 0, 1);
    row(1, QStringLiteral("Saldo &Vortrag:"), edSaldoVortrag, QStringLiteral("Std."));
    row(2, QStringLiteral("&Urlaubsanspruch:"), edUrlaubsanspruch, QStringLiteral("Tage"));
    row(3, QStringLiteral("Urlaub V&ortrag:"), edUrlaubVortrag, QStringLiteral("Tage"));
    fields->setRowStretch(4, 1);

    auto *body = new QHBoxLayout;
    body->addWidget(grdZeitkonto, 1);
    body->addSpacing(12);
    body->addLayout(fields);

    chSaldo = new BalanceChart(this);
    auto *chartCaption = new QLabel(
        QStringLiteral("Saldo der letzten 12 Zeiträume (Balken) und Saldo danach (Linie):"), this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(laKontoName);
    layout->addWidget(buildNavigator(), 0, Qt::AlignLeft);
    layout->addLayout(body, 1);
    layout->addWidget(chartCaption);
    layout->addWidget(chSaldo, 1);
}

QList<QWidget *> AccountYearsPage::focusOrder() const
{
    QList<QWidget *> order{grdZeitkonto, edSaldoVortrag, edUrlaubsanspruch, edUrlaubVortrag};
    order << navigatorButtons(dbNavZeitkonto);
    return order;
}

bool AccountYearsPage::openTable(QWidget *window)
{
    return openTableOrReport(window, tblZeitkonto,
                             QStringLiteral("Kann Zeitkonto-Datei nicht öffnen !"));
}

void AccountYearsPage::showEmployee()
{
    const bool row = tblPersonal->isOpen() && tblPersonal->currentRow() >= 0;
    laKontoName->setText(
        row ? QStringLiteral("Zeitkonto von Personal-Nr. %1  %2 %3")
                  .arg(tblPersonal->field(QStringLiteral("PersonalNummer")).asString(),
                       tblPersonal->field(QStringLiteral("Vorname")).asString(),
                       tblPersonal->field(QStringLiteral("Name")).asString())
            : QString());
}

void AccountYearsPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    showBalances();
}

void AccountYearsPage::showBalances()
{
    QVector<PeriodBalance> history;
    if (tblPersonal->isOpen() && tblPersonal->currentRow() >= 0) {
        const int number = tblPersonal->field(QStringLiteral("PersonalNummer")).asInteger();
        runGuarded(this, [&] { history = BalanceHistory(number, QDate::currentDate()); });
    }
    chSaldo->setHistory(history);
}

int AccountYearsPage::proposedYear()
{
    if (tblZeitkonto->isEmpty())
        return QDate::currentDate().year();
    tblZeitkonto->last();
    return tblZeitkonto->field(QStringLiteral("Jahr")).asInteger() + 1;
}

void AccountYearsPage::btnInsertClick()
{
    if (!tblZeitkonto->isOpen() || tblPersonal->currentRow() < 0)
        return;
    runGuarded(this, [this] {
        commitFocusedInput(window());
        if (tblZeitkonto->isEditing())
            tblZeitkonto->post();
        const std::optional<int> year = NumberPrompt::ask(this, QStringLiteral("Neues Jahr"),
                                                          QStringLiteral("Jahr:"), proposedYear());
        if (!year)
            return;
        if (tblZeitkonto->findKey(
                {tblPersonal->field(QStringLiteral("PersonalNummer")).asInteger(), *year})) {
            showError(this, QStringLiteral("Das Jahr %1 ist schon angelegt.").arg(*year));
            return;
        }
        const int number = tblPersonal->field(QStringLiteral("PersonalNummer")).asInteger();
        const YearCarry carry = CarryIntoYear(number, *year);
        tblZeitkonto->append();
        tblZeitkonto->field(QStringLiteral("Jahr")).setAsInteger(*year);
        tblZeitkonto->field(QStringLiteral("SaldoVortrag")).setValue(carry.balance);
        tblZeitkonto->field(QStringLiteral("Urlaubsanspruch")).setAsFloat(carry.entitlement);
        tblZeitkonto->field(QStringLiteral("UrlaubVortrag")).setAsFloat(carry.vacation);
        tblZeitkonto->post();
        edSaldoVortrag->setFocus(Qt::OtherFocusReason);
        edSaldoVortrag->selectAll();
    });
}

void AccountYearsPage::btnDeleteClick()
{
    if (!tblZeitkonto->isOpen() || tblZeitkonto->isEmpty() || tblZeitkonto->isEditing())
        return;
    if (!confirmOkCancel(this, QStringLiteral("Datensatz löschen?")))
        return;
    runGuarded(this, [this] { tblZeitkonto->remove(); });
}

} // namespace tk
