#include "gui/reports/ListCommands.h"

#include "core/reports/lists/MonthOverviewList.h"
#include "core/reports/lists/PersonnelList.h"
#include "core/reports/lists/ShiftPlanList.h"
#include "gui/reports/ReportPreview.h"
#include "gui/widgets/ErrorGuard.h"

namespace tk {

namespace {

std::function<void(Report &, QWidget *)> &listPreviewer()
{
    static std::function<void(Report &, QWidget *)> previewer;
    return previewer;
}

void show(Report &report, QWidget *parent)
{
    if (listPreviewer())
        listPreviewer()(report, parent);
    else
        previewReport(report, parent);
}

} // namespace

void previewPersonnelList(QWidget *parent)
{
    runGuarded(parent, [parent] {
        TReportPers01 list;
        show(list.report(), parent);
    });
}

void previewShiftPlanList(QWidget *parent)
{
    runGuarded(parent, [parent] {
        TReportSchi01 list;
        show(list.report(), parent);
    });
}

void previewMonthOverviewList(QWidget *parent, const QDate &firstDay)
{
    runGuarded(parent, [parent, &firstDay] {
        MonthOverviewList list;
        list.setMonth(firstDay);
        show(list.report(), parent);
    });
}

void setListPreviewer(std::function<void(Report &, QWidget *)> previewer)
{
    listPreviewer() = std::move(previewer);
}

} // namespace tk
