#include "core/recording/DayEvaluation.h"

#include <exception>

#include "core/db/Database.h"
#include "core/db/Table.h"

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

void restrictEntriesToDay(Table *auswPos, int personalNummer, const QDate &date)
{
    const QVariantList key{personalNummer, date};
    auswPos->setRange(key, key);
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
    return m_tagplan->field(QLatin1String(field)).asInteger();
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

PlanBreaks DayEvaluation::currentBreaks()
{
    PlanBreaks breaks;
    for (int k = 0; k < 3; ++k) {
        breaks[k].from = m_tagplan->field(QStringLiteral("PauseVon%1").arg(k + 1)).asInteger();
        breaks[k].to = m_tagplan->field(QStringLiteral("PauseBis%1").arg(k + 1)).asInteger();
    }
    return breaks;
}

void DayEvaluation::resetSums()
{
    SumTotal = SumNormal = SumKrank = SumUrlaub = SumFeiertag = SumUnbezahlt = 0;
}

void DayEvaluation::addToCodeSum(const QString &code, int minutes)
{
    // Only the first character counts, compared exactly: "n" or "X" add to no code sum.
    switch (code.isEmpty() ? QChar().unicode() : code.at(0).unicode()) {
    case u'N':
        SumNormal += minutes;
        break;
    case u'A':
        SumUnbezahlt += minutes;
        break;
    case u'F':
        SumFeiertag += minutes;
        break;
    case u'K':
        SumKrank += minutes;
        break;
    case u'U':
        SumUrlaub += minutes;
        break;
    default:
        break;
    }
}

int DayEvaluation::EvaluateEntries(int shiftPlan, const QDate &date)
{
    resetSums();
    m_auswPos->first();
    if (m_auswPos->eof())
        return 0;
    // Without a day plan for the weekday the entries are not counted at all.
    if (GetDayPlanNo(shiftPlan, date) == 0)
        return 0;
    const PlanBreaks breaks = currentBreaks();
    const Field von = m_auswPos->field(QStringLiteral("Von"));
    const Field bis = m_auswPos->field(QStringLiteral("Bis"));
    const Field kennung = m_auswPos->field(QStringLiteral("Kennung"));
    for (; !m_auswPos->eof(); m_auswPos->next()) {
        const int net = NetMinutes(von.asInteger(), bis.asInteger(), breaks);
        SumTotal += net;
        addToCodeSum(kennung.asString(), net);
    }
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

void DayEvaluation::createDayRecord(const Employee &employee, const QDate &date)
{
    m_auswert->append();
    m_auswert->field(QStringLiteral("PersonalNummer")).setAsInteger(employee.personalNummer);
    m_auswert->field(QStringLiteral("Datum")).setAsDate(date);
    m_auswert->field(QStringLiteral("Schicht")).setAsInteger(employee.shiftPlan);
    m_auswert->field(QStringLiteral("Soll"))
        .setAsInteger(GetTargetMinutes(employee.shiftPlan, date));
    m_auswert->field(QStringLiteral("Summe")).setAsInteger(0);
    m_auswert->post();
}

void DayEvaluation::reevaluateDayRecord(const Employee &employee, const QDate &date, bool givePlan)
{
    restrictEntriesToDay(m_auswPos, employee.personalNummer, date);
    Field schicht = m_auswert->field(QStringLiteral("Schicht"));
    int shiftPlan = schicht.asInteger();
    m_auswert->edit();
    if (givePlan && shiftPlan <= 0) {
        shiftPlan = employee.shiftPlan;
        schicht.setAsInteger(shiftPlan);
    }
    m_auswert->field(QStringLiteral("Soll")).setAsInteger(GetTargetMinutes(shiftPlan, date));
    m_auswert->field(QStringLiteral("Summe")).setAsInteger(EvaluateEntries(shiftPlan, date));
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
    EvaluationRun run(m_auswert, m_auswPos);
    // Day plans may have been changed by another window since they were read.
    m_tagplan->refresh();
    if (!m_auswert->findKey({employee.personalNummer, date}))
        createDayRecord(employee, date);
    else if (recalc == 1)
        reevaluateDayRecord(employee, date, false);
    run.finish();
}

PeriodOutcome DayEvaluation::EvaluatePeriod(qint16 recalc, const QDate &from, const QDate &to)
{
    PeriodOutcome outcome;
    Employee employee;
    if (!readEmployee(employee) || !from.isValid() || !to.isValid())
        return outcome;
    EvaluationRun run(m_auswert, m_auswPos);
    m_tagplan->refresh();
    // Another program may have created days since they were read; inside the write
    // transaction the records read are the ones that stay.
    m_auswert->refresh();
    m_auswert->first();
    for (QDate date = from; date <= to; date = date.addDays(1)) {
        if (!m_auswert->findKey({employee.personalNummer, date})) {
            createDayRecord(employee, date);
            ++outcome.created;
        } else if (recalc == 1) {
            reevaluateDayRecord(employee, date, true);
            ++outcome.reevaluated;
        }
    }
    m_auswert->first();
    run.finish();
    return outcome;
}

} // namespace tk
