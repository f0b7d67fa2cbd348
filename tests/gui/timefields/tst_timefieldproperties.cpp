// Random key sequences on shown time and duration fields: whatever is typed, hours and
// minutes stay in range, and every valid minutes value survives SetMinutes/GetMinutes.
#include "gui/timefields/KvTimeEdit.h"
#include "tests/gui/timefields/FieldHost.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace tk;
using tk::test::FieldHost;
using Part = KvFieldBase::Part;

namespace {

struct Key
{
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char *text; // nullptr: no typed character
};

// Every key the fields react to, plus focus keys and keys they must ignore.
const Key Keys[] = {
    {Qt::Key_0, {}, "0"},
    {Qt::Key_1, {}, "1"},
    {Qt::Key_2, {}, "2"},
    {Qt::Key_3, {}, "3"},
    {Qt::Key_4, {}, "4"},
    {Qt::Key_5, {}, "5"},
    {Qt::Key_6, {}, "6"},
    {Qt::Key_7, {}, "7"},
    {Qt::Key_8, {}, "8"},
    {Qt::Key_9, {}, "9"},
    {Qt::Key_Plus, {}, "+"},
    {Qt::Key_Minus, {}, "-"},
    {Qt::Key_Up, {}, nullptr},
    {Qt::Key_Down, {}, nullptr},
    {Qt::Key_Left, {}, nullptr},
    {Qt::Key_Right, {}, nullptr},
    {Qt::Key_Comma, {}, ","},
    {Qt::Key_Period, {}, "."},
    {Qt::Key_Delete, {}, nullptr},
    {Qt::Key_Insert, {}, nullptr},
    {Qt::Key_Return, {}, "\r"},
    {Qt::Key_Return, Qt::ShiftModifier, "\r"},
    {Qt::Key_Escape, {}, "\x1b"},
    {Qt::Key_V, {}, "v"},
    {Qt::Key_F, {}, "F"},
    {Qt::Key_T, {}, "t"},
    {Qt::Key_X, {}, "x"},
    {Qt::Key_Tab, {}, nullptr},
    {Qt::Key_Tab, Qt::ShiftModifier, nullptr},
};

} // namespace

class TstTimeFieldProperties : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void randomKeysKeepTimeFieldsInRange();
    void randomKeysKeepDurationFieldsInRange();
    void everyValidTimeComesBack();
    void everyDurationComesBack();

private:
    template <typename FieldType>
    void feedRandomKeys(int maxHours, quint32 seed);
};

template <typename FieldType>
void TstTimeFieldProperties::feedRandomKeys(int maxHours, quint32 seed)
{
    FieldHost<FieldType> host;
    host.field->setTabOnEnterKey(true);
    QVERIFY(host.show());
    QRandomGenerator random(seed);
    constexpr int Sequences = 2500;
    int keysSent = 0;
    for (int sequence = 0; sequence < Sequences; ++sequence) {
        host.field->setFocus(Qt::TabFocusReason);
        if (random.bounded(4) == 0)
            host.field->SetMinutes(quint16(random.bounded((maxHours + 1) * 60)));
        const int length = 1 + random.bounded(12);
        QString sent;
        for (int i = 0; i < length && host.field->hasFocus(); ++i) {
            const Key &key = Keys[random.bounded(int(std::size(Keys)))];
            QTest::sendKeyEvent(QTest::Click, host.field, key.key,
                                key.text ? QString::fromLatin1(key.text) : QString(),
                                key.modifiers);
            sent += QStringLiteral("%1/%2 ").arg(int(key.key), 0, 16).arg(int(key.modifiers));
            ++keysSent;
            const auto *f = host.field;
            const QString where =
                QStringLiteral("seed %1, sequence %2, keys %3").arg(seed).arg(sequence).arg(sent);
            QVERIFY2(f->hours() >= 0 && f->hours() <= maxHours, qPrintable(where));
            QVERIFY2(f->minutes() >= 0 && f->minutes() <= 59, qPrintable(where));
            QVERIFY2(f->GetMinutes() == f->hours() * 60 + f->minutes(), qPrintable(where));
            QVERIFY2(!f->isEmpty() || f->GetMinutes() == 0, qPrintable(where));
            QVERIFY2(f->digitPosition() >= 0 && f->digitPosition() <= 2, qPrintable(where));
            QVERIFY2(f->hasFocus() == (f->activePart() != Part::None), qPrintable(where));
        }
    }
    QVERIFY(keysSent > Sequences * 3);
}

void TstTimeFieldProperties::randomKeysKeepTimeFieldsInRange()
{
    feedRandomKeys<TKvTimeEdit>(23, 20240517);
}

void TstTimeFieldProperties::randomKeysKeepDurationFieldsInRange()
{
    // Stepping down from 0 shows 999; typing never gets there.
    feedRandomKeys<TKvCustomTimeDauerEdit>(999, 777);
}

void TstTimeFieldProperties::everyValidTimeComesBack()
{
    TKvTimeEdit reused;
    reused.SetMinutes(1439);
    for (int v = 0; v < 1440; ++v) {
        TKvTimeEdit field;
        field.SetMinutes(quint16(v));
        QCOMPARE(int(field.GetMinutes()), v);
        reused.SetMinutes(quint16(v));
        QCOMPARE(int(reused.GetMinutes()), v);
        QCOMPARE(reused.hours() * 60 + reused.minutes(), v);
        QVERIFY(reused.hours() <= 23);
    }
}

void TstTimeFieldProperties::everyDurationComesBack()
{
    TKvCustomTimeDauerEdit field;
    for (int v = 0; v <= 65535; ++v) {
        field.SetMinutes(quint16(v));
        if (int(field.GetMinutes()) != v || field.minutes() != v % 60)
            QFAIL(qPrintable(
                QStringLiteral("value %1 came back as %2").arg(v).arg(field.GetMinutes())));
    }
}

QTEST_MAIN(TstTimeFieldProperties)
#include "tst_timefieldproperties.moc"
