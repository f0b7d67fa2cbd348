// Adding, changing, replacing and deleting the time entries of a day in the time recording
// window, with the dialogs answered as the operator would.
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "gui/recording/DlgChangeTag.h"
#include "gui/recording/DlgNewTag.h"
#include "gui/timefields/KvTimeEdit.h"
#include "gui/widgets/DbGrid.h"
#include "gui/widgets/ValueComboBox.h"
#include "tests/gui/recording/DaySheetKit.h"
#include "tests/support/TempDataDir.h"

using namespace tk;
using namespace tk::test;

namespace {

const QDate Monday(2024, 3, 4);

// What a new time entry dialog showed when it opened.
struct NewTagSeen
{
    int von = -1;
    int bis = -1;
    int code = -2;
    QString codeText, sum, date, name;
};

NewTagSeen look(TDlgNewTag *dialog)
{
    NewTagSeen seen;
    seen.von = dialog->edVon()->GetMinutes();
    seen.bis = dialog->edBis()->GetMinutes();
    seen.code = dialog->edKennung()->currentIndex();
    seen.codeText = dialog->edKennung()->currentText();
    seen.sum = dialog->laSumme()->text();
    seen.date = dialog->laMonat()->text();
    seen.name = dialog->paName()->text();
    return seen;
}

// Answers the next new time entry dialog: records what it showed, lets change() fill it and
// confirms with OK (or cancels with Escape when change is empty).
std::shared_ptr<ModalAnswer> answerNewTag(NewTagSeen &seen,
                                          std::function<void(TDlgNewTag *)> change)
{
    return answerNextModal([&seen, change](QWidget *modal) {
        auto *dialog = qobject_cast<TDlgNewTag *>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        seen = look(dialog);
        if (!change) {
            pressInModal(dialog, Qt::Key_Escape);
            return;
        }
        change(dialog);
        dialog->btnOK()->click();
    });
}

void press(TFormAuswert &form, Qt::Key key)
{
    QTest::keyClick(form.vgDBGrid3, key);
}

StoredDay dayOf(const QDate &date)
{
    return storedDay(1, date);
}

bool sameDay(const StoredDay &a, const StoredDay &b)
{
    return a.exists == b.exists && a.schicht == b.schicht && a.soll == b.soll && a.summe == b.summe
        && a.anwesend == b.anwesend && a.krank == b.krank && a.urlaub == b.urlaub
        && a.feiertag == b.feiertag && a.unbezahlt == b.unbezahlt;
}

} // namespace

class TestDaySheet : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void newEntryProposesThePlanOrTheLastEnd();
    void newEntryIsStoredWithItsCodeAndTheDayReevaluated();
    void changeOfTheSelectedEntry();
    void changeDayReplacesTheEntriesByTheRowsInUse();
    void changeDayOnAnEmptyDayStoresTheTypedRows();
    void changeDayRefusesADayItCannotShowWhole();
    void deletingAsksAndReevaluates();
    void slipsAreRefusedAndTheDialogStaysOpen();
    void entryChangedElsewhereKeepsTheDialogOpen();
    void masterDataWarnOnce();
    void deleteKeyOnAnEntryDeletesAfterTheQuestion();
    void failedDeletionStillReevaluatesBeforeTheReport();
    void withoutADayRecordNothingOpens();

private:
    ModalGuard m_guard; // an unexpected message box fails the test instead of hanging it
    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<TFormAuswert> m_form;
    TFormAuswert &openForm();
};

void TestDaySheet::init()
{
    m_dir = std::make_unique<TempDataDir>();
    daySheetStaff();
}

void TestDaySheet::cleanup()
{
    const QStringList unexpected = m_guard.unexpected();
    m_guard.clear();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
    m_form.reset();
    m_dir.reset();
}

TFormAuswert &TestDaySheet::openForm()
{
    m_form = std::make_unique<TFormAuswert>();
    chooseMonth(*m_form, 3, 2024);
    return *m_form;
}

void TestDaySheet::newEntryProposesThePlanOrTheLastEnd()
{
    addEntry(1, QDate(2024, 3, 5), 420, 720, QStringLiteral("N"));
    addDayRecord(1, QDate(2024, 3, 6), 0, 0, 0); // a day without shift plan
    TFormAuswert &form = openForm();

    // An empty Monday: the day plan's start and end; Escape stores nothing.
    QVERIFY(goToDay(form, Monday));
    const StoredDay before = dayOf(Monday);
    NewTagSeen seen;
    auto answer = answerNewTag(seen, {});
    press(form, Qt::Key_F3);
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QCOMPARE(answer->title, QStringLiteral("Zeit erfassen/ändern"));
    QCOMPARE(seen.von, 360);
    QCOMPARE(seen.bis, 885);
    QCOMPARE(seen.sum, QStringLiteral("08:45"));
    QCOMPARE(seen.code, 0);
    QCOMPARE(seen.date, QStringLiteral("Mo 04.März 2024"));
    QCOMPARE(seen.name, QStringLiteral("Hans Müller"));
    QVERIFY(storedEntries(1, Monday).isEmpty());
    QVERIFY(sameDay(dayOf(Monday), before));

    // After an entry ending at 12:00 the new one starts there; the button does the same.
    QVERIFY(goToDay(form, QDate(2024, 3, 5)));
    answer = answerNewTag(seen, {});
    form.dbSBtnNew->click();
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QCOMPARE(seen.von, 720);
    QCOMPARE(seen.bis, 885);
    QCOMPARE(seen.date, QStringLiteral("Di 05.März 2024"));
    QCOMPARE(storedEntries(1, QDate(2024, 3, 5)).size(), 1);

    // Without a day plan both times are 00:00.
    QVERIFY(goToDay(form, QDate(2024, 3, 6)));
    answer = answerNewTag(seen, {});
    press(form, Qt::Key_F3);
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QCOMPARE(seen.von, 0);
    QCOMPARE(seen.bis, 0);
    QCOMPARE(seen.sum, QStringLiteral("00:00"));
}

void TestDaySheet::newEntryIsStoredWithItsCodeAndTheDayReevaluated()
{
    TFormAuswert &form = openForm();
    QVERIFY(goToDay(form, Monday));

    NewTagSeen seen;
    auto answer = answerNewTag(seen, [](TDlgNewTag *dialog) {
        dialog->edVon()->SetMinutes(360);
        dialog->edBis()->SetMinutes(540);
    });
    press(form, Qt::Key_F3);
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    StoredDay day = dayOf(Monday);
    QCOMPARE(day.soll.toInt(), 480);
    QCOMPARE(day.summe.toInt(), 180); // ends where break 1 begins: nothing deducted
    QCOMPARE(day.anwesend.toInt(), 180);
    QCOMPARE(day.krank.toInt(), 0);

    // 09:00 to 12:00 as "K - Krank": 180 gross, break 1 inside, break 2 only touched.
    answer = answerNewTag(seen, [](TDlgNewTag *dialog) {
        dialog->edBis()->SetMinutes(720);
        dialog->edKennung()->setCurrentIndex(3);
    });
    press(form, Qt::Key_F3);
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QCOMPARE(seen.von, 540); // the end of the last entry
    const QList<StoredEntry> expected{{360, 540, 180, QStringLiteral("N")},
                                      {540, 720, 180, QStringLiteral("K")}};
    QCOMPARE(storedEntries(1, Monday), expected);
    day = dayOf(Monday);
    QCOMPARE(day.summe.toInt(), 180 + 165);
    QCOMPARE(day.krank.toInt(), 165);
    QCOMPARE(day.anwesend.toInt(), 180);
    QCOMPARE(day.urlaub.toInt(), 0);
    // The grids show it: the evaluated day stays current and its entries are listed.
    QCOMPARE(form.tblAuswert->field(QStringLiteral("Datum")).asDate(), Monday);
    QCOMPARE(form.tblAuswert->field(QStringLiteral("Krank")).asInteger(), 165);
    QCOMPARE(form.tblAuswPos->recordCount(), 2);

    // A to time before the from time is a shift over midnight when the clerk says so: up to
    // 24:00 on this day, from 00:00 on the next, both evaluated.
    std::shared_ptr<ModalAnswer> question;
    answer = answerNewTag(seen, [&question](TDlgNewTag *dialog) {
        dialog->edVon()->SetMinutes(885);
        dialog->edBis()->SetMinutes(360);
        dialog->edKennung()->setCurrentIndex(1);
        question = answerNextModal(clickButton(QMessageBox::Yes));
    });
    press(form, Qt::Key_F3);
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QVERIFY(question && question->answered());
    QCOMPARE(question->text, QStringLiteral("Schicht über Mitternacht?"));
    QCOMPARE(storedEntries(1, Monday).value(2), (StoredEntry{885, 1440, 555, QStringLiteral("A")}));
    QCOMPARE(dayOf(Monday).unbezahlt.toInt(), 555);
    const QDate tuesday = Monday.addDays(1);
    QCOMPARE(storedEntries(1, tuesday), QList<StoredEntry>({{0, 360, 360, QStringLiteral("A")}}));
    QCOMPARE(dayOf(tuesday).unbezahlt.toInt(), 360);
    QCOMPARE(dayOf(tuesday).soll.toInt(), 480);
    QCOMPARE(form.tblAuswert->field(QStringLiteral("Datum")).asDate(), Monday);
    // After an entry ending at 24:00 the next proposal starts at the day plan's start.
    answer = answerNewTag(seen, {});
    press(form, Qt::Key_F3);
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QCOMPARE(seen.von, 360);
}

void TestDaySheet::changeOfTheSelectedEntry()
{
    const QDate day(2024, 3, 7);
    addEntry(1, day, 420, 720, QStringLiteral("N"));
    addEntry(1, day, 780, 960, QStringLiteral("U"));
    addEntry(1, day, 960, 1000, QStringLiteral("X"));
    TFormAuswert &form = openForm();
    QVERIFY(goToDay(form, day));
    form.tblAuswPos->moveTo(1);

    NewTagSeen seen;
    auto answer = answerNewTag(seen, [](TDlgNewTag *dialog) { dialog->edBis()->SetMinutes(900); });
    press(form, Qt::Key_F2);
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QCOMPARE(seen.code, 4);
    QCOMPARE(seen.codeText, QStringLiteral("U - Urlaub"));
    QCOMPARE(seen.von, 780);
    QCOMPARE(seen.bis, 960);
    QCOMPARE(seen.date, QStringLiteral("Do 07.März 2024"));
    QList<StoredEntry> expected{{420, 720, 300, QStringLiteral("N")},
                                {780, 900, 120, QStringLiteral("U")},
                                {960, 1000, 40, QStringLiteral("X")}};
    QCOMPARE(storedEntries(1, day), expected);
    StoredDay stored = dayOf(day);
    QCOMPARE(stored.anwesend.toInt(), 285);
    QCOMPARE(stored.urlaub.toInt(), 120);
    QCOMPARE(stored.summe.toInt(), 285 + 120 + 40); // "X" counts in the total only

    // A code outside N..U preselects nothing and is kept when none is chosen; the double
    // click is the same as F2.
    form.tblAuswPos->moveTo(2);
    answer = answerNewTag(seen, [](TDlgNewTag *dialog) { dialog->edVon()->SetMinutes(970); });
    emit form.vgDBGrid3->lineDoubleClicked();
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QCOMPARE(seen.code, -1);
    expected[2] = {970, 1000, 30, QStringLiteral("X")};
    QCOMPARE(storedEntries(1, day), expected);

    // Escape changes nothing.
    const StoredDay before = dayOf(day);
    answer = answerNewTag(seen, {});
    press(form, Qt::Key_F2);
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QCOMPARE(storedEntries(1, day), expected);
    QVERIFY(sameDay(dayOf(day), before));

    // On a day without entries neither F2 nor a double click opens anything.
    QVERIFY(goToDay(form, QDate(2024, 3, 8)));
    QVERIFY(opensNoModal([&] { press(form, Qt::Key_F2); }));
    QVERIFY(opensNoModal([&] { emit form.vgDBGrid3->lineDoubleClicked(); }));
}

void TestDaySheet::changeDayReplacesTheEntriesByTheRowsInUse()
{
    const QDate day(2024, 3, 8);
    addEntry(1, day, 360, 540, QStringLiteral("N"));
    addEntry(1, day, 600, 700, QStringLiteral("K"));
    addEntry(1, day, 720, 885, QStringLiteral("u"));
    TFormAuswert &form = openForm();
    QVERIFY(goToDay(form, day));

    // Escape first: nothing changes.
    auto answer = answerNextModal(pressKey(Qt::Key_Escape));
    press(form, Qt::Key_F4);
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QCOMPARE(storedEntries(1, day).size(), 3);

    QStringList shown;
    answer = answerNextModal([&shown](QWidget *modal) {
        auto *dialog = qobject_cast<TDlgChangeTag *>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        for (int row = 1; row <= TDlgChangeTag::RowCount; ++row) {
            shown << QStringLiteral("%1 %2 %3 %4 %5")
                         .arg(dialog->edVon(row)->isEmpty()
                                  ? QStringLiteral("-")
                                  : QString::number(dialog->edVon(row)->GetMinutes()))
                         .arg(dialog->edBis(row)->GetMinutes())
                         .arg(dialog->edKennung(row)->value(), dialog->laSumme(row)->text(),
                              dialog->laMonat()->text());
        }
        // Row 2 emptied with Delete in both fields, row 4 typed as 22:00 to 06:00.
        QTest::qWaitForWindowActive(dialog);
        dialog->edVon(2)->setFocus();
        QTest::keyClick(dialog->edVon(2), Qt::Key_Delete);
        dialog->edBis(2)->setFocus();
        QTest::keyClick(dialog->edBis(2), Qt::Key_Delete);
        dialog->edVon(4)->SetMinutes(1320);
        dialog->edBis(4)->SetMinutes(360);
        dialog->edKennung(4)->setValue(QStringLiteral("F"));
        answerNextModal(clickButton(QMessageBox::Yes)); // over midnight: yes
        QTest::keyClick(dialog->edVon(4), Qt::Key_F4);  // OK from anywhere
    });
    press(form, Qt::Key_F4);
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    const QString date = QStringLiteral("Fr 08.März 2024");
    const QStringList expectedRows{
        QStringLiteral("360 540 N 03:00 ") + date, QStringLiteral("600 700 K 01:40 ") + date,
        QStringLiteral("720 885 U 02:45 ") + date, QStringLiteral("- 0 N 00:00 ") + date,
        QStringLiteral("- 0 N 00:00 ") + date};
    QCOMPARE(shown, expectedRows);

    const QList<StoredEntry> expected{{360, 540, 180, QStringLiteral("N")},
                                      {720, 885, 165, QStringLiteral("U")},
                                      {1320, 1440, 120, QStringLiteral("F")}};
    QCOMPARE(storedEntries(1, day), expected);
    const StoredDay stored = dayOf(day);
    QCOMPARE(stored.summe.toInt(), 180 + 135 + 120); // break 2 lies inside the second entry
    QCOMPARE(stored.anwesend.toInt(), 180);
    QCOMPARE(stored.urlaub.toInt(), 135);
    QCOMPARE(stored.krank.toInt(), 0);
    QCOMPARE(stored.feiertag.toInt(), 120);
    QCOMPARE(form.tblAuswPos->recordCount(), 3);
    // The night's second half is the Saturday's, whose day plan has no times.
    QCOMPARE(storedEntries(1, day.addDays(1)),
             QList<StoredEntry>({{0, 360, 360, QStringLiteral("F")}}));
    QCOMPARE(dayOf(day.addDays(1)).feiertag.toInt(), 360);
}

void TestDaySheet::changeDayOnAnEmptyDayStoresTheTypedRows()
{
    const QDate day(2024, 3, 11);
    TFormAuswert &form = openForm();
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QVERIFY(goToDay(form, day));

    // Typed row by row: four digits each time, Enter in the code box to the next row.
    auto answer = answerNextModal([](QWidget *modal) {
        typeInModal(modal, QStringLiteral("06001200"));
        pressInModal(modal, Qt::Key_Return);
        typeInModal(modal, QStringLiteral("12301445k"));
        pressInModal(modal, Qt::Key_F4);
    });
    press(form, Qt::Key_F4);
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    const QList<StoredEntry> expected{{360, 720, 360, QStringLiteral("N")},
                                      {750, 885, 135, QStringLiteral("K")}};
    QCOMPARE(storedEntries(1, day), expected);
    const StoredDay stored = dayOf(day);
    QCOMPARE(stored.anwesend.toInt(), 345);
    QCOMPARE(stored.krank.toInt(), 135);
    QCOMPARE(stored.summe.toInt(), 480);
}

void TestDaySheet::changeDayRefusesADayItCannotShowWhole()
{
    const QDate six(2024, 3, 12);
    for (int hour = 6; hour < 12; ++hour)
        addEntry(1, six, hour * 60, hour * 60 + 50, QStringLiteral("N"));
    const QDate negative(2024, 3, 13);
    addEntry(1, negative, 360, 540, QStringLiteral("N"));
    addEntry(1, negative, 900, 600, QStringLiteral("N"));
    TFormAuswert &form = openForm();

    for (const QDate &day : {six, negative}) {
        QVERIFY(goToDay(form, day));
        const QList<StoredEntry> before = storedEntries(1, day);
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        auto answer = answerNextModal([&icon, day](QWidget *modal) {
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                icon = box->icon();
                saveShot(box, QStringLiteral("refused-%1").arg(day.day()));
                box->button(QMessageBox::Ok)->click(); // as if it were the dialog's OK
            } else {
                modal->close();
            }
        });
        press(form, Qt::Key_F4);
        QVERIFY2(answer->answered(), qPrintable(answer->failure));
        QCOMPARE(answer->title, QStringLiteral("Information"));
        QCOMPARE(icon, QMessageBox::Information);
        QVERIFY2(answer->text.contains(QStringLiteral("F2")), qPrintable(answer->text));
        QVERIFY2(answer->text.contains(QStringLiteral("„Löschen“")), qPrintable(answer->text));
        if (day == six)
            QVERIFY2(answer->text.contains(QStringLiteral("6 Zeiten")), qPrintable(answer->text));
        else
            QVERIFY2(answer->text.contains(QStringLiteral("15:00 bis 10:00")),
                     qPrintable(answer->text));
        QCOMPARE(storedEntries(1, day), before);
        QCOMPARE(form.tblAuswPos->recordCount(), before.size());
    }
}

void TestDaySheet::slipsAreRefusedAndTheDialogStaysOpen()
{
    addEntry(1, Monday, 420, 960, QStringLiteral("N"));
    TFormAuswert &form = openForm();
    QVERIFY(goToDay(form, Monday));
    std::shared_ptr<ModalAnswer> notAfter, overlap, night;
    bool openAfterRefusals = false;
    auto answer = answerNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<TDlgNewTag *>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        dialog->edVon()->SetMinutes(1000);
        dialog->edBis()->SetMinutes(1000);
        notAfter = answerNextModal(clickButton(QMessageBox::Ok));
        dialog->btnOK()->click();
        dialog->edVon()->SetMinutes(480);
        overlap = answerNextModal(clickButton(QMessageBox::Ok));
        dialog->btnOK()->click();
        // An emptied Bis asks about midnight; "no" keeps the dialog open as well.
        dialog->edVon()->SetMinutes(1000);
        dialog->edBis()->setFocus();
        QTest::keyClick(dialog->edBis(), Qt::Key_Delete);
        night = answerNextModal(clickButton(QMessageBox::No));
        dialog->btnOK()->click();
        openAfterRefusals = dialog->isVisible();
        dialog->edBis()->SetMinutes(1020);
        dialog->btnOK()->click();
    });
    press(form, Qt::Key_F3);
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QVERIFY(notAfter && notAfter->answered());
    QCOMPARE(notAfter->text,
             QStringLiteral("Bis 16:40 liegt nicht nach Von 16:40. Bitte die Zeiten prüfen."));
    QVERIFY(overlap && overlap->answered());
    QCOMPARE(overlap->text,
             QStringLiteral("Die Zeit 08:00–16:40 überschneidet sich mit der Zeit "
                            "07:00–16:00 (Normal) dieses Tages."));
    QVERIFY(night && night->answered());
    QCOMPARE(night->text, QStringLiteral("Schicht über Mitternacht?"));
    QVERIFY(openAfterRefusals);
    QCOMPARE(storedEntries(1, Monday),
             QList<StoredEntry>(
                 {{420, 960, 540, QStringLiteral("N")}, {1000, 1020, 20, QStringLiteral("N")}}));
    QVERIFY(storedEntries(1, Monday.addDays(1)).isEmpty());
}

// Another workstation changed the entry while the dialog was open: nothing is overwritten,
// the clerk reads why, the day behind shows the stored entry, and the typed times are still in
// the open dialog; confirming again then stores them.
void TestDaySheet::entryChangedElsewhereKeepsTheDialogOpen()
{
    const QDate day(2024, 3, 7);
    addEntry(1, day, 420, 720, QStringLiteral("N"));
    TFormAuswert &form = openForm();
    QVERIFY(goToDay(form, day));
    std::shared_ptr<ModalAnswer> stale;
    bool openAfterRefusal = false;
    quint16 typedAfterRefusal = 0;
    int shownBehind = 0;
    auto answer = answerNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<TDlgNewTag *>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        dialog->edBis()->SetMinutes(700);
        TempDataDir::execElsewhere(
            QStringLiteral("UPDATE AuswPos SET Bis = 690, Summe = 270, version = version + 1 "
                           "WHERE PersonalNummer = 1 AND Datum = '2024-03-07'"));
        stale = answerNextModal(clickButton(QMessageBox::Ok));
        dialog->btnOK()->click();
        openAfterRefusal = dialog->isVisible();
        typedAfterRefusal = dialog->edBis()->GetMinutes();
        shownBehind = form.tblAuswPos->field(QStringLiteral("Bis")).asInteger();
        dialog->btnOK()->click();
    });
    press(form, Qt::Key_F2);
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QVERIFY(stale && stale->answered());
    QCOMPARE(
        stale->text,
        QStringLiteral("Der Datensatz wurde inzwischen an einem anderen Arbeitsplatz geändert."));
    QVERIFY(openAfterRefusal);
    QCOMPARE(typedAfterRefusal, quint16(700));
    QCOMPARE(shownBehind, 690);
    QCOMPARE(storedEntries(1, day), QList<StoredEntry>({{420, 700, 280, QStringLiteral("N")}}));
}

void TestDaySheet::masterDataWarnOnce()
{
    TempDataDir::exec(QStringLiteral(
        "UPDATE Personal SET AustrittsDatum = '2024-03-01' WHERE PersonalNummer = 1"));
    TFormAuswert &form = openForm();
    QVERIFY(goToDay(form, Monday));
    NewTagSeen seen;
    std::shared_ptr<ModalAnswer> warning;
    auto answer = answerNewTag(seen, [&warning](TDlgNewTag *dialog) {
        dialog->edBis()->SetMinutes(400);
        warning = answerNextModal(clickButton(QMessageBox::Ok));
    });
    press(form, Qt::Key_F3);
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QVERIFY(warning && warning->answered());
    QCOMPARE(warning->text,
             QStringLiteral("Hans Müller ist am 04.03.2024 nicht mehr beschäftigt."));
    QCOMPARE(storedEntries(1, Monday).size(), 1); // the clerk may go on
    // Not again for the next entry; the guard would see a second box.
    answer = answerNewTag(seen, [](TDlgNewTag *dialog) { dialog->edBis()->SetMinutes(500); });
    press(form, Qt::Key_F3);
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QCOMPARE(storedEntries(1, Monday).size(), 2);

    // A day without a shift plan: its times are not evaluated. Being no longer employed
    // was said already and is not said again.
    TempDataDir::exec(QStringLiteral(
        "UPDATE auswert SET Schicht = 0 WHERE PersonalNummer = 1 AND Datum = '2024-03-27'"));
    form.tblAuswert->refresh();
    QVERIFY(goToDay(form, QDate(2024, 3, 27)));
    answer = answerNewTag(seen, [&warning](TDlgNewTag *dialog) {
        dialog->edVon()->SetMinutes(480);
        dialog->edBis()->SetMinutes(500);
        warning = answerNextModal(clickButton(QMessageBox::Ok));
    });
    press(form, Qt::Key_F3);
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QCOMPARE(
        warning->text,
        QStringLiteral("Hans Müller hat keinen Schichtplan; die Zeiten werden nicht bewertet."));
}

void TestDaySheet::deleteKeyOnAnEntryDeletesAfterTheQuestion()
{
    addEntry(1, Monday, 360, 540, QStringLiteral("N"));
    addEntry(1, Monday, 600, 700, QStringLiteral("N"));
    TFormAuswert &form = openForm();
    QVERIFY(goToDay(form, Monday));
    form.tblAuswPos->moveTo(1);
    auto answer = answerNextModal(clickButton(QMessageBox::Ok));
    press(form, Qt::Key_Delete);
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QCOMPARE(answer->text, QStringLiteral("Datensatz löschen?"));
    QCOMPARE(storedEntries(1, Monday), QList<StoredEntry>({{360, 540, 180, QStringLiteral("N")}}));
    QCOMPARE(dayOf(Monday).summe.toInt(), 180);
}

void TestDaySheet::deletingAsksAndReevaluates()
{
    const QDate day(2024, 3, 14);
    addDayRecord(1, day, 1, 480, 180);
    addEntry(1, day, 360, 540, QStringLiteral("N"));
    TFormAuswert &form = openForm();
    QVERIFY(goToDay(form, day));
    QVERIFY(form.dbSBtnDelete->isEnabled());

    QStringList buttons;
    auto answer = answerNextModal([&buttons](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        for (QAbstractButton *button : box->buttons())
            buttons << button->text();
        box->button(QMessageBox::Cancel)->click();
    });
    form.dbSBtnDelete->click();
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QCOMPARE(answer->text, QStringLiteral("Datensatz löschen?"));
    buttons.sort();
    QCOMPARE(buttons, (QStringList{QStringLiteral("Abbrechen"), QStringLiteral("OK")}));
    QCOMPARE(storedEntries(1, day).size(), 1);
    QCOMPARE(dayOf(day).summe.toInt(), 180);

    answer = answerNextModal(clickButton(QMessageBox::Ok));
    form.dbSBtnDelete->click();
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QVERIFY(storedEntries(1, day).isEmpty());
    const StoredDay stored = dayOf(day);
    QCOMPARE(stored.soll.toInt(), 480);
    for (const QVariant &sum : {stored.summe, stored.anwesend, stored.krank, stored.urlaub,
                                stored.feiertag, stored.unbezahlt}) {
        QVERIFY(!sum.isNull());
        QCOMPARE(sum.toInt(), 0);
    }
    QVERIFY(!form.dbSBtnDelete->isEnabled());
}

void TestDaySheet::failedDeletionStillReevaluatesBeforeTheReport()
{
    const QDate day(2024, 3, 15);
    addDayRecord(1, day, 1, 480, 999); // a stale sum the re-evaluation corrects
    addEntry(1, day, 360, 540, QStringLiteral("N"));
    TempDataDir::refuseWrites(QStringLiteral("keep_entries"),
                              QStringLiteral("BEFORE DELETE ON AuswPos"), QStringLiteral("TRUE"),
                              QStringLiteral("gesperrt"));
    TFormAuswert &form = openForm();
    QVERIFY(goToDay(form, day));

    std::shared_ptr<ModalAnswer> report;
    QVariant sumWhenReported;
    auto answer = answerNextModal([&](QWidget *modal) {
        report = answerNextModal([&](QWidget *box) {
            sumWhenReported = dayOf(day).summe;
            clickButton(QMessageBox::Ok)(box);
        });
        clickButton(QMessageBox::Ok)(modal);
    });
    form.dbSBtnDelete->click();
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QVERIFY(report);
    QVERIFY2(report->answered(), qPrintable(report->failure));
    QCOMPARE(report->title, QStringLiteral("Information"));
    QVERIFY2(report->text.contains(QStringLiteral("gesperrt")), qPrintable(report->text));
    QCOMPARE(sumWhenReported.toInt(), 180);
    QCOMPARE(storedEntries(1, day).size(), 1);
    QCOMPARE(form.tblAuswPos->recordCount(), 1);
}

void TestDaySheet::withoutADayRecordNothingOpens()
{
    TempDataDir::exec(QStringLiteral("DELETE FROM Personal"));
    auto answer = answerNextModal(clickButton(QMessageBox::Ok)); // no period without employee
    TFormAuswert form;
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QCOMPARE(form.tblAuswert->currentRow(), -1);
    QVERIFY(opensNoModal([&] { press(form, Qt::Key_F3); }));
    QVERIFY(opensNoModal([&] { press(form, Qt::Key_F2); }));
    QVERIFY(opensNoModal([&] { press(form, Qt::Key_F4); }));
    QVERIFY(opensNoModal([&] { form.Schichtndern1->trigger(); }));
    QVERIFY(!form.dbSBtnNew->isEnabled());
    QVERIFY(!form.dbSBtnEdit->isEnabled());
    QCOMPARE(countDayRecords(1), 0);
}

QTEST_MAIN(TestDaySheet)
#include "tst_daysheet.moc"
