// The change day dialog: five rows, sums, codes by value, Enter/F4/Escape from anywhere.
#include "gui/recording/DlgChangeTag.h"
#include "gui/timefields/KvTimeEdit.h"
#include "gui/widgets/ValueComboBox.h"
#include "tests/gui/recording/EntryDialogTest.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace tk;
using tk::test::pressKey;
using tk::test::showAndWait;
using tk::test::typeKeys;

namespace {

// What the time recording window does with a day of entries before showing the dialog.
struct Entry
{
    int von;
    int bis;
    const char *kennung;
};

void fill(TDlgChangeTag &dialog, const QList<Entry> &entries)
{
    for (int i = 0; i < entries.size(); ++i) {
        dialog.edVon(i + 1)->SetMinutes(quint16(entries.at(i).von));
        dialog.edBis(i + 1)->SetMinutes(quint16(entries.at(i).bis));
        dialog.edKennung(i + 1)->setValue(QString::fromLatin1(entries.at(i).kennung));
    }
    dialog.UpdateSums();
}

} // namespace

class TstDgChangeTag : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void creationGivesFiveEmptyRows();
    void filledRowsShowTheirSumsAfterUpdateSums();
    void codesAreChosenByValue();
    void sumOfRowFollowsEveryKeystroke();
    void focusOrderRowByRow();
    void wholeDayTypedRowByRow();
    void enterInTheCodeBoxMovesOnAndBack();
    void enterInADroppedDownListOrWithCtrlStays();
    void f4ConfirmsFromAnywhere();
    void escapeCancelsFromAnywhere();
    void deleteEmptiesARow();
    void modalRunReadsTheRowsBack();
};

void TstDgChangeTag::creationGivesFiveEmptyRows()
{
    TDlgChangeTag dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Zeit erfassen/ändern"));
    QCOMPARE(dialog.property("helpContext").toInt(), 1001);
    QCOMPARE(dialog.btnOK()->text(), QStringLiteral("OK [F4]"));
    QCOMPARE(dialog.btnCancel()->text(), QStringLiteral("Abbrechen"));
    for (int row = 1; row <= TDlgChangeTag::RowCount; ++row) {
        QVERIFY(dialog.edVon(row)->isEmpty());
        QVERIFY(dialog.edBis(row)->isEmpty());
        QVERIFY(!dialog.edVon(row)->showDayTyp());
        QVERIFY(dialog.edBis(row)->tabOnEnterKey());
        QCOMPARE(dialog.laSumme(row)->text(), QStringLiteral("00:00"));
        QCOMPARE(dialog.edKennung(row)->currentText(), QStringLiteral("N - Normal"));
        QCOMPARE(dialog.edKennung(row)->value(), QStringLiteral("N"));
    }
    const auto labels = dialog.findChildren<QLabel *>();
    for (const char *caption : {"Zeit 1:", "Zeit 5:", "Von", "Bis", "Kennung"}) {
        QVERIFY2(std::any_of(labels.begin(), labels.end(),
                             [&](QLabel *l) { return l->text() == QLatin1String(caption); }),
                 caption);
    }
}

void TstDgChangeTag::filledRowsShowTheirSumsAfterUpdateSums()
{
    TDlgChangeTag dialog;
    fill(dialog, {{480, 750, "N"}, {22 * 60, 6 * 60, "A"}, {600, 600, "U"}});
    QCOMPARE(dialog.laSumme(1)->text(), QStringLiteral("04:30"));
    QCOMPARE(dialog.laSumme(2)->text(), QStringLiteral("-16:00"));
    QCOMPARE(dialog.laSumme(3)->text(), QStringLiteral("00:00"));
    for (int row = 4; row <= 5; ++row) {
        QVERIFY(dialog.edVon(row)->isEmpty());
        QCOMPARE(dialog.laSumme(row)->text(), QStringLiteral("00:00"));
        QCOMPARE(dialog.edKennung(row)->currentText(), QStringLiteral("N - Normal"));
    }
    QCOMPARE(dialog.edKennung(2)->value(), QStringLiteral("A"));
    QCOMPARE(dialog.edKennung(3)->currentText(), QStringLiteral("U - Urlaub"));
}

void TstDgChangeTag::codesAreChosenByValue()
{
    TDlgChangeTag dialog;
    fill(dialog, {{480, 600, "k"}, {600, 700, "Z"}, {700, 800, ""}});
    QCOMPARE(dialog.edKennung(1)->currentText(), QStringLiteral("K - Krank"));
    QCOMPARE(dialog.edKennung(1)->value(), QStringLiteral("K"));
    QCOMPARE(dialog.edKennung(2)->currentIndex(), -1);
    QCOMPARE(dialog.edKennung(2)->value(), QString());
    QCOMPARE(dialog.edKennung(3)->currentIndex(), -1);
}

void TstDgChangeTag::sumOfRowFollowsEveryKeystroke()
{
    TDlgChangeTag dialog;
    fill(dialog, {{480, 720, "N"}, {780, 960, "N"}});
    QVERIFY(showAndWait(dialog));
    dialog.edBis(2)->setFocus(Qt::TabFocusReason);
    typeKeys("1");
    QCOMPARE(dialog.laSumme(2)->text(), QStringLiteral("-12:00")); // 01:00 - 13:00
    typeKeys("7");
    QCOMPARE(dialog.laSumme(2)->text(), QStringLiteral("04:00"));
    typeKeys("3"); // the first minute digit replaces the minutes
    QCOMPARE(dialog.laSumme(2)->text(), QStringLiteral("04:03"));
    typeKeys("5");
    QCOMPARE(dialog.laSumme(2)->text(), QStringLiteral("04:35"));
    QCOMPARE(dialog.laSumme(1)->text(), QStringLiteral("04:00"));
    QCOMPARE(QApplication::focusWidget(), dialog.edKennung(2));
}

void TstDgChangeTag::focusOrderRowByRow()
{
    TDlgChangeTag dialog;
    QVERIFY(showAndWait(dialog));
    QList<QWidget *> order;
    for (int row = 1; row <= TDlgChangeTag::RowCount; ++row)
        order << dialog.edVon(row) << dialog.edBis(row) << dialog.edKennung(row);
    order << dialog.btnOK() << dialog.btnCancel();
    for (QWidget *expected : order) {
        QCOMPARE(QApplication::focusWidget(), expected);
        pressKey(Qt::Key_Tab);
    }
}

void TstDgChangeTag::wholeDayTypedRowByRow()
{
    TDlgChangeTag dialog;
    QVERIFY(showAndWait(dialog));
    typeKeys("0800"
             "1200");
    QCOMPARE(QApplication::focusWidget(), dialog.edKennung(1));
    pressKey(Qt::Key_Return);
    typeKeys("1230"
             "1645");
    typeKeys("u");
    pressKey(Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), dialog.edVon(3));
    QCOMPARE(dialog.laSumme(1)->text(), QStringLiteral("04:00"));
    QCOMPARE(dialog.laSumme(2)->text(), QStringLiteral("04:15"));
    QCOMPARE(dialog.edKennung(2)->value(), QStringLiteral("U"));
    pressKey(Qt::Key_F4);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void TstDgChangeTag::enterInTheCodeBoxMovesOnAndBack()
{
    TDlgChangeTag dialog;
    QVERIFY(showAndWait(dialog));
    dialog.edKennung(3)->setFocus(Qt::TabFocusReason);
    pressKey(Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), dialog.edBis(3));
    dialog.edKennung(3)->setFocus(Qt::TabFocusReason);
    pressKey(Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(QApplication::focusWidget(), dialog.edVon(4));
    dialog.edKennung(5)->setFocus(Qt::TabFocusReason);
    pressKey(Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), dialog.btnOK());
    QVERIFY(dialog.isVisible());
}

void TstDgChangeTag::enterInADroppedDownListOrWithCtrlStays()
{
    TDlgChangeTag dialog;
    QVERIFY(showAndWait(dialog));
    TValueComboBox *box = dialog.edKennung(2);
    box->setFocus(Qt::TabFocusReason);
    pressKey(Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), box);
    QVERIFY(dialog.isVisible());

    box->showPopup();
    QTRY_VERIFY(box->view()->isVisible());
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box->view(), Qt::Key_Down);
    QTest::keyClick(box->view(), Qt::Key_Return);
    QTRY_VERIFY(!box->view()->isVisible());
    QCOMPARE(box->value(), QStringLiteral("A"));
    // The list is a window of its own: the dialog's focus stays on the box.
    QCOMPARE(dialog.focusWidget(), box);
    QVERIFY(dialog.isVisible());
}

void TstDgChangeTag::f4ConfirmsFromAnywhere()
{
    QList<std::function<QWidget *(TDlgChangeTag &)>> targets = {
        [](TDlgChangeTag &d) -> QWidget * { return d.edVon(1); },
        [](TDlgChangeTag &d) -> QWidget * { return d.edBis(4); },
        [](TDlgChangeTag &d) -> QWidget * { return d.edKennung(5); },
        [](TDlgChangeTag &d) -> QWidget * { return d.btnCancel(); },
    };
    for (const auto &target : targets) {
        TDlgChangeTag dialog;
        QVERIFY(showAndWait(dialog));
        target(dialog)->setFocus(Qt::TabFocusReason);
        pressKey(Qt::Key_F4);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
    }
}

void TstDgChangeTag::escapeCancelsFromAnywhere()
{
    for (int row : {1, 3, 5}) {
        TDlgChangeTag dialog;
        fill(dialog, {{480, 600, "N"}, {600, 700, "N"}, {700, 800, "N"}});
        QVERIFY(showAndWait(dialog));
        dialog.edBis(row)->setFocus(Qt::TabFocusReason);
        QSignalSpy changes(dialog.edBis(row), &KvFieldBase::OnChange);
        pressKey(Qt::Key_Escape);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(changes.count(), 0);
    }
    TDlgChangeTag dialog;
    QVERIFY(showAndWait(dialog));
    dialog.edKennung(2)->setFocus(Qt::TabFocusReason);
    pressKey(Qt::Key_Escape);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void TstDgChangeTag::deleteEmptiesARow()
{
    TDlgChangeTag dialog;
    fill(dialog, {{480, 600, "N"}, {600, 700, "A"}});
    QVERIFY(showAndWait(dialog));
    dialog.edVon(2)->setFocus(Qt::TabFocusReason);
    pressKey(Qt::Key_Delete);
    QCOMPARE(dialog.laSumme(2)->text(), QStringLiteral("11:40"));
    pressKey(Qt::Key_Tab);
    pressKey(Qt::Key_Delete);
    QCOMPARE(dialog.laSumme(2)->text(), QStringLiteral("00:00"));
    QCOMPARE(dialog.edVon(2)->GetMinutes(), quint16(0));
    QCOMPARE(dialog.edBis(2)->GetMinutes(), quint16(0)); // from is not less than to: not in use
    QVERIFY(dialog.edBis(2)->isEmpty());
}

void TstDgChangeTag::modalRunReadsTheRowsBack()
{
    TDlgChangeTag dialog;
    fill(dialog, {{480, 750, "F"}});
    QString sumSeen;
    auto answer = tk::test::answerNextModal([&](QWidget *modal) {
        sumSeen = dialog.laSumme(1)->text();
        QTest::keyClick(modal->focusWidget(), Qt::Key_Tab);
        QTest::keyClick(modal->focusWidget(), Qt::Key_Tab);
        QTest::keyClick(modal->focusWidget(), Qt::Key_Return); // next row
        for (const char c : QByteArray("13001400"))
            QTest::keyClick(modal->focusWidget(), c);
        QTest::keyClick(modal->focusWidget(), Qt::Key_F4);
    });
    const int result = dialog.exec();
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(sumSeen, QStringLiteral("04:30"));
    QCOMPARE(dialog.edVon(1)->GetMinutes(), quint16(480));
    QCOMPARE(dialog.edKennung(1)->value(), QStringLiteral("F"));
    QCOMPARE(dialog.edVon(2)->GetMinutes(), quint16(780));
    QCOMPARE(dialog.edBis(2)->GetMinutes(), quint16(840));
    QCOMPARE(dialog.edKennung(2)->value(), QStringLiteral("N"));
    QCOMPARE(dialog.laSumme(2)->text(), QStringLiteral("01:00"));
}

QTEST_MAIN(TstDgChangeTag)
#include "tst_dlgchangetag.moc"
