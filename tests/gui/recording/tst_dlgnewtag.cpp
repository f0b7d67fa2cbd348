// The new time entry dialog: defaults, the live sum line and the keyboard flow.
#include "gui/recording/DlgNewTag.h"
#include "gui/timefields/KvTimeEdit.h"
#include "tests/gui/recording/EntryDialogTest.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace tk;
using tk::test::pressKey;
using tk::test::showAndWait;
using tk::test::typeKeys;

class TstDgNewTag : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void creationDefaults();
    void sumFollowsTheCallersValuesWhenShown();
    void sumLineTable_data();
    void sumLineTable();
    void sumFollowsEveryKeystroke();
    void deleteInTheToFieldCountsItAsZero();
    void focusOrder();
    void wholeEntryTypedWithoutTheMouse();
    void toFieldTakesTheEndOfTheDay();
    void ctrlEnterConfirmsFromAnyField();
    void refusedCheckKeepsTheDialogOpen();
    void escapeCancelsAndTheFieldNeverSeesIt();
    void enterInADroppedDownListKeepsTheFocus();
    void modalRunConfirmedWithoutTyping();
};

void TstDgNewTag::creationDefaults()
{
    TDlgNewTag dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Zeit erfassen/ändern"));
    QCOMPARE(dialog.edVon()->GetMinutes(), quint16(360));
    QCOMPARE(dialog.edBis()->GetMinutes(), quint16(885));
    QCOMPARE(dialog.laSumme()->text(), QStringLiteral("08:45"));
    QCOMPARE(dialog.edKennung()->currentIndex(), 0);
    QCOMPARE(dialog.edKennung()->count(), 5);
    QCOMPARE(dialog.edKennung()->itemText(0), QStringLiteral("N - Normal"));
    QCOMPARE(dialog.edKennung()->itemText(4), QStringLiteral("U - Urlaub"));
    QVERIFY(!dialog.edKennung()->isEditable());
    QCOMPARE(dialog.paName()->text(), QStringLiteral("Name"));
    QCOMPARE(dialog.btnOK()->text(), QStringLiteral("OK"));
    QCOMPARE(dialog.btnCancel()->text(), QStringLiteral("Abbrechen"));
    for (TKvTimeEdit *field : {dialog.edVon(), dialog.edBis()}) {
        QVERIFY(!field->showDayTyp());
        QVERIFY(field->showUhr());
        QVERIFY(field->tabOnEnterKey());
        QCOMPARE(field->borderStyle(), KvFieldBase::BorderStyle::Single);
    }
}

void TstDgNewTag::sumFollowsTheCallersValuesWhenShown()
{
    TDlgNewTag dialog;
    dialog.edVon()->SetMinutes(7 * 60);
    dialog.edBis()->SetMinutes(15 * 60 + 30);
    QVERIFY(showAndWait(dialog));
    QCOMPARE(dialog.laSumme()->text(), QStringLiteral("08:30"));
    QVERIFY(dialog.edVon()->hasFocus());
    QCOMPARE(dialog.edVon()->activePart(), KvFieldBase::Part::Hours);
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize()); // fixed size
}

void TstDgNewTag::sumLineTable_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("sum");
    QTest::newRow("to before from") << 885 << 360 << QStringLiteral("-08:-45");
    QTest::newRow("equal") << 600 << 600 << QStringLiteral("00:00");
    QTest::newRow("half an hour back") << 630 << 600 << QStringLiteral("00:-30");
    QTest::newRow("whole day") << 0 << 1439 << QStringLiteral("23:59");
}

// The dialog checks nothing: every pair is handed back as it is.
void TstDgNewTag::sumLineTable()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, sum);
    TDlgNewTag dialog;
    dialog.edVon()->SetMinutes(quint16(from));
    dialog.edBis()->SetMinutes(quint16(to));
    QVERIFY(showAndWait(dialog));
    QCOMPARE(dialog.laSumme()->text(), sum);
    dialog.btnOK()->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(int(dialog.edVon()->GetMinutes()), from);
    QCOMPARE(int(dialog.edBis()->GetMinutes()), to);
}

void TstDgNewTag::sumFollowsEveryKeystroke()
{
    TDlgNewTag dialog;
    QVERIFY(showAndWait(dialog));
    typeKeys("1");
    QCOMPARE(dialog.laSumme()->text(), QStringLiteral("13:45")); // 14:45 - 01:00
    typeKeys("0");
    QCOMPARE(dialog.laSumme()->text(), QStringLiteral("04:45"));
    typeKeys("15");
    QCOMPARE(dialog.laSumme()->text(), QStringLiteral("04:30"));
    QVERIFY(dialog.edBis()->hasFocus());
    pressKey(Qt::Key_Up);
    QCOMPARE(dialog.laSumme()->text(), QStringLiteral("05:30"));
}

void TstDgNewTag::deleteInTheToFieldCountsItAsZero()
{
    TDlgNewTag dialog;
    QVERIFY(showAndWait(dialog));
    pressKey(Qt::Key_Tab);
    QVERIFY(dialog.edBis()->hasFocus());
    pressKey(Qt::Key_Delete);
    QVERIFY(dialog.edBis()->isEmpty());
    QCOMPARE(dialog.laSumme()->text(), QStringLiteral("-06:00"));
}

void TstDgNewTag::focusOrder()
{
    TDlgNewTag dialog;
    QVERIFY(showAndWait(dialog));
    const QList<QWidget *> order = {dialog.edVon(), dialog.edBis(), dialog.edKennung(),
                                    dialog.btnOK(), dialog.btnCancel()};
    for (int i = 0; i < order.size(); ++i) {
        QCOMPARE(QApplication::focusWidget(), order.at(i));
        pressKey(Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(), dialog.edVon());
}

void TstDgNewTag::wholeEntryTypedWithoutTheMouse()
{
    TDlgNewTag dialog;
    QVERIFY(showAndWait(dialog));
    typeKeys("0800");
    QVERIFY(dialog.edBis()->hasFocus());
    typeKeys("1230");
    QVERIFY(dialog.edKennung()->hasFocus());
    QCOMPARE(dialog.laSumme()->text(), QStringLiteral("04:30"));
    typeKeys("k"); // the item's first letter chooses it
    QCOMPARE(dialog.edKennung()->currentIndex(), 3);
    pressKey(Qt::Key_Return);
    QVERIFY(dialog.btnOK()->hasFocus());
    QVERIFY(dialog.isVisible());
    pressKey(Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.edVon()->GetMinutes(), quint16(480));
    QCOMPARE(dialog.edBis()->GetMinutes(), quint16(750));
    QCOMPARE(dialog.edKennung()->currentIndex(), 3);
}

void TstDgNewTag::toFieldTakesTheEndOfTheDay()
{
    TDlgNewTag dialog;
    QVERIFY(showAndWait(dialog));
    typeKeys("24"); // no start time: the 4 is refused
    QCOMPARE(dialog.edVon()->hours(), 2);
    typeKeys("200");
    QVERIFY(dialog.edBis()->hasFocus());
    typeKeys("2400");
    QCOMPARE(dialog.edVon()->GetMinutes(), quint16(22 * 60));
    QCOMPARE(dialog.edBis()->GetMinutes(), quint16(24 * 60));
    QCOMPARE(dialog.laSumme()->text(), QStringLiteral("02:00"));
    // A stored end of day can be shown again for a change.
    TDlgNewTag change;
    change.edBis()->SetMinutes(24 * 60);
    QCOMPARE(change.edBis()->GetMinutes(), quint16(24 * 60));
}

void TstDgNewTag::ctrlEnterConfirmsFromAnyField()
{
    for (int field = 0; field < 3; ++field) {
        TDlgNewTag dialog;
        dialog.edVon()->SetMinutes(7 * 60);
        QVERIFY(showAndWait(dialog));
        for (int tab = 0; tab < field; ++tab)
            pressKey(Qt::Key_Tab);
        typeKeys(field == 2 ? "k" : "1");
        pressKey(Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
    }
}

void TstDgNewTag::refusedCheckKeepsTheDialogOpen()
{
    TDlgNewTag dialog;
    int checks = 0;
    bool allow = false;
    dialog.setAcceptCheck([&] {
        ++checks;
        return allow;
    });
    QVERIFY(showAndWait(dialog));
    pressKey(Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(checks, 1);
    QVERIFY(dialog.isVisible());
    allow = true;
    dialog.btnOK()->click();
    QCOMPARE(checks, 2);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void TstDgNewTag::escapeCancelsAndTheFieldNeverSeesIt()
{
    TDlgNewTag dialog;
    QVERIFY(showAndWait(dialog));
    typeKeys("1");
    QSignalSpy changes(dialog.edVon(), &KvFieldBase::OnChange);
    pressKey(Qt::Key_Escape);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(changes.count(), 0);

    TDlgNewTag second;
    QVERIFY(showAndWait(second));
    second.edKennung()->setFocus();
    pressKey(Qt::Key_Escape);
    QCOMPARE(second.result(), int(QDialog::Rejected));
    QVERIFY(!second.isVisible());
}

void TstDgNewTag::enterInADroppedDownListKeepsTheFocus()
{
    TDlgNewTag dialog;
    QVERIFY(showAndWait(dialog));
    dialog.edKennung()->setFocus();
    dialog.edKennung()->showPopup();
    QTRY_VERIFY(dialog.edKennung()->view()->isVisible());
    QTest::keyClick(dialog.edKennung(), Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QTest::keyClick(dialog.edKennung()->view(), Qt::Key_Down);
    QTest::keyClick(dialog.edKennung()->view(), Qt::Key_Return);
    QTRY_VERIFY(!dialog.edKennung()->view()->isVisible());
    QCOMPARE(dialog.edKennung()->currentIndex(), 1);
    // The list is a window of its own: the dialog's focus stays on the box.
    QCOMPARE(dialog.focusWidget(), dialog.edKennung());
    QVERIFY(dialog.isVisible());
}

void TstDgNewTag::modalRunConfirmedWithoutTyping()
{
    TDlgNewTag dialog;
    QString sumSeen;
    auto answer = tk::test::answerNextModal([&](QWidget *modal) {
        sumSeen = dialog.laSumme()->text();
        QTest::keyClick(modal->focusWidget(), Qt::Key_Tab);
        QTest::keyClick(modal->focusWidget(), Qt::Key_Tab);
        QTest::keyClick(modal->focusWidget(), Qt::Key_Return); // code box -> OK
        QTest::keyClick(modal->focusWidget(), Qt::Key_Return); // OK
    });
    const int result = dialog.exec();
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(sumSeen, QStringLiteral("08:45"));
    QCOMPARE(dialog.edVon()->GetMinutes(), quint16(360));
    QCOMPARE(dialog.edBis()->GetMinutes(), quint16(885));
    QCOMPARE(dialog.edKennung()->currentIndex(), 0);
}

QTEST_MAIN(TstDgNewTag)
#include "tst_dlgnewtag.moc"
