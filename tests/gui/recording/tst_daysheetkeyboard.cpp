// A month of one employee's time cards typed by keyboard alone in the time recording window:
// F3 and four digits per time, the code letter, Enter; F4 on one day; the stored day records
// compared with sums worked out by hand.
//
// With TAKTORA_SHOT_DIR set, the window and the dialogs are saved there as PNG pictures.
#include <QTest>

#include "gui/widgets/DbGrid.h"
#include "tests/gui/recording/DaySheetKit.h"
#include "tests/support/TempDataDir.h"

using namespace tk;
using namespace tk::test;

namespace {

// What a day of March 2024 gets typed, and its sums by hand (shift plan 1: 06:00-14:45,
// breaks 09:00-09:15 and 12:00-12:30, target 480 from Monday to Friday).
struct TypedDay
{
    int day;
    QStringList newEntries; // keys typed in the new time entry dialog, one string per F3
    int anwesend, krank, urlaub, feiertag, unbezahlt;
};

const QString FullDay = QStringLiteral("06001445");   // 525 gross, both breaks inside: 480
const QString Morning = QStringLiteral("06001200");   // break 1 inside, break 2 after: 345
const QString Afternoon = QStringLiteral("12301445"); // starts where break 2 ends: 135

QList<TypedDay> marchTimeCards()
{
    QList<TypedDay> days;
    for (int day : {1, 4, 6, 7, 8, 11, 13, 15, 20, 21, 25, 27, 28})
        days << TypedDay{day, {FullDay}, 480, 0, 0, 0, 0};
    for (int day : {5, 12, 19, 26})
        days << TypedDay{day, {Morning, Afternoon}, 480, 0, 0, 0, 0};
    days << TypedDay{14, {FullDay + QLatin1Char('k')}, 0, 480, 0, 0, 0};
    days << TypedDay{18, {Morning, QStringLiteral("12001445a")}, 345, 0, 0, 0, 135};
    days << TypedDay{22, {FullDay + QLatin1Char('u')}, 0, 0, 480, 0, 0};
    days << TypedDay{29, {FullDay + QLatin1Char('f')}, 0, 0, 0, 480, 0};
    std::sort(days.begin(), days.end(),
              [](const TypedDay &a, const TypedDay &b) { return a.day < b.day; });
    return days;
}

QString describe(const StoredDay &d)
{
    const auto text = [](const QVariant &v) {
        return v.isNull() ? QStringLiteral("leer") : QString::number(v.toInt());
    };
    return QStringLiteral("Schicht %1, Soll %2, Summe %3, Anwesend %4, Krank %5, Urlaub %6, "
                          "Feiertag %7, Unbezahlt %8")
        .arg(text(d.schicht), text(d.soll), text(d.summe), text(d.anwesend), text(d.krank),
             text(d.urlaub), text(d.feiertag), text(d.unbezahlt));
}

} // namespace

class TestDaySheetKeyboard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void monthTypedByKeyboardAlone();

private:
    bool key(TFormAuswert &form, Qt::Key key);
    bool typeNewEntry(TFormAuswert &form, const QString &keys, const QString &shot);
};

// Sends a key to whatever has the focus in the window. The offscreen platform does not hand
// the activation back after a dialog closed, so the window asks for it as a window manager
// would give it.
bool TestDaySheetKeyboard::key(TFormAuswert &form, Qt::Key key)
{
    if (!form.isActiveWindow()) {
        form.activateWindow();
        if (!QTest::qWaitForWindowActive(&form))
            return false;
    }
    QWidget *target = form.focusWidget();
    if (!target)
        return false;
    QTest::keyClick(target, key);
    return true;
}

bool TestDaySheetKeyboard::typeNewEntry(TFormAuswert &form, const QString &keys,
                                        const QString &shot)
{
    auto answer = answerNextModal([keys, shot](QWidget *modal) {
        typeInModal(modal, keys);
        if (!shot.isEmpty())
            saveShot(modal, shot);
        pressInModal(modal, Qt::Key_Return); // code box to OK
        pressInModal(modal, Qt::Key_Return); // OK
    });
    if (!key(form, Qt::Key_F3))
        return false;
    if (!answer->answered())
        qWarning("%s", qPrintable(answer->failure));
    return answer->answered();
}

void TestDaySheetKeyboard::monthTypedByKeyboardAlone()
{
    const ModalGuard guard; // an unexpected message box fails the test instead of hanging it
    TempDataDir dir;
    daySheetStaff();
    TFormAuswert form;
    chooseMonth(form, 3, 2024);
    form.resize(900, 640);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    // From the entry grid back to the day grid; the first day of March is current.
    QCOMPARE(QApplication::focusWidget(), form.vgDBGrid3);
    QVERIFY(key(form, Qt::Key_Backtab));
    QCOMPARE(form.focusWidget(), form.vgDBGrid2);
    QCOMPARE(form.tblAuswert->field(QStringLiteral("Datum")).asDate(), QDate(2024, 3, 1));

    const QList<TypedDay> cards = marchTimeCards();
    int card = 0;
    for (int day = 1; day <= 31; ++day) {
        QCOMPARE(form.tblAuswert->field(QStringLiteral("Datum")).asDate(), QDate(2024, 3, day));
        if (card < cards.size() && cards.at(card).day == day) {
            for (const QString &keys : cards.at(card).newEntries) {
                const QString shot = day == 18 && keys.endsWith(QLatin1Char('a'))
                    ? QStringLiteral("dlg-newtag")
                    : QString();
                QVERIFY2(typeNewEntry(form, keys, shot), qPrintable(QString::number(day)));
            }
            ++card;
        }
        if (day < 31)
            QVERIFY(key(form, Qt::Key_Down));
    }
    QCOMPARE(card, cards.size());

    // F4 on Wednesday 13th: the full day becomes 06:00-12:00 and 12:30-16:00.
    const QDate wednesday(2024, 3, 13);
    QVERIFY(goToDay(form, wednesday));
    const StoredDay before = storedDay(1, wednesday);
    auto answer = answerNextModal([](QWidget *modal) {
        typeInModal(modal, QStringLiteral("06001200"));
        pressInModal(modal, Qt::Key_Return); // code box 1 to row 2
        typeInModal(modal, QStringLiteral("12301600"));
        saveShot(modal, QStringLiteral("dlg-changetag"));
        pressInModal(modal, Qt::Key_F4);
    });
    QVERIFY(key(form, Qt::Key_F4));
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    const StoredDay after = storedDay(1, wednesday);
    QCOMPARE(before.summe.toInt(), 480);
    QCOMPARE(after.summe.toInt(), 345 + 210); // break 2 ends where the second row starts
    QCOMPARE(after.anwesend.toInt(), 555);
    const QList<StoredEntry> wednesdayEntries{{360, 720, 360, QStringLiteral("N")},
                                              {750, 960, 210, QStringLiteral("N")}};
    QCOMPARE(storedEntries(1, wednesday), wednesdayEntries);
    if (!shotDir().isEmpty()) {
        qInfo("13.03.2024 vorher:  %s", qPrintable(describe(before)));
        qInfo("13.03.2024 nachher: %s", qPrintable(describe(after)));
    }

    // Every day against the hand sums; weekends have no target and no entries.
    int totalSumme = 0, totalAnwesend = 0, totalSoll = 0;
    for (int day = 1; day <= 31; ++day) {
        const QDate date(2024, 3, day);
        const StoredDay stored = storedDay(1, date);
        QVERIFY(stored.exists);
        totalSumme += stored.summe.toInt();
        totalAnwesend += stored.anwesend.toInt();
        totalSoll += stored.soll.toInt();
        const auto found = std::find_if(cards.begin(), cards.end(),
                                        [day](const TypedDay &t) { return t.day == day; });
        if (found == cards.end()) {
            QCOMPARE(stored.soll.toInt(), 0);
            QCOMPARE(stored.summe.toInt(), 0);
            continue;
        }
        if (date == wednesday)
            continue;
        // A failure names the day and the entries stored for it.
        QString entries;
        for (const StoredEntry &e : storedEntries(1, date))
            entries += QStringLiteral("%1-%2 %3; ").arg(e.von).arg(e.bis).arg(e.kennung);
        const QByteArray at = (date.toString(Qt::ISODate) + QLatin1Char(' ') + entries).toUtf8();
        QVERIFY2(stored.soll.toInt() == 480, at);
        QVERIFY2(stored.anwesend.toInt() == found->anwesend, at);
        QVERIFY2(stored.krank.toInt() == found->krank, at);
        QVERIFY2(stored.urlaub.toInt() == found->urlaub, at);
        QVERIFY2(stored.feiertag.toInt() == found->feiertag, at);
        QVERIFY2(stored.unbezahlt.toInt() == found->unbezahlt, at);
        QVERIFY2(stored.summe.toInt()
                     == found->anwesend + found->krank + found->urlaub + found->feiertag
                         + found->unbezahlt,
                 at);
    }
    // 21 working days of 480; normal time 17 x 480 less 135 on the 18th plus 75 on the 13th.
    QCOMPARE(totalSoll, 21 * 480);
    QCOMPARE(totalAnwesend, 8580);
    QCOMPARE(totalSumme, 8580 + 480 + 480 + 480 + 135);
    QVERIFY2(guard.unexpected().isEmpty(), qPrintable(guard.unexpected().join(QLatin1Char('\n'))));

    if (!shotDir().isEmpty()) {
        QVERIFY(goToDay(form, QDate(2024, 3, 18)));
        saveShot(&form, QStringLiteral("window-march"));
        answer = answerNextModal([](QWidget *modal) {
            QTest::qWaitForWindowActive(modal);
            saveShot(modal, QStringLiteral("dlg-getschicht"));
            pressInModal(modal, Qt::Key_Escape);
        });
        form.Schichtndern1->trigger();
        QVERIFY2(answer->answered(), qPrintable(answer->failure));
    }
}

QTEST_MAIN(TestDaySheetKeyboard)
#include "tst_daysheetkeyboard.moc"
