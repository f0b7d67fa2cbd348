#pragma once

#include <QStringList>

#include <functional>
#include <memory>

#include "core/common/DatePeriod.h"

namespace tk {

class MonthSheet;
class Table;
class TimeRecordingTables;
enum class ListKind;

// The current employee's summary (Summen) or detail sheet (Detail) over days, captioned
// with the employee.
std::unique_ptr<MonthSheet> MakeEmployeeSheet(ListKind kind, Table &personal,
                                              const DatePeriod &days);

// Selects the current employee's evaluation period of month/year as the time recording
// window does: the missing day records are created. When the database is read only and
// cannot take them, notes gets a line naming the employee (notes may be null).
DatePeriod SelectEmployeePeriod(TimeRecordingTables &tables, int month, int year,
                                QStringList *notes);

// The one loop over the employees that the print run and the command line share: for every
// employee in PersonalNummer order, while goOn() holds, the evaluation period is selected
// and the sheet over the calendar month handed to sheet (which generates it and says whether
// to go on). Throws at the first employee whose period cannot be formed or stored; the
// employee table then stays on that employee.
void ForEachEmployeeSheet(TimeRecordingTables &tables, ListKind kind, int month, int year,
                          QStringList *notes, const std::function<bool()> &goOn,
                          const std::function<bool(MonthSheet &sheet)> &sheet);

} // namespace tk
