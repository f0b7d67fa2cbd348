#pragma once

// Shared by the day sheet tests: the staff and plans, moving to a day, reading the stored
// entries, and waiting for a modal window that must not appear.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QSpinBox>
#include <QSqlQuery>
#include <QTest>

#include "core/db/Database.h"
#include "core/db/SqlDialect.h"
#include "core/db/Table.h"
#include "gui/recording/FormAuswert.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/TimeRecordingData.h"

namespace tk::test {

// Shift plan 1 "Frühschicht": Monday 06:00 to 14:45, target 480, breaks 09:00-09:15 and
// 12:00-12:30; Tuesday to Friday the same; Saturday, Sunday and holiday without times.
// Shift plan 2 "Spätschicht": Monday 14:00 to 22:00, target 300, break 18:00-18:30.
inline void daySheetPlans()
{
    addShiftPlan(1, QStringLiteral("Frühschicht"));
    for (int day = 1; day <= 5; ++day)
        addDayPlan(1, day, {480, 360, 885, 540, 555, 720, 750, 0, 0});
    for (int day = 6; day <= 8; ++day)
        addDayPlan(1, day, {});
    addShiftPlan(2, QStringLiteral("Spätschicht"));
    addDayPlan(2, 1, {300, 840, 1320, 1080, 1110, 0, 0, 0, 0});
    for (int day = 2; day <= 8; ++day)
        addDayPlan(2, day, {});
}

inline void daySheetStaff()
{
    daySheetPlans();
    addEmployee(1, QStringLiteral("Hans"), QStringLiteral("Müller"), 1, 1);
}

inline void chooseMonth(TFormAuswert &form, int month, int year)
{
    form.edMonat->setCurrentIndex(month - 1);
    form.edJahr->setValue(year);
}

// Makes the day record of date the current one; false when the period has none.
inline bool goToDay(TFormAuswert &form, const QDate &date)
{
    Table *auswert = form.tblAuswert;
    const int column = auswert->fieldIndex(QStringLiteral("Datum"));
    for (int row = 0; row < auswert->recordCount(); ++row) {
        if (auswert->valueAt(row, column).toString() == date.toString(Qt::ISODate)) {
            auswert->moveTo(row);
            return true;
        }
    }
    return false;
}

struct StoredEntry
{
    int von = 0;
    int bis = 0;
    int summe = 0;
    QString kennung;
    bool operator==(const StoredEntry &o) const
    {
        return von == o.von && bis == o.bis && summe == o.summe && kennung == o.kennung;
    }
};

inline char *toString(const StoredEntry &e)
{
    return qstrdup(QStringLiteral("(%1-%2 =%3 %4)")
                       .arg(e.von)
                       .arg(e.bis)
                       .arg(e.summe)
                       .arg(e.kennung)
                       .toUtf8()
                       .constData());
}

// The stored time entries of a day in the order they were stored.
inline QList<StoredEntry> storedEntries(int personalNummer, const QDate &date)
{
    QSqlQuery q(Database::connection());
    q.prepare(QStringLiteral("SELECT Von, Bis, Summe, Kennung FROM AuswPos WHERE PersonalNummer "
                             "= ? AND Datum = ? ORDER BY ")
              + SqlDialect::rowIdColumn(Database::connection()));
    q.addBindValue(personalNummer);
    q.addBindValue(date.toString(Qt::ISODate));
    q.exec();
    QList<StoredEntry> entries;
    while (q.next())
        entries << StoredEntry{q.value(0).toInt(), q.value(1).toInt(), q.value(2).toInt(),
                               q.value(3).toString()};
    return entries;
}

// With TAKTORA_SHOT_DIR set, the tests save what the operator sees there as PNG pictures.
inline QString shotDir()
{
    return qEnvironmentVariable("TAKTORA_SHOT_DIR");
}

inline void saveShot(QWidget *widget, const QString &name)
{
    if (shotDir().isEmpty())
        return;
    QDir().mkpath(shotDir());
    widget->grab().save(QDir(shotDir()).filePath(name + QStringLiteral(".png")));
}

// Runs action and checks that it opened no modal window.
template <typename Action>
bool opensNoModal(Action action)
{
    auto answer = answerNextModal([](QWidget *modal) { modal->close(); }, 150);
    action();
    const bool seen = answer->seen;
    QTest::qWait(250); // let the unused answer expire before the next one is scheduled
    return !seen;
}

// Makes the modal window the active one before a key is typed. Focus moves inside a window
// that is not active deliver no focus events, so a time field would not take the digits; the
// offscreen platform hands activations over late, so pending ones are let through first.
inline bool activateModal(QWidget *modal)
{
    QCoreApplication::processEvents();
    if (modal->isActiveWindow())
        return true;
    modal->activateWindow();
    return QTest::qWaitForWindowActive(modal);
}

// Presses a key on whatever has the focus in the modal window, as an operator would.
inline void pressInModal(QWidget *modal, Qt::Key key)
{
    activateModal(modal);
    QWidget *target = modal->focusWidget() ? modal->focusWidget() : modal;
    QTest::keyClick(target, key);
}

// Types the characters one by one into whatever has the focus at that moment.
inline void typeInModal(QWidget *modal, const QString &keys)
{
    for (const QChar c : keys) {
        activateModal(modal);
        QWidget *target = modal->focusWidget() ? modal->focusWidget() : modal;
        QTest::keyClick(target, c.toLatin1());
    }
}

} // namespace tk::test
