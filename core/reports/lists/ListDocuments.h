#pragma once

#include "core/reports/engine/ReportPage.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

namespace tk {

class MonthSheet;

// The lists by the names the command line knows them.
enum class ListKind {
    Summen,
    Detail,
    Bruttolohn,
    Schichtplan,
    Personal,
    Zeitkonto,
    Arbzg,
    Uebersicht,
    Protokoll
};

// "summen", "detail", "bruttolohn", "schichtplan", "personal", "zeitkonto", "arbzg",
// "uebersicht", "protokoll" (any case); false otherwise.
bool ParseListKind(const QString &text, ListKind *kind);
QString ListKindName(ListKind kind);
// The monthly sheets need a month; the register lists do not.
bool IsMonthlySheet(ListKind kind);
bool NeedsMonth(ListKind kind);
// The lists one employee may be chosen for: the monthly sheets and the change log.
bool TakesEmployee(ListKind kind);

// A new summary (Summen) or detail sheet (Detail) with its own tables opened.
std::unique_ptr<MonthSheet> MakeMonthSheet(ListKind kind);

// What to produce: a list, its month and, for the monthly sheets, one employee or all.
struct ListRequest
{
    ListKind kind = ListKind::Summen;
    int month = 0;
    int year = 0;
    int employee = 0; // PersonalNummer, when oneEmployee
    bool oneEmployee = false;
};

// The pages of a list, on the database the process points at, as the program's commands
// produce them:
// - a monthly sheet for one employee covers the employee's evaluation period, as the
//   preview of the time recording window does;
// - the monthly sheets of all employees cover the calendar month, one document per
//   employee in PersonalNummer order, as the print run does.
// For the monthly sheets the day records missing in each employee's evaluation period are
// created first, as the time recording window's selection does; on a database open for
// reading only they cannot be, and each employee lacking some gets a line in notes (when
// given) while the sheet shows the records there are. Throws DbError (also for an unknown
// employee) and DateEncodingError (an employee whose period cannot be formed).
// Documents without pages are left out.
QVector<ReportDocument> GenerateListDocuments(const ListRequest &request,
                                              QStringList *notes = nullptr);

} // namespace tk
