#include "core/db/DayPlanCopy.h"

#include <QStringList>

#include "core/db/Database.h"
#include "core/db/Table.h"
#include "core/db/TableChanges.h"

namespace tk {

namespace {

const QStringList &copiedColumns()
{
    static const QStringList columns{
        QStringLiteral("Von"),       QStringLiteral("Bis"),       QStringLiteral("PauseVon1"),
        QStringLiteral("PauseBis1"), QStringLiteral("PauseVon2"), QStringLiteral("PauseBis2"),
        QStringLiteral("PauseVon3"), QStringLiteral("PauseBis3"), QStringLiteral("Sollstd"),
        QStringLiteral("Ueberstd1"), QStringLiteral("Ueberstd2"), QStringLiteral("Ueberstd3")};
    return columns;
}

} // namespace

void copyDayPlan(int shiftPlan, int fromDay, const QList<int> &toDays)
{
    const QStringList &columns = copiedColumns();
    Query source;
    source.setSql(QStringLiteral("SELECT %1 FROM Tagplan WHERE Schichtplan = ? AND Tagesplan = ?")
                      .arg(columns.join(QStringLiteral(", "))));
    source.open({shiftPlan, fromDay});
    if (source.rowCount() == 0)
        return;
    QVariantList binds;
    for (int c = 0; c < columns.size(); ++c)
        binds << source.value(0, c);
    Query update;
    update.setSql(
        QStringLiteral("UPDATE Tagplan SET %1 = ? WHERE Schichtplan = ? AND Tagesplan = ?")
            .arg(columns.join(QStringLiteral(" = ?, "))));
    WriteBatch batch(WriteBatch::AllOrNothing);
    for (const int day : toDays) {
        if (day != fromDay)
            update.execute(binds + QVariantList{shiftPlan, day});
    }
    batch.commit();
    TableChanges::noteChanged(QStringLiteral("Tagplan"));
}

} // namespace tk
