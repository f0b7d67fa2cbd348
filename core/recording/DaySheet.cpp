#include "core/recording/DaySheet.h"

#include "core/common/Errors.h"
#include "core/db/Database.h"
#include "core/db/Table.h"
#include "core/recording/DayEvaluation.h"
#include "core/recording/MonthClosing.h"

namespace tk {

namespace {

// A failed post leaves no record half-edited behind: the table goes back to browsing.
void postOrCancel(Table *table)
{
    try {
        table->post();
    } catch (...) {
        try {
            table->cancel();
        } catch (...) {
        }
        throw;
    }
}

TimeEntry entryAt(const Table *table, int row)
{
    TimeEntry entry;
    entry.von = table->valueAt(row, table->fieldIndex(QStringLiteral("Von"))).toInt();
    entry.bis = table->valueAt(row, table->fieldIndex(QStringLiteral("Bis"))).toInt();
    entry.kennung = table->valueAt(row, table->fieldIndex(QStringLiteral("Kennung"))).toString();
    return entry;
}

} // namespace

DaySheet::DaySheet(DayEvaluation &evaluation)
    : m_evaluation(evaluation)
    , m_auswert(evaluation.auswert())
    , m_auswPos(evaluation.auswPos())
{
}

bool DaySheet::hasCurrentDay() const
{
    Table *personal = m_evaluation.personal();
    return personal->isOpen() && personal->currentRow() >= 0 && m_auswert->isOpen()
        && m_auswert->currentRow() >= 0 && !m_auswert->isEditing();
}

bool DaySheet::canEdit() const
{
    return hasCurrentDay() && m_auswPos->isOpen() && !m_auswPos->isReadOnly()
        && !m_auswPos->isEditing();
}

QDate DaySheet::currentDate() const
{
    return m_auswert->field(QStringLiteral("Datum")).asDate();
}

int DaySheet::currentShiftPlan() const
{
    return m_auswert->field(QStringLiteral("Schicht")).asInteger();
}

QString DaySheet::employeeName() const
{
    Table *personal = m_evaluation.personal();
    return personal->field(QStringLiteral("Vorname")).asString() + QLatin1Char(' ')
        + personal->field(QStringLiteral("Name")).asString();
}

TimeEntry DaySheet::ProposeNewEntry()
{
    const QDate date = currentDate();
    const int shiftPlan = currentShiftPlan();
    TimeEntry proposal;
    // Read without moving, so that the selected entry stays selected.
    if (!m_auswPos->isEmpty())
        proposal.von = entryAt(m_auswPos, m_auswPos->recordCount() - 1).bis;
    // Nothing follows an entry that ends at midnight on its day: start as on an empty day.
    if (m_auswPos->isEmpty() || proposal.von >= 24 * 60)
        proposal.von = m_evaluation.GetPlanStart(shiftPlan, date);
    proposal.bis = m_evaluation.GetPlanEnd(shiftPlan, date);
    return proposal;
}

QList<TimeEntry> DaySheet::DayEntries() const
{
    QList<TimeEntry> entries;
    for (int row = 0; row < m_auswPos->recordCount(); ++row)
        entries << entryAt(m_auswPos, row);
    return entries;
}

bool DaySheet::hasSelectedEntry() const
{
    return m_auswPos->isOpen() && m_auswPos->currentRow() >= 0;
}

TimeEntry DaySheet::SelectedEntry() const
{
    return entryAt(m_auswPos, m_auswPos->currentRow());
}

DayFit DaySheet::CheckFitsRows(int rowCount, TimeEntry *offending) const
{
    const QList<TimeEntry> entries = DayEntries();
    if (entries.size() > rowCount)
        return DayFit::TooManyEntries;
    for (const TimeEntry &entry : entries) {
        if (entry.bis <= entry.von) {
            if (offending)
                *offending = entry;
            return DayFit::EntryNotAfter;
        }
    }
    return DayFit::Whole;
}

void DaySheet::writeEntry(const TimeEntry &entry)
{
    m_auswPos->field(QStringLiteral("Von")).setAsInteger(entry.von);
    m_auswPos->field(QStringLiteral("Bis")).setAsInteger(entry.bis);
    // The gross span, with no break deduction and no turn past midnight.
    m_auswPos->field(QStringLiteral("Summe")).setAsInteger(entry.bis - entry.von);
    m_auswPos->field(QStringLiteral("Kennung")).setAsString(entry.kennung);
}

void DaySheet::postEntry()
{
    postOrCancel(m_auswPos);
}

void DaySheet::reevaluateCurrentDay()
{
    m_evaluation.EvaluateDay(1, currentDate());
}

void DaySheet::requireOpenDay() const
{
    RequireOpenDay(m_auswert->field(QStringLiteral("PersonalNummer")).asInteger(), currentDate());
}

void DaySheet::AppendEntry(const TimeEntry &entry)
{
    requireOpenDay();
    m_auswPos->append(); // takes PersonalNummer and Datum from the current day record
    writeEntry(entry);
    postEntry();
    reevaluateCurrentDay();
}

void DaySheet::ChangeSelectedEntry(const TimeEntry &entry)
{
    if (!hasSelectedEntry())
        return;
    requireOpenDay();
    m_auswPos->edit();
    writeEntry(entry);
    postEntry();
    reevaluateCurrentDay();
}

void DaySheet::ReplaceDayEntries(const QList<TimeEntry> &rows)
{
    requireOpenDay();
    retryTransaction(RetryOn::Conflict, [&] { replaceOnce(rows); });
}

void DaySheet::replaceOnce(const QList<TimeEntry> &rows)
{
    const QDate date = currentDate();
    try {
        // All or nothing: a failure half-way must not leave the day without its old entries.
        WriteBatch batch(WriteBatch::AllOrNothing);
        {
            // The entry grid shows the new entries once, not every step of the replacement.
            SuspendedControls suspended(m_auswPos);
            m_auswPos->first();
            while (!m_auswPos->isEmpty())
                m_auswPos->remove();
            for (const TimeEntry &row : rows) {
                if (row.bis - row.von <= 0)
                    continue; // a row whose to time is not after its from time is empty
                m_auswPos->append();
                writeEntry(row);
                postEntry();
            }
            suspended.release();
        }
        m_evaluation.EvaluateDay(1, date);
        batch.commit();
    } catch (...) {
        // The transaction was taken back: show the stored entries and sums again.
        m_auswPos->cancel();
        m_auswert->cancel();
        m_auswert->refresh();
        m_auswPos->refresh();
        throw;
    }
}

void DaySheet::DeleteSelectedEntry()
{
    if (!hasSelectedEntry())
        return;
    requireOpenDay();
    m_auswPos->remove();
    reevaluateCurrentDay();
}

bool DaySheet::ChangeShiftPlan(int shiftPlan)
{
    if (shiftPlan == currentShiftPlan())
        return false;
    requireOpenDay();
    const QDate date = currentDate();
    retryTransaction(RetryOn::Conflict, [&] {
        WriteBatch batch;
        m_auswert->edit();
        m_auswert->field(QStringLiteral("Schicht")).setAsInteger(shiftPlan);
        postOrCancel(m_auswert);
        m_evaluation.EvaluateDay(1, date);
        batch.commit();
    });
    return true;
}

} // namespace tk
