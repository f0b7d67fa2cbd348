#include "core/reports/lists/ListDocuments.h"

#include <algorithm>

#include "core/common/Errors.h"
#include "core/db/Table.h"
#include "core/recording/PeriodSelection.h"
#include "core/recording/TimeRecordingTables.h"
#include "core/reports/lists/GrossWageList.h"
#include "core/reports/lists/ListTexts.h"
#include "core/reports/lists/MonthSheetDetail.h"
#include "core/reports/lists/MonthSheetSummary.h"
#include "core/reports/lists/PersonnelList.h"
#include "core/reports/lists/ShiftPlanList.h"

namespace tk {

namespace {

struct KindName
{
    ListKind kind;
    const char *name;
};

const KindName KindNames[] = {{ListKind::Summen, "summen"},
                              {ListKind::Detail, "detail"},
                              {ListKind::Bruttolohn, "bruttolohn"},
                              {ListKind::Schichtplan, "schichtplan"},
                              {ListKind::Personal, "personal"}};

// The time recording tables as the window selects a period with them, so that no table of
// day records or time entries is ever read whole.
class PeriodSelector
{
public:
    PeriodSelector() { m_tables.open(); }

    Table &personal() { return m_tables.personal; }

    // Creates the current employee's missing day records of the evaluation period; notes
    // those a read-only database cannot take.
    DatePeriod select(int month, int year, QStringList *notes)
    {
        const int number = m_tables.personal.field(QStringLiteral("PersonalNummer")).asInteger();
        const DatePeriod period = SelectEvaluationPeriod(m_tables.evaluation, month, year, 0);
        const qint64 missing = period.from.daysTo(period.to) + 1 - m_tables.auswert.recordCount();
        if (missing > 0 && notes)
            *notes << QStringLiteral("Personal-Nr. %1: %2 fehlende Tage können nicht angelegt "
                                     "werden, weil die Datenbank schreibgeschützt ist; "
                                     "gedruckt wird, was vorhanden ist.")
                          .arg(QString::number(number), QString::number(missing));
        return period;
    }

private:
    TimeRecordingTables m_tables;
};

ReportDocument sheetDocument(ListKind kind, Table &personal, const DatePeriod &days)
{
    std::unique_ptr<MonthSheet> sheet = MakeMonthSheet(kind);
    sheet->setKeyRange(personal.field(QStringLiteral("PersonalNummer")).asInteger(), days.from,
                       days.to);
    sheet->setEmployeeCaption(EmployeeCaption(personal));
    sheet->setPeriod(days.from, days.to);
    return sheet->generate();
}

QVector<ReportDocument> monthlySheets(const ListRequest &request, QStringList *notes)
{
    PeriodSelector selector;
    Table &personal = selector.personal();
    QVector<ReportDocument> documents;
    if (request.oneEmployee) {
        if (!personal.findKey({request.employee}))
            throw DbError(
                QStringLiteral("Personal-Nr. %1 ist nicht vorhanden.").arg(request.employee));
        const DatePeriod period = selector.select(request.month, request.year, notes);
        documents.append(sheetDocument(request.kind, personal, period));
    } else {
        const QDate first(request.year, request.month, 1);
        const DatePeriod month{first, first.addDays(first.daysInMonth() - 1)};
        for (personal.first(); !personal.isEmpty() && !personal.eof(); personal.next()) {
            selector.select(request.month, request.year, notes);
            documents.append(sheetDocument(request.kind, personal, month));
        }
    }
    return documents;
}

ReportDocument otherList(const ListRequest &request)
{
    switch (request.kind) {
    case ListKind::Bruttolohn: {
        TReportAusw03 list;
        list.setMonth(QDate(request.year, request.month, 1));
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
    return IsMonthlySheet(kind) || kind == ListKind::Bruttolohn;
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
