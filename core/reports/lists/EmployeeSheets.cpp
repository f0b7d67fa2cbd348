#include "core/reports/lists/EmployeeSheets.h"

#include "core/db/Table.h"
#include "core/recording/PeriodSelection.h"
#include "core/recording/TimeRecordingTables.h"
#include "core/reports/lists/ListDocuments.h"
#include "core/reports/lists/ListTexts.h"
#include "core/reports/lists/MonthSheet.h"

namespace tk {

std::unique_ptr<MonthSheet> MakeEmployeeSheet(ListKind kind, Table &personal,
                                              const DatePeriod &days)
{
    std::unique_ptr<MonthSheet> sheet = MakeMonthSheet(kind);
    sheet->setKeyRange(personal.field(QStringLiteral("PersonalNummer")).asInteger(), days.from,
                       days.to);
    sheet->setEmployeeCaption(EmployeeCaption(personal));
    sheet->setPeriod(days.from, days.to);
    return sheet;
}

DatePeriod SelectEmployeePeriod(TimeRecordingTables &tables, int month, int year,
                                QStringList *notes)
{
    const int number = tables.personal.field(QStringLiteral("PersonalNummer")).asInteger();
    const DatePeriod period = SelectEvaluationPeriod(tables.evaluation, month, year, 0);
    const qint64 missing = period.from.daysTo(period.to) + 1 - tables.auswert.recordCount();
    if (missing > 0 && notes)
        *notes << QStringLiteral("Personal-Nr. %1: %2 fehlende Tage können nicht angelegt "
                                 "werden, weil die Datenbank schreibgeschützt ist; "
                                 "gedruckt wird, was vorhanden ist.")
                      .arg(QString::number(number), QString::number(missing));
    return period;
}

void ForEachEmployeeSheet(TimeRecordingTables &tables, ListKind kind, int month, int year,
                          QStringList *notes, const std::function<bool()> &goOn,
                          const std::function<bool(MonthSheet &sheet)> &sheet)
{
    const QDate first(year, month, 1);
    const DatePeriod calendarMonth{first, first.addDays(first.daysInMonth() - 1)};
    Table &personal = tables.personal;
    for (personal.first(); !personal.isEmpty() && !personal.eof() && goOn(); personal.next()) {
        SelectEmployeePeriod(tables, month, year, notes);
        if (!sheet(*MakeEmployeeSheet(kind, personal, calendarMonth)))
            return;
    }
}

} // namespace tk
