// The value list box: selection read and set by code.
#include "gui/widgets/ValueComboBox.h"

#include <QSignalSpy>
#include <QtTest>

using namespace tk;

class TstValueComboBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void valueReadsTheCodeOfTheSelection();
    void settingMatchesWithoutRegardToCase();
    void settingSelectsNothingWithoutAMatch();
    void settingFiresOnlyWhenTheSelectionMoves();
    void textReadsTheCodeWhileValuesAreEnabled();
    void enabledValuesKeepTheListChooseOnly();

private:
    static void fill(TValueComboBox &box)
    {
        box.setItems({QStringLiteral("N - Normal"), QStringLiteral("A - Abwesend"),
                      QStringLiteral("F - Feiertag"), QStringLiteral("K - Krank"),
                      QStringLiteral("U - Urlaub")});
        box.setValues({QStringLiteral("N"), QStringLiteral("A"), QStringLiteral("F"),
                       QStringLiteral("K"), QStringLiteral("U")});
    }
};

void TstValueComboBox::valueReadsTheCodeOfTheSelection()
{
    TValueComboBox box;
    fill(box);
    QCOMPARE(box.items().size(), 5);
    box.setCurrentIndex(4);
    QCOMPARE(box.value(), QStringLiteral("U"));
    box.setCurrentIndex(-1);
    QCOMPARE(box.value(), QString());
    // An item without a code reads as no value.
    box.setValues({QStringLiteral("N"), QStringLiteral("A")});
    box.setCurrentIndex(2);
    QCOMPARE(box.value(), QString());
}

void TstValueComboBox::settingMatchesWithoutRegardToCase()
{
    TValueComboBox box;
    fill(box);
    box.setValue(QStringLiteral("k"));
    QCOMPARE(box.currentIndex(), 3);
    QCOMPARE(box.currentText(), QStringLiteral("K - Krank"));
    QCOMPARE(box.value(), QStringLiteral("K"));
    // The first equal code wins.
    box.setValues({QStringLiteral("N"), QStringLiteral("x"), QStringLiteral("X")});
    box.setValue(QStringLiteral("X"));
    QCOMPARE(box.currentIndex(), 1);
}

void TstValueComboBox::settingSelectsNothingWithoutAMatch()
{
    TValueComboBox box;
    fill(box);
    box.setValue(QStringLiteral("A"));
    box.setValue(QStringLiteral("Z"));
    QCOMPARE(box.currentIndex(), -1);
    box.setValue(QStringLiteral("A"));
    box.setValue(QString());
    QCOMPARE(box.currentIndex(), -1);
    box.setValue(QStringLiteral("N "));
    QCOMPARE(box.currentIndex(), -1);
    // A code beyond the last item selects nothing either.
    box.setValues({QStringLiteral("N"), QStringLiteral("A"), QStringLiteral("F"),
                   QStringLiteral("K"), QStringLiteral("U"), QStringLiteral("Q")});
    box.setValue(QStringLiteral("q"));
    QCOMPARE(box.currentIndex(), -1);
}

void TstValueComboBox::settingFiresOnlyWhenTheSelectionMoves()
{
    TValueComboBox box;
    fill(box);
    box.setValue(QStringLiteral("N"));
    QSignalSpy changes(&box, &QComboBox::currentIndexChanged);
    box.setValue(QStringLiteral("n"));
    QCOMPARE(changes.count(), 0);
    box.setValue(QStringLiteral("F"));
    QCOMPARE(changes.count(), 1);
    box.setValue(QStringLiteral("?"));
    QCOMPARE(changes.count(), 2);
}

void TstValueComboBox::textReadsTheCodeWhileValuesAreEnabled()
{
    TValueComboBox box;
    fill(box);
    box.setValue(QStringLiteral("F"));
    QCOMPARE(box.text(), QStringLiteral("F"));
    box.setEnableValues(false);
    QCOMPARE(box.text(), QStringLiteral("F - Feiertag"));
}

void TstValueComboBox::enabledValuesKeepTheListChooseOnly()
{
    TValueComboBox box;
    QVERIFY(box.enableValues());
    box.setEditable(true);
    QVERIFY(!box.isEditable());
    box.setEnableValues(false);
    box.setEditable(true);
    QVERIFY(box.isEditable());
    box.setEnableValues(true);
    QVERIFY(!box.isEditable());
}

QTEST_MAIN(TstValueComboBox)
#include "tst_valuecombobox.moc"
