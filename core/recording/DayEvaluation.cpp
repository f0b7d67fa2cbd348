#include "core/recording/DayEvaluation.h"

#include <exception>

#include "core/common/ClockText.h"
#include "core/common/Errors.h"
#include "core/db/Database.h"
#include "core/db/Table.h"
#include "core/recording/MonthClosing.h"

namespace tk {

namespace {

// What an evaluation changes around its writes: one transaction, the bound controls of the
// day records and time entries suspended, and the time entries restricted to the day being
// read. finish() restores the tables on the normal path and lets a failure through; when an
// error unwinds instead, the destructor restores them and drops a half-made day record, so
// the first error is the one the operator sees.
class EvaluationRun
{
public:
    EvaluationRun(Table *auswert, Table *auswPos)
        : m_auswert(auswert)
        , m_auswPos(auswPos)
    {
        m_auswert->disableControls();
        m_auswPos->disableControls();
    }

    ~EvaluationRun()
    {
        if (m_finished)
            return;
        try {
            if (m_auswert->isEditing())
                m_auswert->cancel();
        } catch (...) {
        }
        try {
            restore();
        } catch (...) {
        }
    }

    EvaluationRun(const EvaluationRun &) = delete;
    EvaluationRun &operator=(const EvaluationRun &) = delete;

    void finish()
    {
        m_finished = true;
        restore();
        m_batch.commit();
    }

private:
    // Every step runs even when an earlier one fails; the first failure is raised.
    void restore()
    {
        std::exception_ptr failure;
        const auto attempt = [&failure](auto step) {
            try {
                step();
            } catch (...) {
                if (!failure)
                    failure = std::current_exception();
            }
        };
        attempt([this] {
            if (m_auswPos->isOpen() && m_auswPos->hasRange())
                m_auswPos->cancelRange();
        });
        attempt([this] { m_auswert->enableControls(); });
        attempt([this] { m_auswPos->enableControls(); });
        if (failure)
            std::rethrow_exception(failure);
    }

    WriteBatch m_batch; // first member: begins before the work, commits after the restore
    Table *m_auswert;
    Table *m_auswPos;
    bool m_finished = false;
};

void restrictEntries(Table *auswPos, int personalNummer, const QDate &from, const QDate &to)
{
    auswPos->setRange({personalNummer, from}, {personalNummer, to});
}

} // namespace

// ---------------------------------------------------------------- DayEvaluation

DayEvaluation::DayEvaluation(Table *personal, Table *auswert, Table *auswPos, Table *tagplan)
    : m_personal(personal)
    , m_auswert(auswert)
    , m_auswPos(auswPos)
    , m_tagplan(tagplan)
{
}

int DayEvaluation::GetDayPlanNo(int shiftPlan, const QDate &date)
{
    if (!date.isValid())
        return 0;
    const int dayPlan = date.dayOfWeek(); // Monday 1 .. Sunday 7, as the day plans count
    if (!m_tagplan->findKey({shiftPlan, dayPlan}))
        return 0;
    return m_tagplan->field(QStringLiteral("Tagesplan")).asInteger();
}

int DayEvaluation::dayPlanValue(int shiftPlan, const QDate &date, const char *field)
{
    if (GetDayPlanNo(shiftPlan, date) <= 0)
        return 0;
    return int(checkedMinutes(m_tagplan->field(QLatin1String(field)).value(), field, date));
}

int DayEvaluation::GetTargetMinutes(int shiftPlan, const QDate &date)
{
    return dayPlanValue(shiftPlan, date, "Sollstd");
}

int DayEvaluation::GetPlanStart(int shiftPlan, const QDate &date)
{
    return dayPlanValue(shiftPlan, date, "Von");
}

int DayEvaluation::GetPlanEnd(int shiftPlan, const QDate &date)
{
    return dayPlanValue(shiftPlan, date, "Bis");
}

qint64 DayEvaluation::checkedMinutes(const QVariant &stored, const char *field,
                                     const QDate &date) const
{
    bool fits = false;
    const qint64 minutes = Field::largeInt(stored, &fits);
    if (fits && FitsMinutes(minutes))
        return minutes;
    Employee employee;
    readEmployee(employee);
    throw UserError(QStringLiteral("Ungültiger Minutenwert %1 im Feld %2 bei Personal-Nr. %3 am "
                                   "%4: der Wert passt nicht in eine Minutenzahl und wird nicht "
                                   "verrechnet.")
                        .arg(stored.toString(), QLatin1String(field),
                             QString::number(employee.personalNummer), GermanDateText(date)));
}

std::optional<PlanBreaks> DayEvaluation::dayPlanBreaks(int shiftPlan, const QDate &date)
{
    // Without a day plan for the weekday the entries are not counted at all.
    if (GetDayPlanNo(shiftPlan, date) == 0)
        return std::nullopt;
    static const char *const bounds[3][2] = {
        {"PauseVon1", "PauseBis1"}, {"PauseVon2", "PauseBis2"}, {"PauseVon3", "PauseBis3"}};
    PlanBreaks breaks;
    for (int k = 0; k < 3; ++k) {
        breaks[k].from = checkedMinutes(m_tagplan->field(QLatin1String(bounds[k][0])).value(),
                                        bounds[k][0], date);
        breaks[k].to = checkedMinutes(m_tagplan->field(QLatin1String(bounds[k][1])).value(),
                                      bounds[k][1], date);
    }
    return breaks;
}

QVector<EntryTimes> DayEvaluation::readEntries(int first, int last, const QDate &date) const
{
    const int von = m_auswPos->fieldIndex(QStringLiteral("Von"));
    const int bis = m_auswPos->fieldIndex(QStringLiteral("Bis"));
    const int kennung = m_auswPos->fieldIndex(QStringLiteral("Kennung"));
    QVector<EntryTimes> entries;
    entries.reserve(last - first);
    for (int row = first; row < last; ++row) {
        const QVariant code = m_auswPos->valueAt(row, kennung);
        entries.append({checkedMinutes(m_auswPos->valueAt(row, von), "Von", date),
                        checkedMinutes(m_auswPos->valueAt(row, bis), "Bis", date),
                        code.isNull() ? QString() : code.toString()});
    }
    return entries;
}

void DayEvaluation::setSums(const DaySums &sums, const QDate &date)
{
    for (const qint64 sum :
         {sums.total, sums.normal, sums.krank, sums.urlaub, sums.feiertag, sums.unbezahlt}) {
        if (!FitsMinutes(sum))
            checkedMinutes(QString::number(sum), "Summe", date); // reports it
    }
    SumTotal = int(sums.total);
    SumNormal = int(sums.normal);
    SumKrank = int(sums.krank);
    SumUrlaub = int(sums.urlaub);
    SumFeiertag = int(sums.feiertag);
    SumUnbezahlt = int(sums.unbezahlt);
}

int DayEvaluation::EvaluateEntries(int shiftPlan, const QDate &date)
{
    const QVector<EntryTimes> entries = readEntries(0, m_auswPos->recordCount(), date);
    setSums(entries.isEmpty() ? DaySums() : evaluateDay(dayPlanBreaks(shiftPlan, date), entries),
            date);
    return SumTotal;
}

bool DayEvaluation::readEmployee(Employee &employee) const
{
    if (!m_personal->isOpen() || m_personal->currentRow() < 0)
        return false;
    employee.personalNummer = m_personal->field(QStringLiteral("PersonalNummer")).asInteger();
    employee.shiftPlan = m_personal->field(QStringLiteral("Schicht")).asInteger();
    return true;
}

// The new record becomes the current one, so that its entries follow it.
void DayEvaluation::createDayRecord(const Employee &employee, const QDate &date)
{
    const QVector<QVariant> values = newDayRecord(employee, date);
    m_auswert->append();
    for (int column = 0; column < values.size(); ++column) {
        if (!values.at(column).isNull())
            m_auswert->field(column).setValue(values.at(column));
    }
    m_auswert->post();
}

// A new day record: the employee's shift plan, the day plan's target, the total 0.
QVector<QVariant> DayEvaluation::newDayRecord(const Employee &employee, const QDate &date)
{
    QVector<QVariant> values(m_auswert->fieldCount());
    const auto set = [&](const char *field, const QVariant &value) {
        values[m_auswert->fieldIndex(QLatin1String(field))] = value;
    };
    set("PersonalNummer", qlonglong(employee.personalNummer));
    set("Datum", IsoDateText(date));
    set("Schicht", qlonglong(employee.shiftPlan));
    set("Soll", qlonglong(GetTargetMinutes(employee.shiftPlan, date)));
    set("Summe", qlonglong(0));
    return values;
}

void DayEvaluation::reevaluateDayRecord(const Employee &employee, const QDate &date, bool givePlan,
                                        const QVector<EntryTimes> &entries)
{
    Field schicht = m_auswert->field(QStringLiteral("Schicht"));
    const bool takesEmployeePlan = givePlan && schicht.asInteger() <= 0;
    const int shiftPlan = takesEmployeePlan ? employee.shiftPlan : schicht.asInteger();
    // Everything is computed before the record is touched: a value that cannot be evaluated
    // leaves the day record as it was.
    const int target = GetTargetMinutes(shiftPlan, date);
    setSums(entries.isEmpty() ? DaySums() : evaluateDay(dayPlanBreaks(shiftPlan, date), entries),
            date);
    m_auswert->edit();
    if (takesEmployeePlan)
        schicht.setAsInteger(shiftPlan);
    m_auswert->field(QStringLiteral("Soll")).setAsInteger(target);
    m_auswert->field(QStringLiteral("Summe")).setAsInteger(SumTotal);
    m_auswert->field(QStringLiteral("Anwesend")).setAsInteger(SumNormal);
    m_auswert->field(QStringLiteral("Krank")).setAsInteger(SumKrank);
    m_auswert->field(QStringLiteral("Urlaub")).setAsInteger(SumUrlaub);
    m_auswert->field(QStringLiteral("Feiertag")).setAsInteger(SumFeiertag);
    m_auswert->field(QStringLiteral("Unbezahlt")).setAsInteger(SumUnbezahlt);
    m_auswert->post();
}

void DayEvaluation::EvaluateDay(qint16 recalc, const QDate &date)
{
    Employee employee;
    if (!readEmployee(employee) || !date.isValid())
        return;
    if (recalc == 1)
        RequireOpenDay(employee.personalNummer, date);
    EvaluationRun run(m_auswert, m_auswPos);
    // Day plans may have been changed by another window since they were read.
    m_tagplan->refresh();
    if (!m_auswert->findKey({employee.personalNummer, date})) {
        createDayRecord(employee, date);
    } else if (recalc == 1) {
        restrictEntries(m_auswPos, employee.personalNummer, date, date);
        reevaluateDayRecord(employee, date, false, readEntries(0, m_auswPos->recordCount(), date));
    }
    run.finish();
}

PeriodOutcome DayEvaluation::EvaluatePeriod(qint16 recalc, const QDate &from, const QDate &to)
{
    PeriodOutcome outcome;
    Employee employee;
    if (!readEmployee(employee) || !from.isValid() || !to.isValid())
        return outcome;
    if (recalc == 1)
        RequireOpenPeriod(employee.personalNummer, {from, to});
    EvaluationRun run(m_auswert, m_auswPos);
    m_tagplan->refresh();
    // Another program may have created days since they were read; inside the write
    // transaction the records read are the ones that stay.
    m_auswert->refresh();
    // The period's entries are read once, in table order; the restriction also keeps the
    // entries from following every day record the loop moves to.
    restrictEntries(m_auswPos, employee.personalNummer, from, to);
    const int datum = m_auswPos->fieldIndex(QStringLiteral("Datum"));
    const auto entryDay = [&](int row) { return m_auswPos->valueAt(row, datum).toString(); };
    int entryRow = 0;
    QVector<QVector<QVariant>> missingDays;
    m_auswert->first();
    for (QDate date = from; date <= to; date = date.addDays(1)) {
        // The entries are ordered by date: those of this day follow any left before it.
        const QString day = IsoDateText(date);
        while (entryRow < m_auswPos->recordCount() && entryDay(entryRow) < day)
            ++entryRow;
        const int firstEntry = entryRow;
        while (entryRow < m_auswPos->recordCount() && entryDay(entryRow) == day)
            ++entryRow;
        if (!m_auswert->findKey({employee.personalNummer, date})) {
            missingDays << newDayRecord(employee, date);
            ++outcome.created;
        } else if (recalc == 1) {
            reevaluateDayRecord(employee, date, true, readEntries(firstEntry, entryRow, date));
            ++outcome.reevaluated;
        }
    }
    // All missing days in one go: a server stores them with one statement.
    m_auswert->appendRows(missingDays);
    m_auswert->first();
    run.finish();
    return outcome;
}

} // namespace tk
