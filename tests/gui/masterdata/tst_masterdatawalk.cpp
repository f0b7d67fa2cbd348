// A new user's first session, by keyboard alone: two shift plans with their times, then
// three employees on them. With TAKTORA_SHOTS set to a folder, the windows are saved there
// as pictures along the way.
#include <QComboBox>
#include <QtTest>

#include "core/db/Table.h"
#include "gui/masterdata/FormPers.h"
#include "gui/masterdata/FormSchicht.h"
#include "gui/timefields/KvTimeEdit.h"
#include "gui/widgets/DbGrid.h"
#include "gui/widgets/PageArea.h"
#include "tests/gui/masterdata/MasterDataKit.h"
#include "tests/support/TempDataDir.h"

using namespace tk;
using namespace tk::test;

namespace {

void shoot(QWidget *window, const QString &name)
{
    const QString folder = qEnvironmentVariable("TAKTORA_SHOTS");
    if (!folder.isEmpty())
        window->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// The drop-downs of the personnel page, opened by keyboard and closed again.
void shootDropDowns(QWidget &form)
{
    if (qEnvironmentVariable("TAKTORA_SHOTS").isEmpty())
        return;
    QWidget *back = QApplication::focusWidget();
    auto *plans = form.findChild<QComboBox *>(QStringLiteral("edSchicht"));
    plans->setFocus();
    plans->showPopup();
    QTest::qWait(50);
    shoot(plans->view()->window(), QStringLiteral("05a-schicht-liste"));
    plans->hidePopup();
    auto *born = form.findChild<QWidget *>(QStringLiteral("edGeburtsdatum"));
    born->setFocus();
    QTest::keyClick(born, Qt::Key_Down, Qt::AltModifier);
    QTest::qWait(50);
    if (QWidget *popup = QApplication::activePopupWidget()) {
        shoot(popup, QStringLiteral("05b-kalender"));
        popup->hide();
    }
    auto *wage = form.findChild<QWidget *>(QStringLiteral("edBruttoLohn"));
    wage->setFocus();
    QTest::keyClick(wage, Qt::Key_F4);
    QTest::qWait(50);
    if (QWidget *popup = QApplication::activePopupWidget()) {
        shoot(popup, QStringLiteral("05c-rechner"));
        popup->hide();
    }
    back->setFocus();
}

QString focusName()
{
    QWidget *focused = QApplication::focusWidget();
    return focused ? focused->objectName() : QString();
}

} // namespace

class TstMasterDataWalk : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void twoShiftPlansAndThreeEmployeesByKeyboard();

private:
    void createShiftPlans();
    void createEmployees();
};

void TstMasterDataWalk::createShiftPlans()
{
    TFormSchicht form;
    QVERIFY(showActive(&form));
    QVERIFY(!form.pages()->isPageEnabled(0));
    shoot(&form, QStringLiteral("01-schichten-leer"));

    // Plan 1: early shift, Monday and Tuesday.
    {
        QString preset;
        auto reader = answerNextModal([&preset](QWidget *modal) {
            preset = qobject_cast<NumberPrompt *>(modal)->field()->text();
            QTest::keyClick(modal->focusWidget(), Qt::Key_Return);
        });
        key(Qt::Key_N, Qt::ControlModifier);
        QVERIFY(reactivate(&form));
        QVERIFY(reader->answered());
        QCOMPARE(preset, QStringLiteral("1"));
    }
    QCOMPARE(focusName(), QStringLiteral("edBezeichnung"));
    typeText(QStringLiteral("Frühschicht"));
    key(Qt::Key_Return); // to the day plan grid
    QCOMPARE(focusName(), QStringLiteral("grdTagplan"));
    key(Qt::Key_Return); // to Von of Monday
    QCOMPARE(focusName(), QStringLiteral("edVon"));
    // Von, Bis, break 1 and break 2; each field moves on after its last digit.
    typeText(QStringLiteral("0600"
                            "1430"
                            "0900"
                            "0915"
                            "1200"
                            "1230"));
    QCOMPARE(focusName(), QStringLiteral("edPauseVon3"));
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    QCOMPARE(focusName(), QStringLiteral("edSollstd"));
    typeText(QStringLiteral("00745"));
    QCOMPARE(focusName(), QStringLiteral("edUeberstd1"));
    shoot(&form, QStringLiteral("02-schicht1-montag"));
    key(Qt::Key_S, Qt::ControlModifier);

    // Tuesday: back to the grid, one line down, into its fields.
    for (int i = 0; i < 20 && focusName() != QLatin1String("grdTagplan"); ++i)
        key(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focusName(), QStringLiteral("grdTagplan"));
    key(Qt::Key_Down);
    QCOMPARE(form.tagplanTable()->field(QStringLiteral("Bezeichnung")).asString(),
             QStringLiteral("Di"));
    key(Qt::Key_Return);
    typeText(QStringLiteral("0600"
                            "1430"
                            "0900"
                            "0915"));
    key(Qt::Key_S, Qt::ControlModifier);

    // Plan 2: late shift.
    {
        QString preset;
        auto reader = answerNextModal([&preset](QWidget *modal) {
            preset = qobject_cast<NumberPrompt *>(modal)->field()->text();
            QTest::keyClick(modal->focusWidget(), Qt::Key_Return);
        });
        key(Qt::Key_N, Qt::ControlModifier);
        QVERIFY(reactivate(&form));
        QVERIFY(reader->answered());
        QCOMPARE(preset, QStringLiteral("2"));
    }
    QCOMPARE(focusName(), QStringLiteral("edBezeichnung"));
    typeText(QStringLiteral("Spätschicht"));
    key(Qt::Key_Return);
    key(Qt::Key_Return);
    typeText(QStringLiteral("1400"
                            "2230"
                            "1800"
                            "1830"));
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    typeText(QStringLiteral("00800"));
    shoot(&form, QStringLiteral("03-schicht2-montag"));
    key(Qt::Key_F5);
    shoot(&form, QStringLiteral("04-schichten-liste"));
    key(Qt::Key_F5);
    form.close(); // stores the pending day plan edit
    settle();

    QCOMPARE(sqlCount(QStringLiteral("Schicht")), 2);
    QCOMPARE(sqlCount(QStringLiteral("Tagplan")), 16);
    QCOMPARE(sqlValue(QStringLiteral("SELECT Bezeichnung FROM Schicht WHERE Schichtplan = 1"))
                 .toString(),
             QStringLiteral("Frühschicht"));
    QCOMPARE(sqlValue(QStringLiteral("SELECT Bezeichnung FROM Schicht WHERE Schichtplan = 2"))
                 .toString(),
             QStringLiteral("Spätschicht"));
    const QString monday1 = QStringLiteral("FROM Tagplan WHERE Schichtplan = 1 AND Tagesplan = 1");
    QCOMPARE(sqlValue(QStringLiteral("SELECT Von ") + monday1).toInt(), 360);
    QCOMPARE(sqlValue(QStringLiteral("SELECT Bis ") + monday1).toInt(), 870);
    QCOMPARE(sqlValue(QStringLiteral("SELECT PauseVon2 ") + monday1).toInt(), 720);
    QVERIFY(sqlValue(QStringLiteral("SELECT PauseVon3 ") + monday1).isNull());
    QCOMPARE(sqlValue(QStringLiteral("SELECT Sollstd ") + monday1).toInt(), 465);
    QCOMPARE(sqlValue(QStringLiteral(
                          "SELECT PauseBis1 FROM Tagplan WHERE Schichtplan = 1 AND Tagesplan = 2"))
                 .toInt(),
             555);
    const QString monday2 = QStringLiteral("FROM Tagplan WHERE Schichtplan = 2 AND Tagesplan = 1");
    QCOMPARE(sqlValue(QStringLiteral("SELECT Von ") + monday2).toInt(), 840);
    QCOMPARE(sqlValue(QStringLiteral("SELECT Sollstd ") + monday2).toInt(), 480);
}

void TstMasterDataWalk::createEmployees()
{
    TFormPers form;
    QVERIFY(showActive(&form));
    QVERIFY(!form.pages()->isPageEnabled(0));

    struct Employee
    {
        QString number, name, firstName, street, zip, town, phone, born, joined, wage;
        Qt::Key planKey;   // typed in the shift plan list
        Qt::Key periodKey; // pressed in the period list (Home: first, End: second)
    };
    const Employee staff[] = {
        {"100", "Müller", "Anna", "Hauptstr. 1", "12345", "Berlin", "030 1234", "12.03.1980",
         "1.4.2020", "15,50", Qt::Key_1, Qt::Key_Home},
        {"", "Schmidt", "Bernd", "Ringweg 7", "12347", "Berlin", "", "05.11.75", "01.09.2021", "14",
         Qt::Key_2, Qt::Key_End},
        {"", "Weber", "Clara", "Am Markt 3", "14467", "Potsdam", "0331 99", "", "15.01.2024",
         "16.25", Qt::Key_Delete, Qt::Key_Home},
    };
    for (const Employee &e : staff) {
        QString preset;
        auto reader = answerNextModal([&preset, number = e.number](QWidget *modal) {
            preset = qobject_cast<NumberPrompt *>(modal)->field()->text();
            if (!number.isEmpty())
                QTest::keyClicks(modal->focusWidget(), number); // replaces the selection
            QTest::keyClick(modal->focusWidget(), Qt::Key_Return);
        });
        key(Qt::Key_N, Qt::ControlModifier);
        QVERIFY(reactivate(&form));
        QVERIFY(reader->answered());
        QCOMPARE(focusName(), QStringLiteral("edName"));
        for (const QString &text : {e.name, e.firstName, e.street, e.zip, e.town, e.phone,
                                    QString(), e.born, e.joined, QString(), e.wage}) {
            typeText(text);
            key(Qt::Key_Return);
        }
        QCOMPARE(focusName(), QStringLiteral("edSchicht"));
        key(e.planKey);
        key(Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("edAuswertBegin"));
        key(e.periodKey);
        if (&e == &staff[1]) {
            shoot(&form, QStringLiteral("05-personal-schmidt"));
            shootDropDowns(form);
        }
        key(Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!form.personalTable()->isEditing());
    }
    key(Qt::Key_F5);
    shoot(&form, QStringLiteral("06-personal-liste"));
    key(Qt::Key_F5);
    key(Qt::Key_Home);
    form.close();

    QCOMPARE(sqlCount(QStringLiteral("Personal")), 3);
    auto value = [](int number, const char *field) {
        return sqlValue(QStringLiteral("SELECT %1 FROM Personal WHERE PersonalNummer = %2")
                            .arg(QLatin1String(field))
                            .arg(number));
    };
    QCOMPARE(value(100, "Name").toString(), QStringLiteral("Müller"));
    QCOMPARE(value(100, "Geburtsdatum").toString(), QStringLiteral("1980-03-12"));
    QCOMPARE(value(100, "EintrittsDatum").toString(), QStringLiteral("2020-04-01"));
    QVERIFY(value(100, "AustrittsDatum").isNull());
    QCOMPARE(value(100, "BruttoLohn").toDouble(), 15.5);
    QCOMPARE(value(100, "Schicht").toInt(), 1);
    QCOMPARE(value(100, "AuswertBegin").toInt(), 1);
    QCOMPARE(value(101, "Vorname").toString(), QStringLiteral("Bernd"));
    QCOMPARE(value(101, "Geburtsdatum").toString(), QStringLiteral("1975-11-05"));
    QVERIFY(value(101, "Telefon1").isNull());
    QCOMPARE(value(101, "BruttoLohn").toDouble(), 14.0);
    QCOMPARE(value(101, "Schicht").toInt(), 2);
    QCOMPARE(value(101, "AuswertBegin").toInt(), 16);
    QCOMPARE(value(102, "Ort").toString(), QStringLiteral("Potsdam"));
    QVERIFY(value(102, "Geburtsdatum").isNull());
    QCOMPARE(value(102, "BruttoLohn").toDouble(), 16.25);
    QVERIFY(value(102, "Schicht").isNull());
    QCOMPARE(value(102, "AuswertBegin").toInt(), 1);
}

void TstMasterDataWalk::twoShiftPlansAndThreeEmployeesByKeyboard()
{
    TempDataDir data;
    ModalGuard guard; // a box nobody expects fails the walk instead of stopping it
    createShiftPlans();
    if (QTest::currentTestFailed())
        return;
    createEmployees();
    QVERIFY2(guard.unexpected().isEmpty(), qPrintable(guard.unexpected().join(QLatin1Char(';'))));
}

QTEST_MAIN(TstMasterDataWalk)
#include "tst_masterdatawalk.moc"
