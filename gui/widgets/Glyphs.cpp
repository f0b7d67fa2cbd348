#include "gui/widgets/Glyphs.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

namespace tk {

namespace {

// Every picture is drawn on a canvas of Canvas x Canvas units, scaled to the icon's size.
constexpr qreal Canvas = 24;

void triangle(QPainter &p, qreal tipX, qreal baseX)
{
    QPainterPath path;
    path.moveTo(tipX, 8);
    path.lineTo(baseX, 3);
    path.lineTo(baseX, 13);
    path.closeSubpath();
    p.fillPath(path, Qt::black);
}

// The small pictures of the navigators and drop-down buttons, drawn on a 16-unit grid.
void drawSmall(QPainter &p, Glyph glyph)
{
    p.scale(Canvas / 16.0, Canvas / 16.0);
    const QPen thick(Qt::black, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    switch (glyph) {
    case Glyph::First:
        p.fillRect(QRectF(3, 3, 2, 10), Qt::black);
        triangle(p, 5, 12);
        break;
    case Glyph::Prior:
        triangle(p, 4, 11);
        break;
    case Glyph::Next:
        triangle(p, 12, 5);
        break;
    case Glyph::Last:
        triangle(p, 11, 4);
        p.fillRect(QRectF(11, 3, 2, 10), Qt::black);
        break;
    case Glyph::Insert:
        p.setPen(thick);
        p.drawLine(QPointF(8, 3), QPointF(8, 13));
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
    case Glyph::Copy:
        p.setPen(QPen(Qt::black, 1.2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2.5, 2.5, 7, 9));
        p.drawRect(QRectF(6.5, 5.5, 7, 9));
        break;
    case Glyph::Delete:
        p.setPen(thick);
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
    case Glyph::Post:
        p.setPen(QPen(QColor(0, 128, 0), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
        break;
    case Glyph::Cancel:
        p.setPen(QPen(QColor(176, 0, 0), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case Glyph::PageSwitch:
        p.setPen(QPen(Qt::black, 1.0));
        p.setBrush(QColor(255, 255, 225));
        p.drawRect(QRectF(1.5, 1.5, 9, 11));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 4.5, 9, 11));
        for (qreal y = 7.5; y < 15; y += 2.5)
            p.drawLine(QPointF(7, y), QPointF(13, y));
        break;
    case Glyph::Calendar:
        p.setPen(QPen(Qt::black, 1.0));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 2.5, 13, 12));
        p.fillRect(QRectF(2, 3, 12, 3), QColor(176, 0, 0));
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 4; ++col)
                p.fillRect(QRectF(3 + col * 3, 7.5 + row * 2.3, 1.6, 1.4), Qt::black);
        break;
    case Glyph::Calculator:
        p.setPen(QPen(Qt::black, 1.0));
        p.setBrush(QColor(225, 225, 225));
        p.drawRect(QRectF(2.5, 1.5, 11, 13));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 3.5, 7, 3));
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                p.fillRect(QRectF(4.5 + col * 2.6, 8 + row * 2.1, 1.6, 1.3), Qt::black);
        break;
    case Glyph::Lock:
        p.setPen(QPen(QColor(90, 90, 90), 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(4.5, 1.5, 7, 9), 0, 180 * 16);
        p.drawLine(QPointF(4.5, 6), QPointF(4.5, 8));
        p.drawLine(QPointF(11.5, 6), QPointF(11.5, 8));
        p.setPen(QPen(Qt::black, 1.0));
        p.setBrush(QColor(200, 150, 40));
        p.drawRect(QRectF(3, 7.5, 10, 7));
        break;
    case Glyph::Account: // a ledger page with plus and minus
        p.setPen(QPen(Qt::black, 1.0));
        p.setBrush(QColor(255, 250, 220));
        p.drawRect(QRectF(2.5, 1.5, 11, 13));
        p.drawLine(QPointF(8, 2), QPointF(8, 14));
        p.setPen(QPen(QColor(0, 128, 0), 1.6));
        p.drawLine(QPointF(3.8, 6), QPointF(6.8, 6));
        p.drawLine(QPointF(5.3, 4.5), QPointF(5.3, 7.5));
        p.setPen(QPen(QColor(176, 0, 0), 1.6));
        p.drawLine(QPointF(9.2, 10), QPointF(12.2, 10));
        break;
    default:
        break;
    }
}

void drawExit(QPainter &p)
{
    p.setPen(QPen(QColor(90, 60, 30), 1.2));
    p.setBrush(QColor(176, 120, 64));
    p.drawRect(QRectF(4.5, 2.5, 11, 19)); // door
    p.setBrush(QColor(250, 220, 90));
    p.drawEllipse(QPointF(13, 12), 1.2, 1.2); // knob
    p.setPen(QPen(QColor(200, 30, 30), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(12, 12), QPointF(21, 12)); // arrow out of the door
    p.drawPolyline(QPolygonF({QPointF(18, 8.5), QPointF(21.5, 12), QPointF(18, 15.5)}));
}

void drawPrinter(QPainter &p)
{
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 2.5, 11, 8)); // paper
    p.setBrush(QColor(120, 130, 150));
    p.drawRoundedRect(QRectF(2.5, 9.5, 19, 9), 2, 2); // body
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 15.5, 11, 6)); // printed sheet
    p.setBrush(QColor(60, 200, 60));
    p.drawEllipse(QPointF(18.5, 12.5), 1, 1);
}

void drawPersonnel(QPainter &p)
{
    p.setPen(QPen(QColor(20, 60, 130), 1));
    p.setBrush(QColor(60, 120, 210));
    QPainterPath body;
    body.moveTo(3, 22);
    body.cubicTo(3, 14, 21, 14, 21, 22);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(QColor(245, 200, 160));
    p.drawEllipse(QPointF(12, 8), 4.5, 5);
}

void drawShiftPlan(QPainter &p)
{
    p.setPen(QPen(QColor(70, 70, 70), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 3.5, 19, 18));
    p.setBrush(QColor(210, 40, 40));
    p.drawRect(QRectF(2.5, 3.5, 19, 5)); // calendar head
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 4; ++col) {
            p.setBrush(row == 1 && col == 2 ? QColor(40, 150, 60) : QColor(150, 160, 180));
            p.drawRect(QRectF(4.5 + col * 4.2, 10.5 + row * 3.6, 3, 2.4));
        }
    }
}

// A table of people (rows) and days (columns) with a few coloured days.
void drawMonthOverview(QPainter &p)
{
    p.setPen(QPen(QColor(70, 70, 70), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 3.5, 21, 17));
    p.setPen(Qt::NoPen);
    const QColor marks[4][5] = {
        {Qt::white, QColor(160, 200, 255), QColor(160, 200, 255), Qt::white, Qt::white},
        {Qt::white, Qt::white, Qt::white, QColor(255, 196, 140), Qt::white},
        {QColor(240, 70, 70), Qt::white, Qt::white, Qt::white, QColor(176, 226, 176)},
        {Qt::white, Qt::white, QColor(160, 200, 255), Qt::white, Qt::white}};
    for (int row = 0; row < 4; ++row) {
        p.setBrush(QColor(150, 160, 180));
        p.drawRect(QRectF(3, 5 + row * 3.8, 4, 2.6)); // the name
        for (int col = 0; col < 5; ++col) {
            p.setBrush(marks[row][col] == Qt::white ? QColor(225, 225, 225) : marks[row][col]);
            p.drawRect(QRectF(8.5 + col * 2.7, 5 + row * 3.8, 2.1, 2.6));
        }
    }
}

// The marks at 12, 3, 6 and 9 o'clock of a clock face, from radius inner to outer.
void drawQuarterTicks(QPainter &p, const QPointF &centre, qreal inner, qreal outer)
{
    for (int hour = 0; hour < 12; hour += 3) {
        const qreal angle = qDegreesToRadians(hour * 30.0);
        const QPointF direction(qSin(angle), -qCos(angle));
        p.drawLine(centre + inner * direction, centre + outer * direction);
    }
}

void drawTimeRecording(QPainter &p)
{
    p.setPen(QPen(QColor(30, 60, 110), 1.5));
    p.setBrush(QColor(255, 250, 225));
    p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
    p.setPen(QPen(QColor(30, 60, 110), 1));
    drawQuarterTicks(p, QPointF(12, 12), 7.5, 9);
    p.setPen(QPen(QColor(20, 20, 20), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12, 12), QPointF(12, 6));      // minute hand
    p.drawLine(QPointF(12, 12), QPointF(16.5, 13.5)); // hour hand
    p.setPen(QPen(QColor(200, 30, 30), 1));
    p.drawLine(QPointF(12, 12), QPointF(7, 17)); // second hand
}

void paintGlyph(QPainter &p, Glyph glyph, int size)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / Canvas, size / Canvas);
    switch (glyph) {
    case Glyph::Print:
        drawPrinter(p);
        break;
    case Glyph::Close:
        drawExit(p);
        break;
    case Glyph::Personnel:
        drawPersonnel(p);
        break;
    case Glyph::ShiftPlan:
        drawShiftPlan(p);
        break;
    case Glyph::TimeRecording:
        drawTimeRecording(p);
        break;
    case Glyph::MonthOverview:
        drawMonthOverview(p);
        break;
    default:
        drawSmall(p, glyph);
        break;
    }
}

// A grey copy of a picture that keeps its transparency.
QImage greyed(const QImage &image)
{
    QImage grey = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const int level = qGray(line[x]);
            line[x] = qRgba(level, level, level, qAlpha(line[x]));
        }
    }
    return grey;
}

// A dark blue card with a white clock at a quarter past eight and a red seconds hand.
QPixmap programPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(28, 64, 120));
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 16), 11.5, 11.5);
    p.setPen(QPen(QColor(28, 64, 120), 1.2));
    drawQuarterTicks(p, QPointF(16, 16), 8.5, 10.5);
    p.setPen(QPen(QColor(30, 30, 30), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 16), QPointF(10.5, 13)); // hour hand at eight
    p.drawLine(QPointF(16, 16), QPointF(24, 16));   // minute hand at a quarter past
    p.setPen(QPen(QColor(200, 30, 30), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 16), QPointF(16, 6.5));
    return pixmap;
}

} // namespace

QIcon glyphIcon(Glyph glyph)
{
    constexpr int Size = 16;
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(Size * scale, Size * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paintGlyph(painter, glyph, Size);
        painter.end();
        icon.addPixmap(pixmap);
        // Disabled buttons show the same shape in light grey, clearly apart from black.
        QPixmap grey = pixmap;
        QPainter tint(&grey);
        tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tint.fillRect(grey.rect(), QColor(160, 160, 160));
        tint.end();
        icon.addPixmap(grey, QIcon::Disabled);
    }
    return icon;
}

QIcon hoverIcon(Glyph glyph)
{
    constexpr int Size = 24;
    QImage colour(Size, Size, QImage::Format_ARGB32_Premultiplied);
    colour.fill(Qt::transparent);
    QPainter painter(&colour);
    paintGlyph(painter, glyph, Size);
    painter.end();
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(greyed(colour)), QIcon::Normal);
    icon.addPixmap(QPixmap::fromImage(colour), QIcon::Active);
    icon.addPixmap(QPixmap::fromImage(colour), QIcon::Selected);
    return icon;
}

QIcon programIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64})
        icon.addPixmap(programPixmap(size));
    return icon;
}

} // namespace tk
