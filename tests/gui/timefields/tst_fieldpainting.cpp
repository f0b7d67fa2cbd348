// What the fields paint: colon only while empty, highlighted active part, clock face and
// day-type letter, read back from rendered pixels.
#include "gui/timefields/KvTimeEdit.h"
#include "tests/gui/timefields/FieldHost.h"

#include <QImage>
#include <QtTest>

using namespace tk;
using tk::test::FieldHost;
using tk::test::pressKey;
using tk::test::typeKeys;

namespace {

QImage render(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Pixels in columns [from, to) whose colour is close to colour.
int countNear(const QImage &image, const QColor &colour, int from = 0, int to = -1)
{
    if (to < 0)
        to = image.width();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = from; x < to; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - colour.red()) + qAbs(c.green() - colour.green())
                    + qAbs(c.blue() - colour.blue())
                < 60)
                ++count;
        }
    }
    return count;
}

// Pixels clearly darker than the field's background: text, hands and lines.
int countInk(const QImage &image, int from, int to, int threshold = 128)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = from; x < to; ++x)
            if (qGray(image.pixel(x, y)) < threshold)
                ++count;
    return count;
}

} // namespace

class TstFieldPainting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptyUnfocusedFieldShowsOnlyTheColon();
    void activePartIsHighlightedWhileFocused();
    void clockFaceFollowsTheTime();
    void dayTypeLetterIsColoured();
};

void TstFieldPainting::emptyUnfocusedFieldShowsOnlyTheColon()
{
    TKvTimeEdit empty;
    empty.setShowUhr(false);
    empty.setShowDayTyp(false);
    empty.resize(empty.sizeHint());
    TKvTimeEdit midnight;
    midnight.setShowUhr(false);
    midnight.setShowDayTyp(false);
    midnight.resize(midnight.sizeHint());
    midnight.SetMinutes(60);
    midnight.SetMinutes(0);
    const int w = empty.width();
    const int colonInk = countInk(render(&empty), 0, w);
    const int timeInk = countInk(render(&midnight), 0, w);
    QVERIFY(colonInk > 0);
    QVERIFY2(timeInk > 4 * colonInk,
             qPrintable(QStringLiteral("%1 vs %2").arg(timeInk).arg(colonInk)));
    // The colon stands where it stands in a full time: the left third is blank.
    QCOMPARE(countInk(render(&empty), 0, w / 3), 0);
}

void TstFieldPainting::activePartIsHighlightedWhileFocused()
{
    FieldHost<TKvTimeEdit> host;
    host.field->setShowUhr(false);
    host.field->setShowDayTyp(false);
    QVERIFY(host.show());
    host.field->SetMinutes(7 * 60 + 30);
    const QColor highlight = host.field->palette().color(QPalette::Highlight);
    const int w = host.field->width();
    const int textWidth = host.field->fontMetrics().horizontalAdvance(QStringLiteral(" 00 : 00 "));
    const int textMiddle = w - 2 - textWidth / 2;

    QImage image = render(host.field);
    QVERIFY(countNear(image, highlight, 0, textMiddle) > 20);
    QCOMPARE(countNear(image, highlight, textMiddle + 4, w - 2), 0);

    pressKey(Qt::Key_Right);
    image = render(host.field);
    QVERIFY(countNear(image, highlight, textMiddle, w) > 20);
    QCOMPARE(countNear(image, highlight, 0, textMiddle - 4), 0);

    // An empty focused field shows 00 : 00 with the part highlighted.
    pressKey(Qt::Key_Delete);
    image = render(host.field);
    QVERIFY(countNear(image, highlight, textMiddle, w) > 20);

    host.after->setFocus();
    image = render(host.field);
    QCOMPARE(countNear(image, highlight), 0);
}

void TstFieldPainting::clockFaceFollowsTheTime()
{
    TKvTimeEdit field;
    field.setShowDayTyp(false);
    field.resize(field.sizeHint());
    const int clockEnd = field.height();
    field.SetMinutes(3 * 60);
    const QImage three = render(&field);
    field.SetMinutes(9 * 60 + 30);
    const QImage halfPastNine = render(&field);
    QVERIFY(three.copy(0, 0, clockEnd, field.height())
            != halfPastNine.copy(0, 0, clockEnd, field.height()));

    // Same size without the face: the left part holds nothing but the border.
    const int withFace = countInk(halfPastNine, 0, clockEnd, 200);
    field.setShowUhr(false);
    const QImage noFace = render(&field);
    QVERIFY2(withFace > countInk(noFace, 0, clockEnd, 200) + 10,
             qPrintable(QString::number(withFace)));
    QVERIFY(field.sizeHint().width() < field.width());
}

void TstFieldPainting::dayTypeLetterIsColoured()
{
    FieldHost<TKvTimeEdit> host;
    host.field->setShowUhr(false);
    QVERIFY(host.show());
    host.field->SetMinutes(600);
    const int letterEnd = host.field->fontMetrics().horizontalAdvance(QLatin1Char('W')) + 8;
    typeKeys("v");
    QVERIFY(countNear(render(host.field), Qt::red, 0, letterEnd) > 5);
    QCOMPARE(countNear(render(host.field), Qt::blue, 0, letterEnd), 0);
    typeKeys("f");
    QVERIFY(countNear(render(host.field), Qt::blue, 0, letterEnd) > 5);
    QCOMPARE(countNear(render(host.field), Qt::red, 0, letterEnd), 0);
    typeKeys("t");
    QCOMPARE(countNear(render(host.field), Qt::blue, 0, letterEnd), 0);
    QVERIFY(countInk(render(host.field), 0, letterEnd) > 5);
}

QTEST_MAIN(TstFieldPainting)
#include "tst_fieldpainting.moc"
