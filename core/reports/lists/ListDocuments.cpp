#include "core/reports/lists/ListDocuments.h"

#include <algorithm>

#include "core/common/Errors.h"
#include "core/db/Table.h"
#include "core/recording/TimeRecordingTables.h"
#include "core/reports/lists/ChangeLogList.h"
#include "core/reports/lists/EmployeeSheets.h"
#include "core/reports/lists/GrossWageList.h"
#include "core/reports/lists/LawCheckList.h"
#include "core/reports/lists/ListTexts.h"
#include "core/reports/lists/MonthOverviewList.h"
#include "core/reports/lists/MonthSheetDetail.h"
#include "core/reports/lists/MonthSheetSummary.h"
#include "core/reports/lists/PersonnelList.h"
#include "core/reports/lists/ShiftPlanList.h"
#include "core/reports/lists/TimeAccountList.h"

namespace tk {

namespace {

struct KindName
{
    ListKind kind;
    const char *name;
};

const KindName KindNames[] = {
    {ListKind::Summen, "summen"},         {ListKind::Detail, "detail"},
    {ListKind::Bruttolohn, "bruttolohn"}, {ListKind::Schichtplan, "schichtplan"},
    {ListKind::Personal, "personal"},     {ListKind::Zeitkonto, "zeitkonto"},
    {ListKind::Arbzg, "arbzg"},           {ListKind::Uebersicht, "uebersicht"},
    {ListKind::Protokoll, "protokoll"}};

QVector<ReportDocument> monthlySheets(const ListRequest &request, QStringList *notes)
{
    // The time recording tables as the window selects a period with them, so that no table
    // of day records or time entries is ever read whole.
    TimeRecordingTables tables;
    tables.open();
    Table &personal = tables.personal;
    QVector<ReportDocument> documents;
    if (request.oneEmployee) {
        if (!personal.findKey({request.employee}))
            throw DbError(
                QStringLiteral("Personal-Nr. %1 ist nicht vorhanden.").arg(request.employee));
        const DatePeriod period = SelectEmployeePeriod(tables, request.month, request.year, notes);
        documents.append(MakeEmployeeSheet(request.kind, personal, period)->generate());
    } else {
        ForEachEmployeeSheet(
            tables, request.kind, request.month, request.year, notes, [] { return true; },
            [&documents](MonthSheet &sheet) {
                documents.append(sheet.generate());
                return true;
            });
    }
    return documents;
}

template <class List>
ReportDocument monthList(const ListRequest &request)
{
    List list;
    list.setMonth(QDate(request.year, request.month, 1));
    return list.generate();
}

ReportDocument otherList(const ListRequest &request)
{
    switch (request.kind) {
    case ListKind::Bruttolohn:
        return monthList<TReportAusw03>(request);
    case ListKind::Zeitkonto:
        return monthList<TimeAccountList>(request);
    case ListKind::Arbzg:
        return monthList<LawCheckList>(request);
    case ListKind::Uebersicht:
        return monthList<MonthOverviewList>(request);
    case ListKind::Protokoll: {
        ChangeLogList list;
        list.setMonth(QDate(request.year, request.month, 1));
        list.setEmployee(request.oneEmployee ? request.employee : 0);
        return list.generate();
    }
    case ListKind::Schichtplan:
        return TReportSchi01().generate();
    case ListKind::Personal:
        return TReportPers01().generate();
    default:
        return ReportDocument();
    }
}

} // namespace

bool ParseListKind(const QString &text, ListKind *kind)
{
    for (const KindName &entry : KindNames) {
        if (text.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0) {
            *kind = entry.kind;
            return true;
        }
    }
    return false;
}

QString ListKindName(ListKind kind)
{
    for (const KindName &entry : KindNames) {
        if (entry.kind == kind)
            return QLatin1String(entry.name);
    }
    return QString();
}

bool IsMonthlySheet(ListKind kind)
{
    return kind == ListKind::Summen || kind == ListKind::Detail;
}

bool NeedsMonth(ListKind kind)
{
    return IsMonthlySheet(kind) || kind == ListKind::Bruttolohn || kind == ListKind::Zeitkonto
        || kind == ListKind::Arbzg || kind == ListKind::Uebersicht || kind == ListKind::Protokoll;
}

bool TakesEmployee(ListKind kind)
{
    return IsMonthlySheet(kind) || kind == ListKind::Protokoll;
}

std::unique_ptr<MonthSheet> MakeMonthSheet(ListKind kind)
{
    if (kind == ListKind::Detail)
        return std::make_unique<TReportAusw02>();
    return std::make_unique<TReportAusw01>();
}

QVector<ReportDocument> GenerateListDocuments(const ListRequest &request, QStringList *notes)
{
    QVector<ReportDocument> documents = IsMonthlySheet(request.kind)
        ? monthlySheets(request, notes)
        : QVector<ReportDocument>{otherList(request)};
    documents.erase(std::remove_if(documents.begin(), documents.end(),
                                   [](const ReportDocument &d) { return d.pages.isEmpty(); }),
                    documents.end());
    return documents;
}

} // namespace tk
