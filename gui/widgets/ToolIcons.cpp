#include "gui/widgets/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace tk {

namespace {

constexpr int Size = 24;

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

void drawPrinter(QPainter &p, bool setup)
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
    if (setup) {
        p.setPen(QPen(QColor(40, 90, 200), 2));
        p.drawLine(QPointF(8, 19), QPointF(16, 19));
    }
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

void drawTimeRecording(QPainter &p)
{
    p.setPen(QPen(QColor(30, 60, 110), 1.5));
    p.setBrush(QColor(255, 250, 225));
    p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
    p.setPen(QPen(QColor(30, 60, 110), 1));
    for (int hour = 0; hour < 12; hour += 3) {
        const qreal angle = qDegreesToRadians(hour * 30.0);
        p.drawLine(QPointF(12 + 7.5 * qSin(angle), 12 - 7.5 * qCos(angle)),
                   QPointF(12 + 9 * qSin(angle), 12 - 9 * qCos(angle)));
    }
    p.setPen(QPen(QColor(20, 20, 20), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12, 12), QPointF(12, 6));      // minute hand
    p.drawLine(QPointF(12, 12), QPointF(16.5, 13.5)); // hour hand
    p.setPen(QPen(QColor(200, 30, 30), 1));
    p.drawLine(QPointF(12, 12), QPointF(7, 17)); // second hand
}

QImage colourPicture(ToolPicture picture)
{
    QImage image(Size, Size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    switch (picture) {
    case ToolPicture::Exit:
        drawExit(p);
        break;
    case ToolPicture::Print:
        drawPrinter(p, false);
        break;
    case ToolPicture::PrinterSetup:
        drawPrinter(p, true);
        break;
    case ToolPicture::Personnel:
        drawPersonnel(p);
        break;
    case ToolPicture::ShiftPlan:
        drawShiftPlan(p);
        break;
    case ToolPicture::TimeRecording:
        drawTimeRecording(p);
        break;
    }
    return image;
}

} // namespace

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

namespace {

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
    for (int hour = 0; hour < 12; hour += 3) {
        const qreal angle = qDegreesToRadians(hour * 30.0);
        p.drawLine(QPointF(16 + 8.5 * qSin(angle), 16 - 8.5 * qCos(angle)),
                   QPointF(16 + 10.5 * qSin(angle), 16 - 10.5 * qCos(angle)));
    }
    p.setPen(QPen(QColor(30, 30, 30), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 16), QPointF(10.5, 13)); // hour hand at eight
    p.drawLine(QPointF(16, 16), QPointF(24, 16));   // minute hand at a quarter past
    p.setPen(QPen(QColor(200, 30, 30), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 16), QPointF(16, 6.5));
    return pixmap;
}

} // namespace

QIcon programIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64})
        icon.addPixmap(programPixmap(size));
    return icon;
}

QIcon toolIcon(ToolPicture picture)
{
    const QImage colour = colourPicture(picture);
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(greyed(colour)), QIcon::Normal);
    icon.addPixmap(QPixmap::fromImage(colour), QIcon::Active);
    icon.addPixmap(QPixmap::fromImage(colour), QIcon::Selected);
    return icon;
}

} // namespace tk
